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
    m.outline = {Item(32773, "定義"), Item(32772, "名前をつけて定義"), Item(32783, "斜面形状順番"),
                 Item(32779, "他斜面との交線を抽出"), Item(32774, "削除")};
    m.registered = {Item(32775, "編集"), Item(32776, "削除")};
    m.background = {Item(32782, "選択節点のクリア"), Item(32781, "全節点を表示"), Item(32780, "全節点を非表示")};
    m.mesh = {Item(1, "メッシュを保存")};
    m.meshNode = {Item(2, "自動分割"), Item(3, "四角形分割"), Item(4, "節点順番の入替"), Item(5, "節点の追加")};
    return m;
}
