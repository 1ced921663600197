#pragma once
// What the editor does after a change of the model, implemented by the view.

#include <optional>

#include "model/LayerCode.h"
#include "model/Vec3d.h"

// Where a refused definition failed: the edge that lies on no wall line, or
// the registered slope it overlaps or cuts.
struct RefusalPlace {
    std::optional<std::pair<Vec3d, Vec3d>> edge;
    LayerCode slope = 0;  // 0: none
};

class EditorRefresh {
public:
    virtual ~EditorRefresh() = default;
    // The six range selectors refilled keeping their texts, all display
    // lists discarded, the view repainted.
    virtual void RefreshAfterModelChange() = 0;
    // The view repainted.
    virtual void Repaint() = 0;
    // Marks where a definition was refused until the next click.
    virtual void ShowRefusal(const RefusalPlace& place) { (void)place; }
};
