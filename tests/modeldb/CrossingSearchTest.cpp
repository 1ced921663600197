// The crossing search against the all-pairs search it replaced, kept here
// as the reference: on random axis sets the crossings, their numbering,
// their points and the node numbering must be exactly the same, because
// every stored reference depends on them.
#include "ModelTopology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <random>

using namespace teva;

namespace {

struct Reference {
    std::vector<CrossingInfo> crossings;  // node filled in
};

// The former search: every pair of axes, then nodes by a 1 mm cell map.
Reference allPairs(const std::vector<AxisInfo>& axes)
{
    auto cross = [](double ax, double ay, double bx, double by) { return ax * by - ay * bx; };
    Reference r;
    const int count = static_cast<int>(axes.size());
    for (int i = 0; i < count; ++i) {
        const AxisInfo& p = axes[static_cast<std::size_t>(i)];
        const double dx1 = p.x2 - p.x1, dy1 = p.y2 - p.y1;
        const double len1 = std::hypot(dx1, dy1);
        for (int j = i + 1; j < count; ++j) {
            const AxisInfo& q = axes[static_cast<std::size_t>(j)];
            const double dx2 = q.x2 - q.x1, dy2 = q.y2 - q.y1;
            const double len2 = std::hypot(dx2, dy2);
            const double den = cross(dx1, dy1, dx2, dy2);
            if (std::abs(den) <= 1e-9 * len1 * len2)
                continue;
            const double ox = q.x1 - p.x1, oy = q.y1 - p.y1;
            const double t = cross(ox, oy, dx2, dy2) / den;
            const double u = cross(ox, oy, dx1, dy1) / den;
            const double slack1 = 0.5 / len1, slack2 = 0.5 / len2;
            if (t < -slack1 || t > 1 + slack1 || u < -slack2 || u > 1 + slack2)
                continue;
            r.crossings.push_back({i + 1, j + 1, p.x1 + t * dx1, p.y1 + t * dy1, 0});
        }
    }
    const std::size_t n = r.crossings.size();
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&parent](int i) {
        while (parent[static_cast<std::size_t>(i)] != i)
            i = parent[static_cast<std::size_t>(i)];
        return i;
    };
    std::map<std::pair<long long, long long>, std::vector<int>> cells;
    for (std::size_t i = 0; i < n; ++i) {
        const CrossingInfo& c = r.crossings[i];
        const auto cx = static_cast<long long>(std::floor(c.x)), cy = static_cast<long long>(std::floor(c.y));
        for (long long gx = cx - 1; gx <= cx + 1; ++gx)
            for (long long gy = cy - 1; gy <= cy + 1; ++gy)
                for (const int o : cells[{gx, gy}]) {
                    const CrossingInfo& other = r.crossings[static_cast<std::size_t>(o)];
                    if (std::hypot(other.x - c.x, other.y - c.y) < 1.0) {
                        const int a = find(static_cast<int>(i)), b = find(o);
                        parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
                    }
                }
        cells[{cx, cy}].push_back(static_cast<int>(i));
    }
    std::vector<int> nodeOfRoot(n, 0);
    int nodes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto root = static_cast<std::size_t>(find(static_cast<int>(i)));
        if (nodeOfRoot[root] == 0)
            nodeOfRoot[root] = ++nodes;
        r.crossings[i].node = nodeOfRoot[root];
    }
    return r;
}

void addAxis(ProjectData& data, int id, double x1, double y1, double x2, double y2)
{
    const auto i16 = static_cast<std::int16_t>(id);
    RecordBytes line(AxisLineRecord::size), point(AxisPointRecord::size);
    encode(AxisLineRecord{i16, 0, i16, 1, 2, x1, y1}, line.data());
    encode(AxisPointRecord{i16, 2, x2, y2}, point.data());
    data.records[TEVA_REC_AXIS_LINE][RecordKey{id, 0}] = line;
    data.records[TEVA_REC_AXIS_POINT][RecordKey{id, 2}] = point;
}

using Segment = std::array<double, 4>;

// Axis sets that stress the search: each generator gets a seeded random
// source and answers about 150 segments.
struct AxisSet {
    const char* name;
    std::function<std::vector<Segment>(std::mt19937_64&)> make;
};

std::vector<Segment> randomSegments(std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> pos(-20000, 20000), len(1, 30000), angle(0, 6.283185307179586);
    std::vector<Segment> s;
    for (int i = 0; i < 150; ++i) {
        const double x = pos(rng), y = pos(rng), l = len(rng), a = angle(rng);
        s.push_back({x, y, x + l * std::cos(a), y + l * std::sin(a)});
    }
    return s;
}

// Ends that stop short of, touch or overrun another axis by up to 0.7 mm:
// both sides of the 0.5 mm tolerance.
std::vector<Segment> nearTouchingEnds(std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> gap(-0.7, 0.7), pos(0, 10000), angle(0.2, 2.9);
    std::vector<Segment> s;
    for (int i = 0; i < 15; ++i)
        s.push_back({0, 1000.0 * i, 10000, 1000.0 * i + 3});
    for (int i = 0; i < 135; ++i) {
        const Segment& base = s[static_cast<std::size_t>(i % 15)];
        const double t = pos(rng) / 10000, a = angle(rng), g = gap(rng);
        const double px = base[0] + t * (base[2] - base[0]), py = base[1] + t * (base[3] - base[1]);
        // The end lies g mm beyond (positive) or short of the base line.
        const double ex = px - g * std::cos(a), ey = py - g * std::sin(a);
        const double l = 500 + pos(rng) / 10;
        if (i % 2)
            s.push_back({ex, ey, ex + l * std::cos(a), ey + l * std::sin(a)});
        else
            s.push_back({ex + l * std::cos(a), ey + l * std::sin(a), ex, ey});
    }
    return s;
}

// Parallel and nearly parallel axes (direction sines around 1e-9), some
// overlapping, plus a few that cut them.
std::vector<Segment> parallels(std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> off(-2, 2), tilt(-3e-9, 3e-9), pos(0, 50000);
    std::vector<Segment> s;
    for (int i = 0; i < 140; ++i) {
        const double y = off(rng) + 5.0 * (i % 7), x0 = pos(rng), l = 1000 + pos(rng);
        const double slope = i % 3 ? tilt(rng) : 0.0;
        s.push_back({x0, y, x0 + l, y + slope * l});
    }
    for (int i = 0; i < 10; ++i) {
        const double x = pos(rng);
        s.push_back({x, -100, x + off(rng), 200});
    }
    return s;
}

// Bundles of axes through nearly one point: crossings a fraction of a
// millimetre apart, chained into shared nodes.
std::vector<Segment> crowdedCrossings(std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> jitter(-0.6, 0.6), angle(0, 3.141592653589793);
    std::vector<Segment> s;
    for (int bundle = 0; bundle < 10; ++bundle) {
        const double cx = 3000.0 * bundle, cy = 1500.0 * (bundle % 3);
        for (int k = 0; k < 15; ++k) {
            const double a = angle(rng), x = cx + jitter(rng), y = cy + jitter(rng);
            s.push_back({x - 2000 * std::cos(a), y - 2000 * std::sin(a), x + 2000 * std::cos(a), y + 2000 * std::sin(a)});
        }
    }
    return s;
}

// A grid far out at the edge of the coordinate range, and a few long
// diagonals across it.
std::vector<Segment> farGrid(std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> jitter(-0.4, 0.4);
    std::vector<Segment> s;
    const double o = 1e9 - 1e6;
    for (int i = 0; i < 70; ++i) {
        s.push_back({o + 1000.0 * i + jitter(rng), o, o + 1000.0 * i, o + 70000});
        s.push_back({o, o + 1000.0 * i, o + 70000, o + 1000.0 * i + jitter(rng)});
    }
    for (int i = 0; i < 10; ++i)
        s.push_back({o + 500.0 * i, o, o + 70000, o + 70000 - 500.0 * i});
    return s;
}

TEST(TevaCrossingSearch, MatchesTheAllPairsSearchExactly)
{
    const AxisSet sets[] = {{"random", randomSegments},       {"near-touching ends", nearTouchingEnds},
                            {"parallels", parallels},          {"crowded crossings", crowdedCrossings},
                            {"far grid", farGrid}};
    for (const AxisSet& set : sets) {
        for (std::uint64_t seed = 1; seed <= 8; ++seed) {
            SCOPED_TRACE(std::string(set.name) + " seed " + std::to_string(seed));
            std::mt19937_64 rng(seed);
            std::vector<Segment> segments = set.make(rng);
            // Axis numbers follow line ids; shuffle so neighbours in space
            // are not neighbours in number.
            std::shuffle(segments.begin(), segments.end(), rng);
            ProjectData data;
            data.storeyHeights = {0};
            for (std::size_t i = 0; i < segments.size(); ++i) {
                const Segment& g = segments[i];
                addAxis(data, static_cast<int>(i) + 1, g[0], g[1], g[2], g[3]);
            }
            const ModelTopology model = ModelTopology::build(data);
            const Reference expected = allPairs(model.axes());
            ASSERT_EQ(model.crossings().size(), expected.crossings.size());
            ASSERT_FALSE(expected.crossings.empty());
            int mismatches = 0;
            for (std::size_t c = 0; c < expected.crossings.size() && mismatches < 5; ++c) {
                const CrossingInfo& got = model.crossings()[c];
                const CrossingInfo& want = expected.crossings[c];
                if (got.axisA != want.axisA || got.axisB != want.axisB || got.x != want.x || got.y != want.y ||
                    got.node != want.node) {
                    ++mismatches;
                    ADD_FAILURE() << "crossing " << c + 1 << ": (" << got.axisA << ", " << got.axisB << ") node "
                                  << got.node << " instead of (" << want.axisA << ", " << want.axisB << ") node "
                                  << want.node;
                }
            }
        }
    }
}

TEST(TevaCrossingSearch, TheSetsReachTheCasesTheyAreMeantFor)
{
    // The generators must really produce shared nodes and crossings at
    // the tolerance, or the comparison above proves little.
    std::mt19937_64 rng(3);
    ProjectData data;
    data.storeyHeights = {0};
    const auto segments = crowdedCrossings(rng);
    for (std::size_t i = 0; i < segments.size(); ++i)
        addAxis(data, static_cast<int>(i) + 1, segments[i][0], segments[i][1], segments[i][2], segments[i][3]);
    const ModelTopology model = ModelTopology::build(data);
    EXPECT_LT(model.nodeCount(), static_cast<int>(model.crossings().size()) / 2);

    std::mt19937_64 rng2(3);
    const auto ends = nearTouchingEnds(rng2);
    ProjectData touching;
    touching.storeyHeights = {0};
    for (std::size_t i = 0; i < ends.size(); ++i)
        addAxis(touching, static_cast<int>(i) + 1, ends[i][0], ends[i][1], ends[i][2], ends[i][3]);
    const ModelTopology touchingModel = ModelTopology::build(touching);
    int atEnds = 0;
    for (const CrossingInfo& c : touchingModel.crossings()) {
        for (const int a : {c.axisA, c.axisB}) {
            const AxisInfo& axis = touchingModel.axes()[static_cast<std::size_t>(a - 1)];
            const double d = std::min(std::hypot(c.x - axis.x1, c.y - axis.y1), std::hypot(c.x - axis.x2, c.y - axis.y2));
            atEnds += d < 0.75 ? 1 : 0;
        }
    }
    // About half of the 135 ends lie within the tolerance of their base.
    EXPECT_GT(atEnds, 40);
}

} // namespace
