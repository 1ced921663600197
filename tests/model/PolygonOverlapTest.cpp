#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "model/PolygonOverlap.h"

namespace {

struct CrossCase {
    const char* name;
    friend void PrintTo(const CrossCase& c, std::ostream* os) { *os << c.name; }
    Vec3d p0, p1, q0, q1;
    bool cross;
};

class SegmentsCrossTable : public testing::TestWithParam<CrossCase> {};

TEST_P(SegmentsCrossTable, Answers) {
    const auto& c = GetParam();
    EXPECT_EQ(SegmentsCross(c.p0, c.p1, c.q0, c.q1), c.cross);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SegmentsCrossTable,
    testing::Values(CrossCase{"PlainCross", {0, 0, 0}, {10, 0, 0}, {5, -5, 0}, {5, 5, 0}, true},
                    CrossCase{"CrossInSpace", {0, 0, 0}, {10, 10, 10}, {0, 10, 0}, {10, 0, 10}, true},
                    CrossCase{"MeetAtFirstStart", {0, 0, 0}, {10, 0, 0}, {0, -5, 0}, {0, 5, 0}, false},
                    CrossCase{"MeetAtFirstEnd", {0, 0, 0}, {10, 0, 0}, {10, -5, 0}, {10, 5, 0}, false},
                    CrossCase{"EndOfSecondOnFirst", {0, 0, 0}, {10, 0, 0}, {5, -5, 0}, {5, 0, 0}, true},
                    CrossCase{"StartOfSecondOnFirst", {0, 0, 0}, {10, 0, 0}, {5, 0, 0}, {5, 5, 0}, false},
                    CrossCase{"Parallel", {0, 0, 0}, {10, 0, 0}, {0, 1, 0}, {10, 1, 0}, false},
                    CrossCase{"CollinearOverlapping", {0, 0, 0}, {10, 0, 0}, {5, 0, 0}, {15, 0, 0}, false},
                    CrossCase{"SkewLinesMissEachOther", {0, 0, 0}, {10, 0, 0}, {5, -5, 1}, {5, 5, 1}, false},
                    CrossCase{"SecondStopsShort", {0, 0, 0}, {10, 0, 0}, {5, 1, 0}, {5, 5, 0}, false},
                    CrossCase{"FirstStopsShort", {0, 0, 0}, {4, 0, 0}, {5, -5, 0}, {5, 5, 0}, false}),
    [](const auto& info) { return std::string(info.param.name); });

SlopePolygon Rectangle(double x0, double y0, double x1, double y1, double z = 0.0) {
    // Clockwise in plan.
    return {{x0, y0, z}, {x0, y1, z}, {x1, y1, z}, {x1, y0, z}};
}

SlopePolygon Reversed(SlopePolygon p) {
    std::reverse(p.begin(), p.end());
    return p;
}

struct OverlapCase {
    const char* name;
    friend void PrintTo(const OverlapCase& c, std::ostream* os) { *os << c.name; }
    SlopePolygon a, b;
    bool overlap;
};

class PolygonsOverlapTable : public testing::TestWithParam<OverlapCase> {};

TEST_P(PolygonsOverlapTable, Answers) {
    const auto& c = GetParam();
    EXPECT_EQ(PolygonsOverlap(c.a, c.b), c.overlap);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PolygonsOverlapTable,
    testing::Values(
        OverlapCase{"EdgesCross", Rectangle(0, 0, 10, 10), Rectangle(5, 5, 15, 15), true},
        OverlapCase{"EdgesCrossOppositeWinding", Rectangle(0, 0, 10, 10), Reversed(Rectangle(5, 5, 15, 15)), true},
        OverlapCase{"CrossShaped", Rectangle(0, 4, 20, 6), Rectangle(9, 0, 11, 10), true},
        // Known limit of the test: containment without crossing edges.
        OverlapCase{"Nested", Rectangle(0, 0, 10, 10), Rectangle(2, 2, 8, 8), false},
        OverlapCase{"Apart", Rectangle(0, 0, 10, 10), Rectangle(20, 0, 30, 10), false},
        OverlapCase{"SharingAnEdge", Rectangle(0, 0, 10, 10), Rectangle(10, 0, 20, 10), false},
        OverlapCase{"ParallelPlanesApart", Rectangle(0, 0, 10, 10, 0.0), Rectangle(5, 5, 15, 15, 3000.0), false},
        OverlapCase{"PlanesNotParallel", Rectangle(0, 0, 10, 10),
                    SlopePolygon{{5, 5, 0}, {5, 15, 0}, {15, 15, 10}, {15, 5, 10}}, false},
        // Neighbours meeting in a T, whichever way either winds.
        OverlapCase{"TJunction", Rectangle(0, 0, 10, 10), Rectangle(10, 5, 20, 15), false},
        OverlapCase{"TJunctionReversed", Reversed(Rectangle(0, 0, 10, 10)), Rectangle(10, 5, 20, 15), false},
        OverlapCase{"TJunctionOtherWay", Rectangle(10, 5, 20, 15), Reversed(Rectangle(0, 0, 10, 10)), false},
        OverlapCase{"PartOfAnEdgeShared", Rectangle(0, 0, 10, 10), Rectangle(10, 2, 20, 8), false},
        // Edges that meet only at ends and along each other, areas shared.
        OverlapCase{"Staggered", Rectangle(0, 0, 10, 10), Rectangle(4, 0, 20, 10), true},
        OverlapCase{"StaggeredReversed", Reversed(Rectangle(4, 0, 20, 10)), Rectangle(0, 0, 10, 10), true},
        OverlapCase{"InsideTouchingAnEdge", Rectangle(0, 0, 10, 10), Rectangle(0, 2, 5, 8), false},
        OverlapCase{"Identical", Rectangle(0, 0, 10, 10), Reversed(Rectangle(0, 0, 10, 10)), false},
        OverlapCase{"CornerPokesIn", Rectangle(0, 0, 10, 10), SlopePolygon{{9.999, 5, 0}, {20, 0, 0}, {20, 10, 0}},
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PolygonsOverlap, TiltedPlanesWithCrossingEdges) {
    // Both in the plane z = x.
    const SlopePolygon a = {{0, 0, 0}, {0, 10, 0}, {10, 10, 10}, {10, 0, 10}};
    const SlopePolygon b = {{5, 5, 5}, {5, 15, 5}, {15, 15, 15}, {15, 5, 15}};
    EXPECT_TRUE(PolygonsOverlap(a, b));
    EXPECT_TRUE(PolygonsOverlap(b, a));
}

// Positions as the model library returns them: 32-bit floats.
SlopePolygon ToFloats(const SlopePolygon& p) {
    SlopePolygon rounded;
    for (const Vec3d& v : p) {
        rounded.push_back({static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)});
    }
    return rounded;
}

// Corners of a plane tilted both ways, on a grid turned by 30°, 40 m out.
SlopePolygon TiltedTurned(const std::vector<std::pair<double, double>>& local) {
    SlopePolygon p;
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    for (auto [u, v] : local) {
        const double x = 40000 + c * u - s * v, y = -35000 + s * u + c * v;
        p.push_back({x, y, 0.37 * x - 0.81 * y + 1234.5});
    }
    return ToFloats(p);
}

TEST(PolygonsOverlap, FloatRoundedTiltedPlaneStillOneRoof) {
    const SlopePolygon a = TiltedTurned({{0, 0}, {1000, 0}, {1000, 800}, {0, 800}});
    const SlopePolygon crossing = TiltedTurned({{600, 400}, {1700, 400}, {1700, 1300}, {600, 1300}});
    const SlopePolygon tee = TiltedTurned({{1000, 300}, {1900, 300}, {1900, 1300}, {1000, 1300}});
    const SlopePolygon apart = TiltedTurned({{1500, 0}, {2500, 0}, {2500, 800}, {1500, 800}});
    EXPECT_TRUE(PolygonsOverlap(a, crossing));
    EXPECT_TRUE(PolygonsOverlap(crossing, a));
    EXPECT_FALSE(PolygonsOverlap(a, tee));
    EXPECT_FALSE(PolygonsOverlap(tee, a));
    EXPECT_FALSE(PolygonsOverlap(a, apart));
}

TEST(PolygonsOverlap, MiddleNodeOrRepeatedCornerDoNotBlindTheNormal) {
    // The first edge and the closing edge of A are in one line, or of no
    // length: the normal must come from all corners.
    const SlopePolygon middle = {{0, 5, 0}, {0, 0, 0}, {10, 0, 10}, {10, 10, 10}, {0, 10, 0}};
    const SlopePolygon repeated = {{0, 0, 0}, {10, 0, 10}, {10, 10, 10}, {0, 10, 0}, {0, 0, 0}};
    const SlopePolygon b = {{5, 5, 5}, {15, 5, 15}, {15, 15, 15}, {5, 15, 5}};
    EXPECT_TRUE(PolygonsOverlap(middle, b));
    EXPECT_TRUE(PolygonsOverlap(repeated, b));
}

TEST(PolygonsOverlap, TooFewCornersOrNoAreaNeverOverlap) {
    const SlopePolygon line = {{0, 0, 0}, {5, 5, 0}, {10, 10, 0}};
    EXPECT_FALSE(PolygonsOverlap(line, Rectangle(0, 0, 10, 10)));
    EXPECT_FALSE(PolygonsOverlap(SlopePolygon{{0, 0, 0}, {1, 0, 0}}, Rectangle(0, 0, 10, 10)));
}

}  // namespace
