#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "model/Polygon2d.h"
#include "model/PolygonPlane.h"

namespace {

TEST(Orientation, ExactWhereRoundedArithmeticGuesses) {
    // c lies one unit in the last place off the line a-b; the naive
    // determinant in doubles rounds to 0 or the wrong sign near such points.
    const Point2d a{0.5, 0.5}, b{12.0, 12.0};
    const Point2d above{24.0, std::nextafter(24.0, 25.0)};
    const Point2d below{24.0, std::nextafter(24.0, 23.0)};
    EXPECT_EQ(Orientation(a, b, above), 1);
    EXPECT_EQ(Orientation(a, b, below), -1);
    EXPECT_EQ(Orientation(a, b, {24.0, 24.0}), 0);
    // Swapping the line's ends swaps the side.
    EXPECT_EQ(Orientation(b, a, above), -1);
}

const Polygon2d kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

struct LocateCase {
    const char* name;
    friend void PrintTo(const LocateCase& c, std::ostream* os) { *os << c.name; }
    Point2d p;
    bool reversed;
    Location expected;
};

class LocateTable : public testing::TestWithParam<LocateCase> {};

TEST_P(LocateTable, Answers) {
    const auto& c = GetParam();
    Polygon2d square = kSquare;
    if (c.reversed) std::reverse(square.begin(), square.end());
    EXPECT_EQ(Locate(square, c.p, 0.0001), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LocateTable,
                         testing::Values(LocateCase{"Inside", {5, 5}, false, Location::Inside},
                                         LocateCase{"InsideClockwise", {5, 5}, true, Location::Inside},
                                         LocateCase{"Outside", {15, 5}, false, Location::Outside},
                                         LocateCase{"LevelWithACorner", {-5, 10}, false, Location::Outside},
                                         LocateCase{"OnAnEdge", {10, 5}, true, Location::Boundary},
                                         LocateCase{"WithinTheTolerance", {10.00005, 5}, false, Location::Boundary},
                                         LocateCase{"JustBeyondIt", {10.0002, 5}, false, Location::Outside},
                                         LocateCase{"AtACorner", {0, 0}, false, Location::Boundary}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CrossCase {
    const char* name;
    friend void PrintTo(const CrossCase& c, std::ostream* os) { *os << c.name; }
    Point2d a0, a1, b0, b1;
    bool cross;
};

class CrossProperlyTable : public testing::TestWithParam<CrossCase> {};

TEST_P(CrossProperlyTable, AnswersTheSameBothWays) {
    const auto& c = GetParam();
    EXPECT_EQ(SegmentsCrossProperly(c.a0, c.a1, c.b0, c.b1, 0.0001), c.cross);
    EXPECT_EQ(SegmentsCrossProperly(c.b1, c.b0, c.a0, c.a1, 0.0001), c.cross);
}

INSTANTIATE_TEST_SUITE_P(Cases, CrossProperlyTable,
                         testing::Values(CrossCase{"Cross", {0, 0}, {10, 0}, {5, -5}, {5, 5}, true},
                                         CrossCase{"TJunction", {0, 0}, {10, 0}, {5, 0}, {5, 5}, false},
                                         CrossCase{"TWithinTolerance", {0, 0}, {10, 0}, {5, -0.00005}, {5, 5}, false},
                                         CrossCase{"PokingThrough", {0, 0}, {10, 0}, {5, -0.001}, {5, 5}, true},
                                         CrossCase{"SharedCorner", {0, 0}, {10, 0}, {10, 0}, {10, 5}, false},
                                         CrossCase{"AlongEachOther", {0, 0}, {10, 0}, {5, 0}, {15, 0}, false},
                                         CrossCase{"Apart", {0, 0}, {10, 0}, {11, -5}, {11, 5}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BoundaryEntersAndLeaves, TellsSharedAreaFromTouching) {
    // Shares part of the right edge, a T at (10, 5): touching only.
    const Polygon2d neighbour = {{10, 5}, {20, 5}, {20, 15}, {10, 15}};
    EXPECT_FALSE(BoundaryEntersAndLeaves(neighbour, kSquare, 0.0001));
    EXPECT_FALSE(BoundaryEntersAndLeaves(kSquare, neighbour, 0.0001));
    // Along the same grid lines but reaching into the square.
    const Polygon2d staggered = {{4, 0}, {20, 0}, {20, 10}, {4, 10}};
    EXPECT_TRUE(BoundaryEntersAndLeaves(staggered, kSquare, 0.0001));
    // Inside, touching the boundary at one edge: containment.
    const Polygon2d inner = {{0, 2}, {5, 2}, {5, 8}, {0, 8}};
    EXPECT_FALSE(BoundaryEntersAndLeaves(inner, kSquare, 0.0001));
    EXPECT_FALSE(BoundaryEntersAndLeaves(kSquare, inner, 0.0001));
}

TEST(NewellNormal, UnmovedByMiddleNodesAndRepeatedCorners) {
    // z = x over a 10 × 10 square: normal (-1, 0, 1) × area 100 × 2 / √2·√2.
    const SlopePolygon plain = {{0, 0, 0}, {10, 0, 10}, {10, 10, 10}, {0, 10, 0}};
    const Vec3d expected = NewellNormal(plain);
    EXPECT_NEAR(expected.x, -200, 1e-9);
    EXPECT_NEAR(expected.y, 0, 1e-9);
    EXPECT_NEAR(expected.z, 200, 1e-9);
    // The first three corners in a line, then the first corner twice.
    const SlopePolygon middle = {{0, 0, 0}, {5, 0, 5}, {10, 0, 10}, {10, 10, 10}, {0, 10, 0}};
    const SlopePolygon repeated = {{0, 0, 0}, {0, 0, 0}, {10, 0, 10}, {10, 10, 10}, {0, 10, 0}};
    for (const SlopePolygon* p : {&middle, &repeated}) {
        EXPECT_NEAR(Length(NewellNormal(*p) - expected), 0.0, 1e-9);
    }
    EXPECT_EQ(DominantAxis(expected), 2);  // |z| wins the tie with |x|
}

}  // namespace
