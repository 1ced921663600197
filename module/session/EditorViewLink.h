#pragma once
// What the header bar and the environment settings dialog need of the editor
// view. The view implements it; without a view nothing is selected, the mode
// button stays disabled and the dialog starts from the settings file.

#include "settings/DisplaySettings.h"

class EditorViewLink {
public:
    virtual ~EditorViewLink() = default;
    // 1 slope mode, 2 mesh mode.
    virtual int Mode() const = 0;
    // Whether a slope with a slope number is selected.
    virtual bool HasSelectedSlope() const = 0;
    virtual void EnterMeshMode() = 0;
    virtual void LeaveMeshMode() = 0;
    // The view's own preferences: inherit the camera position, perspective angle.
    virtual ViewPreferences Preferences() const = 0;
    // Reload the display settings from the file, set the clear colour,
    // discard the display lists and repaint.
    virtual void ReloadDisplaySettings() = 0;
};
