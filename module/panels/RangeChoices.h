#pragma once
// The contents of the placement panel's six range selectors, read from the
// model: the layer lists (上層, 下層), the axis lists (Ｘ軸左端, Ｘ軸右端,
// Ｙ軸左端, Ｙ軸右端), what each one has chosen, and the decoding of a chosen
// text into its code. Plain model access through the bound library; every
// answer is empty (or 0) while the library is not bound.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The selectors by their control code (1 to 6).
enum class RangeBox { Upper = 1, XLeft = 2, XRight = 3, Lower = 4, YLeft = 5, YRight = 6 };

inline constexpr int kRangeBoxCount = 6;

// 1 layer, 2 axis.
int RangeBoxKind(RangeBox box);

struct RangeList {
    std::vector<std::string> entries;
    // The chosen text ("" when nothing is chosen) and its code: a layer name
    // code for the layer boxes, an axis name code for the axis boxes.
    std::string chosen;
    int32_t code = 0;
};

struct RangeChoices {
    std::array<RangeList, kRangeBoxCount> boxes;  // by control code - 1
    RangeList& operator[](RangeBox box) { return boxes[static_cast<int>(box) - 1]; }
    const RangeList& operator[](RangeBox box) const { return boxes[static_cast<int>(box) - 1]; }
};

// The texts chosen before a refill, by control code - 1; "" for none.
using EarlierSelections = std::array<std::string, kRangeBoxCount>;

// Reads the layers and the axes of the model into the six lists. Without
// earlier selections the lower box takes the first storey, the upper box the
// last one, and the axis boxes the outermost axes of the lower layer; an
// earlier text the new list still holds stays chosen. The axes are those of
// the chosen lower layer, or of layer 1 when the lower layer has no axis
// data; a layer or axis without a name is not offered.
RangeChoices FillRangeChoices(const EarlierSelections& earlier);

// The label of a layer: its storey name, or "storey - sub-layer" for a
// sub-layer; "" when a name is missing.
std::string LayerLabel(int32_t nameCode);

// The code of a chosen layer text: sub-layer number × 32768 + level number
// for "storey - sub-layer" (an empty storey part is storey 1), the level
// number otherwise. 0 when a name is unknown to the model or the text empty.
int32_t DecodeLayerText(const std::string& text);
// The axis name code of a chosen axis text; 0 when unknown or empty.
int32_t DecodeAxisText(const std::string& text);
