#pragma once
// What the windows of one editor session share. The view container owns it
// and hands it to every pane it creates. A window the context names puts
// itself in while it exists and takes itself out when it goes, so a pane
// never reaches a window that is gone; without the window the request goes
// nowhere.

#include "panels/EditorViewAccess.h"
#include "panels/PlacementAccess.h"
#include "settings/DisplayItemStates.h"
#include "settings/DisplaySettings.h"

struct SessionContext {
    // The editor view, or null.
    EditorViewAccess* view = nullptr;
    // The placement panel's six range selections, or null.
    PlacementAccess* placement = nullptr;
    // The live display items (the placement panel's), or null.
    const DisplayItemSource* items = nullptr;
    // What the renderer draws with: the view loads them from the settings
    // file when it is created and whenever the settings dialog saves.
    DisplaySettings displaySettings;

    // The state of display item `index` (1 to 9) as the renderer uses it.
    bool ItemOn(int index) const { return IsDisplayItemOn(items, index); }
};
