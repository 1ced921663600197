#pragma once
// The editor view's five popup menus: plain text items with their command
// ids, made once when the view is created.

#include <vector>

#include "Dialogs.h"

struct EditorMenus {
    std::vector<platform::MenuItem> outline;     // the picked-node outline
    std::vector<platform::MenuItem> registered;  // a registered slope
    std::vector<platform::MenuItem> background;  // nothing under the cursor, slope mode
    std::vector<platform::MenuItem> mesh;        // nothing under the cursor, mesh mode
    std::vector<platform::MenuItem> meshNode;    // a mesh element, mesh mode
};

EditorMenus MakeEditorMenus();
