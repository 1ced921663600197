#include "settings/DisplaySettings.h"

std::optional<LineStipple> StippleOf(LineTypeCode type) {
    switch (type) {
        case kLineDotted: return LineStipple{1, 0xF0F0};
        case kLineChain: return LineStipple{1, 0x27FF};
        default: return std::nullopt;
    }
}
