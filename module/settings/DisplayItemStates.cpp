#include "settings/DisplayItemStates.h"

namespace display_items {
namespace {

struct ItemInfo {
    const char* label;
    bool defaultOn;
};

constexpr ItemInfo kItems[kCount] = {
    {"有効範囲", false}, {"稜線", true}, {"節点", true},   {"グリッド", false}, {"斜面名", true},
    {"軸名", true},      {"層名", true}, {"方位", true},   {"エッジ", false}};

bool Valid(int index) { return index >= 1 && index <= kCount; }

}  // namespace

const char* Label(int index) { return Valid(index) ? kItems[index - 1].label : ""; }

bool DefaultOn(int index) { return Valid(index) && kItems[index - 1].defaultOn; }

}  // namespace display_items

bool IsDisplayItemOn(const DisplayItemSource* source, int index) {
    if (index < 1 || index > display_items::kCount) return false;
    return source ? source->IsItemChecked(index) : display_items::DefaultOn(index);
}
