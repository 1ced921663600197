#pragma once
// What the header bar and the settings dialog need of the editor view. The
// view implements it; until it is there, nothing is selected and the mode
// button stays disabled.

class EditorModeSource {
public:
    virtual ~EditorModeSource() = default;
    // 1 slope mode, 2 mesh mode.
    virtual int Mode() const = 0;
    // Whether a slope with a slope number is selected.
    virtual bool HasSelectedSlope() const = 0;
    virtual void EnterMeshMode() = 0;
    virtual void LeaveMeshMode() = 0;
    // Reload the display settings, set the clear colour, discard the display
    // lists and repaint.
    virtual void ApplyDisplaySettings() = 0;
};
