#include <gtest/gtest.h>

#include <algorithm>
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
    testing::Values(
        CrossCase{"PlainCross", {0, 0, 0}, {10, 0, 0}, {5, -5, 0}, {5, 5, 0}, true},
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
        OverlapCase{"EdgesCrossOppositeWinding", Rectangle(0, 0, 10, 10),
                    Reversed(Rectangle(5, 5, 15, 15)), true},
        OverlapCase{"CrossShaped", Rectangle(0, 4, 20, 6), Rectangle(9, 0, 11, 10), true},
        // Known limit of the test: containment without crossing edges.
        OverlapCase{"Nested", Rectangle(0, 0, 10, 10), Rectangle(2, 2, 8, 8), false},
        OverlapCase{"Apart", Rectangle(0, 0, 10, 10), Rectangle(20, 0, 30, 10), false},
        OverlapCase{"SharingAnEdge", Rectangle(0, 0, 10, 10), Rectangle(10, 0, 20, 10), false},
        OverlapCase{"ParallelPlanesApart", Rectangle(0, 0, 10, 10, 0.0),
                    Rectangle(5, 5, 15, 15, 3000.0), false},
        OverlapCase{"PlanesNotParallel", Rectangle(0, 0, 10, 10),
                    SlopePolygon{{5, 5, 0}, {5, 15, 0}, {15, 15, 10}, {15, 5, 10}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PolygonsOverlap, TiltedPlanesWithCrossingEdges) {
    // Both in the plane z = x.
    const SlopePolygon a = {{0, 0, 0}, {0, 10, 0}, {10, 10, 10}, {10, 0, 10}};
    const SlopePolygon b = {{5, 5, 5}, {5, 15, 5}, {15, 15, 15}, {15, 5, 15}};
    EXPECT_TRUE(PolygonsOverlap(a, b));
    EXPECT_TRUE(PolygonsOverlap(b, a));
}

}  // namespace
