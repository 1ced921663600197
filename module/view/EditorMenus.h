#pragma once
// The editor view's five popup menus: plain text items with their command
// ids, made once when the view is created.

#include <vector>

#include "Dialogs.h"

// The commands of the slope-mode menus.
enum EditorCommand : int {
    kCommandDefineNamed = 32772,    // 名前をつけて定義
    kCommandDefine = 32773,         // 定義
    kCommandClearOutline = 32774,   // 削除 (the outline)
    kCommandEditSlope = 32775,      // 編集
    kCommandDeleteSlope = 32776,    // 削除 (a registered slope)
    kCommandExtractLines = 32779,   // 他斜面との交線を抽出
    kCommandHideAllNodes = 32780,   // 全節点を非表示
    kCommandShowAllNodes = 32781,   // 全節点を表示
    kCommandClearNodes = 32782,     // 選択節点のクリア
    kCommandShapeOrder = 32783,     // 斜面形状順番
};

struct EditorMenus {
    std::vector<platform::MenuItem> outline;     // the picked-node outline
    std::vector<platform::MenuItem> registered;  // a registered slope
    std::vector<platform::MenuItem> background;  // nothing under the cursor, slope mode
    std::vector<platform::MenuItem> mesh;        // nothing under the cursor, mesh mode
    std::vector<platform::MenuItem> meshNode;    // a mesh element, mesh mode
};

EditorMenus MakeEditorMenus();
