#pragma once
// What the header bar and the environment settings dialog need of the editor
// view. The view implements it; without a view nothing is selected, the mode
// button stays disabled and the dialog starts from the settings file.

#include "settings/DisplaySettings.h"

// What clicks in the editor view act on.
enum class InteractionMode {
    Slope = 1,  // nodes, outlines and registered slopes
    Mesh = 2,   // the mesh of the selected slope
};

class EditorViewLink {
public:
    virtual ~EditorViewLink() = default;
    virtual InteractionMode Mode() const = 0;
    // Whether a slope with a slope number is selected.
    virtual bool HasSelectedSlope() const = 0;
    virtual void EnterMeshMode() = 0;
    virtual void LeaveMeshMode() = 0;
    // The view's own preferences: inherit the camera position, perspective angle.
    virtual ViewPreferences Preferences() const = 0;
    // The display settings the view draws with.
    virtual const DisplaySettings& Settings() const = 0;
    // Reload the display settings from the file, set the clear colour,
    // discard the display lists and repaint.
    virtual void ReloadDisplaySettings() = 0;
};
