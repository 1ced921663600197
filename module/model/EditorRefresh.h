#pragma once
// What the editor does after a change of the model, implemented by the view.

class EditorRefresh {
public:
    virtual ~EditorRefresh() = default;
    // The six range selectors refilled keeping their texts, all display
    // lists discarded, the view repainted.
    virtual void RefreshAfterModelChange() = 0;
    // The view repainted.
    virtual void Repaint() = 0;
};
