#include "model/ModelQueries.h"

#include <numeric>

#include "model/ModelDbLibrary.h"

std::optional<Vec3d> CrossingPosition(LayerCode layer, int32_t crossing) {
    if (!Db().sp_GetCord3d) return std::nullopt;
    float x = 0.0f, y = 0.0f, z = 0.0f;
    if (Db().sp_GetCord3d(layer, crossing, &x, &y, &z) != 0) return std::nullopt;
    return Vec3d(x, y, z);
}

std::optional<int32_t> NodeFirstCrossing(LayerCode layer, int32_t node) {
    if (!Db().sp_nnox_L) return std::nullopt;
    int list[kCrossingListSize] = {};
    const int count = Db().sp_nnox_L(layer, node, list);
    if (count < 1) return std::nullopt;
    return list[0];
}

std::optional<Vec3d> NodePositionOnLayer(LayerCode layer, int32_t node) {
    auto crossing = NodeFirstCrossing(layer, node);
    if (!crossing) return std::nullopt;
    return CrossingPosition(layer, *crossing);
}

OutlineStatus ReadSlopeOutline(LayerCode slope, SlopeOutline& outline) {
    outline = {};
    const auto& db = Db();
    if (!db.sp_GetMaxBayS || !db.sp_pwno_N || !db.sp_pwno_L || !db.sp_xnow) {
        return OutlineStatus::NoBays;
    }
    const int bays = db.sp_GetMaxBayS(slope);
    if (bays < 1) return OutlineStatus::NoBays;
    // The index list 1 … N; one spare entry as the library's callers allow.
    std::vector<int> indices(static_cast<size_t>(bays) + 1);
    std::iota(indices.begin(), indices.end(), 1);
    const int axisCount = db.sp_pwno_N(slope, bays, indices.data());
    if (axisCount <= 2) return OutlineStatus::TooFewAxes;
    outline.boundaryAxes.assign(static_cast<size_t>(axisCount), 0);
    db.sp_pwno_L(slope, bays, indices.data(), outline.boundaryAxes.data());
    outline.crossings.reserve(outline.boundaryAxes.size());
    outline.positions.reserve(outline.boundaryAxes.size());
    for (size_t j = 0; j < outline.boundaryAxes.size(); ++j) {
        const int next = outline.boundaryAxes[(j + 1) % outline.boundaryAxes.size()];
        const int crossing = db.sp_xnow(outline.boundaryAxes[j], next);
        auto position = CrossingPosition(slope, crossing);
        if (crossing < 1 || !position) return OutlineStatus::UnreadableCorner;
        outline.crossings.push_back(crossing);
        outline.positions.push_back(*position);
    }
    return OutlineStatus::Ok;
}

bool StoreyLayerExists(LayerCode layer) {
    if (layer <= 0 || !Db().sp_cpnam || !Db().sp_cpno) return false;
    return Db().sp_cpno(Db().sp_cpnam(layer)) == layer;
}

std::optional<int32_t> NodeAtPosition(LayerCode layer, const Vec3d& position) {
    constexpr double kSamePoint = 1.0;
    const int crossings = Db().sp_GetMaxCros();
    double best = kSamePoint;
    std::optional<int32_t> node;
    for (int32_t crossing = 1; crossing <= crossings; ++crossing) {
        const auto at = CrossingPosition(layer, crossing);
        if (!at) continue;
        const double distance = Length(*at - position);
        if (distance >= best) continue;
        const int32_t found = Db().sp_nno(layer, crossing);
        if (found < 1) continue;
        best = distance;
        node = found;
    }
    return node;
}
