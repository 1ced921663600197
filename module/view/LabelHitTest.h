#pragma once
// Which label a click lies on: labels are tested as rectangles of their
// measured text centred on their projected anchor, not by drawing them.

#include <cstdint>
#include <optional>
#include <vector>

struct LabelTarget {
    double x = 0, y = 0;     // the anchor in window pixels, y down
    int width = 0;           // the text's measured size, pixels
    int height = 0;
    double distance = 0;     // from the eye to the anchor, millimetres
    int32_t code = 0;        // what the label names (layer or axis name code)
};

// Whether (x, y) lies in the label's rectangle, edges included; the halves
// of the size are truncated.
bool LabelContains(const LabelTarget& label, int x, int y);

// The code of the label under (x, y) nearest the eye, the first of equally
// near ones; nothing when no label is under it.
std::optional<int32_t> NearestLabelHit(const std::vector<LabelTarget>& labels, int x, int y);
