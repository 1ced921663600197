#include "model/OrderPickedNodes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "Dialogs.h"
#include "model/ModelQueries.h"
#include "model/Vec3d.h"
#include "model/ModelDbLibrary.h"

namespace {

constexpr double kTolerance = 0.01;

struct Picked {
    NodeRef ref;
    int32_t crossing = 0;  // first crossing; 0 when unknown
    Vec3d position;        // zero when unknown
};

Picked Describe(const NodeRef& ref) {
    Picked p;
    p.ref = ref;
    if (auto crossing = NodeFirstCrossing(ref.layer, ref.node)) {
        p.crossing = *crossing;
        if (auto position = CrossingPosition(ref.layer, *crossing)) p.position = *position;
    }
    return p;
}

// Of two earlier nodes that reach the newest along the same axis the nearer
// one lies between them on that axis; it is dropped. At most one is dropped.
void RemoveRedundantNode(std::vector<Picked>& nodes) {
    const auto& db = Db();
    if (!db.sp_sno || !db.sp_snox) return;
    const Picked& newest = nodes.back();
    std::vector<std::pair<size_t, int>> axisOf;  // earlier node index, its axis
    std::vector<int> work1(kCrossingListSize), work2(kCrossingListSize);
    for (size_t g = 0; g + 1 < nodes.size(); ++g) {
        if (nodes[g].ref.layer != newest.ref.layer) continue;
        int span = 0;
        if (db.sp_sno(newest.ref.layer, static_cast<int>(g), nodes[g].crossing, newest.crossing,
                      &span, work1.data(), work2.data(), 0) < 0) {
            continue;
        }
        int axis = 0, cut1 = 0, cut2 = 0;
        db.sp_snox(newest.ref.layer, span, &axis, &cut1, &cut2);
        auto same = std::find_if(axisOf.begin(), axisOf.end(),
                                 [axis](const auto& entry) { return entry.second == axis; });
        if (same == axisOf.end()) {
            axisOf.emplace_back(g, axis);
            continue;
        }
        const size_t w = same->first;
        const double gDistance = Length(nodes[g].position - newest.position);
        const double wDistance = Length(nodes[w].position - newest.position);
        nodes.erase(nodes.begin() + static_cast<std::ptrdiff_t>(gDistance > wDistance ? w : g));
        return;
    }
}

// Index of the outline's first node: on the layer of the highest node, the
// largest X, then among those within the tolerance of it the largest Y.
size_t StartNode(const std::vector<Picked>& nodes) {
    size_t highest = 0;
    for (size_t i = 1; i < nodes.size(); ++i) {
        if (nodes[i].position.z > nodes[highest].position.z) highest = i;
    }
    const LayerCode layer = nodes[highest].ref.layer;
    double maxX = -HUGE_VAL;
    for (const auto& n : nodes) {
        if (n.ref.layer == layer) maxX = std::max(maxX, n.position.x);
    }
    double maxY = -HUGE_VAL;
    for (const auto& n : nodes) {
        if (n.ref.layer == layer && std::fabs(n.position.x - maxX) <= kTolerance) {
            maxY = std::max(maxY, n.position.y);
        }
    }
    for (size_t i = 0; i < nodes.size(); ++i) {
        const auto& n = nodes[i];
        if (n.ref.layer == layer && std::fabs(n.position.x - maxX) <= kTolerance &&
            std::fabs(n.position.y - maxY) <= kTolerance) {
            return i;
        }
    }
    return highest;
}

Vec3d Plan(const Vec3d& v) { return {v.x, v.y, 0.0}; }

// Angle between two plan vectors; π when the cosine is within the tolerance
// of -1, 0 when either vector is zero (a node at the centroid).
double AngleBetween(const Vec3d& d, const Vec3d& e) {
    const double lengths = Length(d) * Length(e);
    if (lengths == 0.0) return 0.0;
    const double cosine = std::clamp(Dot(d, e) / lengths, -1.0, 1.0);
    if (std::fabs(cosine + 1.0) <= kTolerance) return std::numbers::pi;
    return std::acos(cosine);
}

// Clockwise in plan from the start node round the centroid: first the nodes
// on the clockwise side of the start direction by increasing angle, then
// those on the other side by decreasing angle.
std::vector<Picked> OrderAroundCentroid(std::vector<Picked> work) {
    std::vector<Picked> ordered;
    const size_t start = StartNode(work);
    ordered.push_back(work[start]);
    work.erase(work.begin() + static_cast<std::ptrdiff_t>(start));

    Vec3d centroid;
    for (const auto& n : ordered) centroid += Plan(n.position);
    for (const auto& n : work) centroid += Plan(n.position);
    centroid /= static_cast<double>(ordered.size() + work.size());
    const Vec3d d = Plan(ordered.front().position) - centroid;

    auto sweep = [&](bool clockwiseSide) {
        for (;;) {
            std::optional<size_t> best;
            double bestAngle = 0.0;
            for (size_t i = 0; i < work.size(); ++i) {
                const Vec3d e = Plan(work[i].position) - centroid;
                const bool positive = Cross(d, e).z > 0.0;
                if (positive == clockwiseSide) continue;
                const double angle = AngleBetween(d, e);
                // The later node wins on equal angles.
                if (!best || (clockwiseSide ? angle <= bestAngle : angle >= bestAngle)) {
                    best = i;
                    bestAngle = angle;
                }
            }
            if (!best) return;
            ordered.push_back(work[*best]);
            work.erase(work.begin() + static_cast<std::ptrdiff_t>(*best));
        }
    };
    sweep(true);
    sweep(false);
    // Both sweeps together take every node; kept as a guard so that no
    // picked node is ever lost from the list.
    ordered.insert(ordered.end(), work.begin(), work.end());
    return ordered;
}

// The unit normals of (P1 - P0) × (Pk - P0) must agree in the absolute value
// of every component; collinear triples give no normal and are skipped.
bool Coplanar(const std::vector<Picked>& nodes) {
    const Vec3d p0 = nodes[0].position, p1 = nodes[1].position;
    std::optional<Vec3d> reference;
    for (size_t k = 2; k < nodes.size(); ++k) {
        const Vec3d n = Unit(Cross(p1 - p0, nodes[k].position - p0));
        if (n == Vec3d()) continue;
        if (!reference) {
            reference = n;
            continue;
        }
        if (std::fabs(std::fabs(n.x) - std::fabs(reference->x)) > kTolerance ||
            std::fabs(std::fabs(n.y) - std::fabs(reference->y)) > kTolerance ||
            std::fabs(std::fabs(n.z) - std::fabs(reference->z)) > kTolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool OrderPickedNodes(std::vector<NodeRef>& picked) {
    if (picked.size() < 3) return false;
    const NodeRef newest = picked.back();

    std::vector<Picked> nodes;
    nodes.reserve(picked.size());
    for (const auto& ref : picked) nodes.push_back(Describe(ref));

    RemoveRedundantNode(nodes);
    std::vector<Picked> ordered = OrderAroundCentroid(std::move(nodes));

    picked.clear();
    for (const auto& n : ordered) picked.push_back(n.ref);

    if (ordered.size() >= 3 && !Coplanar(ordered)) {
        platform::CurrentDialogs().ShowMessage(kOnlyPlanesMessage);
        std::erase(picked, newest);
        return false;
    }
    return true;
}
