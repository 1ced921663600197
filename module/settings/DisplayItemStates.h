#pragma once
// The nine display items of the placement panel: their labels, their
// defaults, and the states the renderer reads before every paint.

namespace display_items {

inline constexpr int kCount = 9;

// Item indexes, 1 to 9, in the panel's order.
enum Item {
    kRange = 1,       // 有効範囲: limit the scene to the chosen layers and axes
    kRidgeLines = 2,  // 稜線
    kNodes = 3,       // 節点
    kGrid = 4,        // グリッド
    kSlopeNames = 5,  // 斜面名
    kAxisNames = 6,   // 軸名
    kLayerNames = 7,  // 層名
    kCompass = 8,     // 方位
    kEdges = 9        // エッジ
};

// The label (UTF-8) of item `index`; "" outside 1 to 9.
const char* Label(int index);
// The state an item starts with when the settings file has no key for it;
// false outside 1 to 9.
bool DefaultOn(int index);

}  // namespace display_items

// Whatever holds the live display items (the placement panel).
class DisplayItemSource {
public:
    virtual ~DisplayItemSource() = default;
    // The checked state of item `index` (1 to 9).
    virtual bool IsItemChecked(int index) const = 0;
};

// The state of display item `index` as the renderer must use it: the live
// item's state, or the item's default while there are no live items (null).
// False outside 1 to 9.
bool IsDisplayItemOn(const DisplayItemSource* source, int index);
