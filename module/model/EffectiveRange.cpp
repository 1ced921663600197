#include "model/EffectiveRange.h"

#include <cmath>
#include <utility>

#include "model/ModelQueries.h"
#include "model/ModelDbLibrary.h"

namespace {

enum class Side { MinX, MaxX, MaxY, MinY };

// Tolerance of the side test, in mm² of cross product.
constexpr double kOnAxis = 1.0;

// Whether P lies outside the half-plane bounded by one span A-B of a
// bounding axis. The X axes (running along Y) are taken upward, the Y axes
// (running along X) rightward, so the sign of the cross product means the
// same whichever way the model's span runs.
bool OutsideSpan(Side side, Vec3d a, Vec3d b, const Vec3d& p) {
    const bool alongY = side == Side::MinX || side == Side::MaxX;
    if (alongY ? a.y > b.y : a.x > b.x) std::swap(a, b);
    const double k = Cross(b - a, p - a).z;
    if (std::fabs(k) <= kOnAxis) return false;
    switch (side) {
        case Side::MinX: return k > 0.001;
        case Side::MaxX: return k < 0.0;
        case Side::MaxY: return k > 0.0;
        case Side::MinY: return k < 0.0;
    }
    return false;
}

// Whether P lies outside the range on one side, tested span by span along
// the bounding axis on `layer`. Spans without end data are skipped.
bool OutsideAxis(Side side, int32_t axis, LayerCode layer, const Vec3d& p) {
    if (axis <= 0) return false;
    const auto& db = Db();
    int first = 0, last = -1;
    if (db.sp_scon(layer, axis, &first, &last) < 0) return false;
    for (int span = first; span <= last; ++span) {
        int node1 = 0, node2 = 0;
        db.sp_snon(layer, span, &node1, &node2);
        auto a = NodePositionOnLayer(layer, node1);
        auto b = NodePositionOnLayer(layer, node2);
        if (!a || !b) continue;
        if (OutsideSpan(side, *a, *b, p)) return true;
    }
    return false;
}

}  // namespace

void CacheEffectiveRange(const RangeSource& source, EffectiveRange& range) {
    const auto& db = Db();
    range.enabled = source.RangeShown();
    if (!db.sp_cpno || !db.sp_wno) return;
    range.upperLayer = db.sp_cpno(source.SelectionCode(RangeSelection::UpperLayer));
    range.lowerLayer = db.sp_cpno(source.SelectionCode(RangeSelection::LowerLayer));
    range.axisMinX = db.sp_wno(source.SelectionCode(RangeSelection::AxisMinX));
    range.axisMaxX = db.sp_wno(source.SelectionCode(RangeSelection::AxisMaxX));
    range.axisMinY = db.sp_wno(source.SelectionCode(RangeSelection::AxisMinY));
    range.axisMaxY = db.sp_wno(source.SelectionCode(RangeSelection::AxisMaxY));
}

bool IsInEffectiveRange(const EffectiveRange& range, LayerCode layer, int32_t crossing) {
    if (!range.enabled) return true;
    if (LayerBelow(layer, range.lowerLayer)) return false;
    const auto& db = Db();
    if (!db.sp_nno || !db.sp_scon || !db.sp_snon) return true;
    auto p = NodePositionOnLayer(layer, db.sp_nno(layer, crossing));
    if (!p) return false;
    return !OutsideAxis(Side::MinX, range.axisMinX, layer, *p) &&
           !OutsideAxis(Side::MaxX, range.axisMaxX, layer, *p) &&
           !OutsideAxis(Side::MaxY, range.axisMaxY, layer, *p) &&
           !OutsideAxis(Side::MinY, range.axisMinY, layer, *p);
}

bool IsNodeOnHiddenAxis(const std::set<int32_t>& hiddenAxes, LayerCode layer, int32_t node) {
    if (hiddenAxes.empty()) return false;
    const auto& db = Db();
    if (!db.sp_nnox_L || !db.sp_xwno2) return false;
    int list[kCrossingListSize] = {};
    const int count = db.sp_nnox_L(layer, node, list);
    if (count < 0) return true;
    if (count == 0) return false;
    int axisA = 0, axisB = 0;
    if (db.sp_xwno2(list[0], &axisA, &axisB) != 0) return false;
    return hiddenAxes.count(axisA) != 0 || hiddenAxes.count(axisB) != 0;
}

std::optional<Vec3d> NodePosition(int32_t nameCode, int32_t crossing) {
    if (!Db().sp_cpno) return std::nullopt;
    const LayerCode layer = Db().sp_cpno(nameCode);
    if (layer == 0 || layer == -1 || layer == -6) return std::nullopt;
    return CrossingPosition(layer, crossing);
}
