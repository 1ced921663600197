#include "EditorMenus.h"

namespace {
platform::MenuItem Item(int id, const char* text) {
    platform::MenuItem item;
    item.id = id;
    item.text = text;
    return item;
}
}  // namespace

EditorMenus MakeEditorMenus() {
    EditorMenus m;
    m.outline = {Item(kCommandDefine, "定義"), Item(kCommandDefineNamed, "名前をつけて定義"),
                 Item(kCommandShapeOrder, "斜面形状順番"), Item(kCommandExtractLines, "他斜面との交線を抽出"),
                 Item(kCommandClearOutline, "削除")};
    m.registered = {Item(kCommandEditSlope, "編集"), Item(kCommandDeleteSlope, "削除")};
    m.background = {Item(kCommandClearNodes, "選択節点のクリア"), Item(kCommandShowAllNodes, "全節点を表示"),
                    Item(kCommandHideAllNodes, "全節点を非表示")};
    m.mesh = {Item(1, "メッシュを保存")};
    m.meshNode = {Item(2, "自動分割"), Item(3, "四角形分割"), Item(4, "節点順番の入替"), Item(5, "節点の追加")};
    return m;
}
