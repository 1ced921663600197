#pragma once
// Layer codes name an entry of the model's layer list. A positive code is a
// storey layer: level = code % 32768, sub-layer = code / 32768 (C division,
// truncated toward zero), so storey k's main layer is k and its sub-layers
// k + 32768·s. A negative code is a registered slope; 0 is never a layer.

#include <cstdint>

using LayerCode = int32_t;

inline constexpr int32_t kSubLayerFactor = 32768;

constexpr int32_t LayerLevel(LayerCode code) { return code % kSubLayerFactor; }
constexpr int32_t LayerSubLayer(LayerCode code) { return code / kSubLayerFactor; }
constexpr LayerCode MakeLayerCode(int32_t level, int32_t subLayer) {
    return level + kSubLayerFactor * subLayer;
}

// Layers are ordered by level first and sub-layer second: 1 < 32769 < 2.
// Levels and sub-layers compare by magnitude, so a slope entry (negative
// code) stands at the level of its lower storey: -1 and 1 both have level 1.
constexpr bool LayerBelow(LayerCode a, LayerCode b) {
    auto magnitude = [](int32_t v) { return v < 0 ? -v : v; };
    const int32_t levelA = magnitude(LayerLevel(a)), levelB = magnitude(LayerLevel(b));
    return levelA < levelB ||
           (levelA == levelB && magnitude(LayerSubLayer(a)) < magnitude(LayerSubLayer(b)));
}

// The 16-bit slope name number of a slope layer or name code:
// |code / 32768|, the key of its SlopeRecord and its kind-4 name.
constexpr int16_t SlopeNumberOf(int32_t code) {
    const int32_t high = code / kSubLayerFactor;
    return static_cast<int16_t>(high < 0 ? -high : high);
}
