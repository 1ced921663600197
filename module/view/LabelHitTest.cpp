#include "view/LabelHitTest.h"

bool LabelContains(const LabelTarget& label, int x, int y) {
    const int halfWidth = label.width / 2, halfHeight = label.height / 2;
    return label.x - halfWidth <= x && x <= label.x + halfWidth && label.y - halfHeight <= y &&
           y <= label.y + halfHeight;
}

std::optional<int32_t> NearestLabelHit(const std::vector<LabelTarget>& labels, int x, int y) {
    const LabelTarget* best = nullptr;
    for (const LabelTarget& label : labels) {
        if (!LabelContains(label, x, y)) continue;
        if (!best || label.distance < best->distance) best = &label;
    }
    if (!best) return std::nullopt;
    return best->code;
}
