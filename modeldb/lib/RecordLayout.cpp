#include "RecordLayout.h"

#include "tevalib.h"

namespace teva {

std::size_t recordSize(int kind)
{
    switch (kind) {
    case TEVA_REC_PROJECT: return TEVA_SIZE_PROJECT;
    case TEVA_REC_LEVEL: return TEVA_SIZE_LEVEL;
    case TEVA_REC_AXIS_LINE: return TEVA_SIZE_AXIS_LINE;
    case TEVA_REC_AXIS_POINT: return TEVA_SIZE_AXIS_POINT;
    case TEVA_REC_SLOPE: return TEVA_SIZE_SLOPE;
    case TEVA_REC_SLOPE_EDGE: return TEVA_SIZE_SLOPE_EDGE;
    case TEVA_REC_MESH_FILE: return TEVA_SIZE_MESH_FILE;
    default: return 0;
    }
}

std::optional<RecordKey> recordKey(int kind, const unsigned char* record)
{
    switch (kind) {
    case TEVA_REC_PROJECT:
        return RecordKey{0, 0};
    case TEVA_REC_LEVEL: {
        // Level records are keyed by their sub-layer name number (offset 2).
        const int number = readI16(record, 2);
        if (number < 1)
            return std::nullopt;
        return RecordKey{number, 0};
    }
    case TEVA_REC_AXIS_LINE:
    case TEVA_REC_SLOPE:
    case TEVA_REC_MESH_FILE: {
        const int number = readI16(record, 0);
        if (number < 1)
            return std::nullopt;
        return RecordKey{number, 0};
    }
    case TEVA_REC_AXIS_POINT: {
        const int line = readI16(record, 0);
        const int index = readI16(record, 2);
        if (line < 1 || index < 2)
            return std::nullopt;
        return RecordKey{line, index};
    }
    case TEVA_REC_SLOPE_EDGE: {
        const int slope = readI16(record, 0);
        const int edge = readI16(record, 2);
        if (slope < 1 || edge < 5)
            return std::nullopt;
        return RecordKey{slope, edge};
    }
    default:
        return std::nullopt;
    }
}

} // namespace teva
