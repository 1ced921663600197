#include "CameraFit.h"

#include <algorithm>

#include "model/ModelQueries.h"
#include "model/PlanLineIntersection.h"
#include "model/ModelDbLibrary.h"

namespace {

// The plan crossing of two axes' lines on a layer (the layer's height from
// its crossing 1).
Vec3d AxesMeet(LayerCode layer, int axisA, int axisB) {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
    Db().sp_GetTwoPntCord(layer, axisA, &x1, &y1, &x2, &y2);
    Db().sp_GetTwoPntCord(layer, axisB, &x3, &y3, &x4, &y4);
    const double z = CrossingPosition(layer, 1).value_or(Vec3d()).z;
    // Parallel lines do not meet: the first line's start stands in.
    return PlanLineIntersection(Vec3d(x1, y1, z), Vec3d(x2, y2, z), Vec3d(x3, y3, 0), Vec3d(x4, y4, 0))
        .value_or(Vec3d(x1, y1, z));
}

}  // namespace

void StartCamera(Camera& camera) {
    const int storeys = ModelBound() ? Db().sp_GetMaxSeqLay() : 0;
    if (storeys < 1 || Db().sp_GetMaxCros() < 1) {
        camera.target = Vec3d();
        camera.azimuth = 0.0f;
        camera.elevation = 0.0f;
        camera.distance = 5000.0f;
        return;
    }
    Vec3d min(1.0e9, 1.0e9, 0.0), max(-1.0e9, -1.0e9, 0.0);
    for (int i = 0; i < storeys; ++i) {
        float maxX = 0, maxY = 0, minX = 0, minY = 0;
        if (Db().sp_GetMaxMinCord(i, &maxX, &maxY, &minX, &minY) < 0) continue;
        min.x = std::min(min.x, static_cast<double>(minX));
        min.y = std::min(min.y, static_cast<double>(minY));
        max.x = std::max(max.x, static_cast<double>(maxX));
        max.y = std::max(max.y, static_cast<double>(maxY));
    }
    min.z = CrossingPosition(1, 1).value_or(Vec3d()).z;
    max.z = CrossingPosition(storeys, 1).value_or(Vec3d()).z;
    camera.target = (min + max) / 2.0;
    camera.distance = static_cast<float>(std::max(Length(max - min), 1500.0));
    camera.azimuth = -120.0f;
    camera.elevation = 15.0f;
}

void FitCamera(Camera& camera, const EffectiveRange& range) {
    if (!ModelBound()) return;
    Vec3d halfDiagonal;
    if (range.enabled) {
        const Vec3d low = AxesMeet(range.lowerLayer, range.axisMinX, range.axisMinY);
        const Vec3d high = AxesMeet(range.upperLayer, range.axisMaxX, range.axisMaxY);
        camera.target = (low + high) / 2.0;
        halfDiagonal = camera.target - low;
    } else {
        Vec3d min(1.0e20, 1.0e20, 1.0e20), max(-1.0e20, -1.0e20, -1.0e20);
        const int storeys = Db().sp_GetMaxSeqLay();
        for (int storey = 1; storey <= storeys; ++storey) {
            const int nameCode = Db().sp_cpnam(storey);
            const int spans = Db().sp_GetMaxSpan(storey);
            for (int s = 1; s <= spans; ++s) {
                int axis = 0, cut1 = 0, cut2 = 0;
                if (Db().sp_snox(storey, s, &axis, &cut1, &cut2) != 0) continue;
                for (int cut : {cut1, cut2}) {
                    auto p = NodePosition(nameCode, Db().sp_xnow(axis, cut));
                    if (!p) continue;
                    min = Vec3d(std::min(min.x, p->x), std::min(min.y, p->y), std::min(min.z, p->z));
                    max = Vec3d(std::max(max.x, p->x), std::max(max.y, p->y), std::max(max.z, p->z));
                }
            }
        }
        if (min.x > max.x) return;  // nothing to fit
        camera.target = (min + max) / 2.0;
        halfDiagonal = camera.target - min;
    }
    camera.distance = static_cast<float>(2.0 * Length(halfDiagonal));
    camera.azimuth = -110.0f;
    camera.elevation = 15.0f;
}
