#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "model/PolygonIntersection.h"

namespace {

constexpr double kTol = 1e-6;

SlopePolygon Reversed(SlopePolygon p) {
    std::reverse(p.begin(), p.end());
    return p;
}

// Rising with x: z = x over [0, 10] × [0, 10], clockwise in plan.
const SlopePolygon kRising = {{0, 0, 0}, {0, 10, 0}, {10, 10, 10}, {10, 0, 10}};
// Falling with x: z = 10 - x over the same square.
const SlopePolygon kFalling = {{0, 0, 10}, {0, 10, 10}, {10, 10, 0}, {10, 0, 0}};

// The chord's ends, whichever order they come in.
void ExpectChord(const std::optional<Segment3d>& s, const Vec3d& e1, const Vec3d& e2) {
    ASSERT_TRUE(s.has_value());
    Vec3d p1 = s->p1, p2 = s->p2;
    if (Length(p1 - e1) > Length(p2 - e1)) std::swap(p1, p2);
    EXPECT_NEAR(Length(p1 - e1), 0.0, kTol);
    EXPECT_NEAR(Length(p2 - e2), 0.0, kTol);
}

struct WindingCase {
    const char* name;
    friend void PrintTo(const WindingCase& c, std::ostream* os) { *os << c.name; }
    bool reverseA, reverseB;
};

class IntersectionWinding : public testing::TestWithParam<WindingCase> {};

TEST_P(IntersectionWinding, FindsTheRidgeWhicheverWayThePolygonsWind) {
    const auto& c = GetParam();
    const SlopePolygon a = c.reverseA ? Reversed(kRising) : kRising;
    const SlopePolygon b = c.reverseB ? Reversed(kFalling) : kFalling;
    ExpectChord(PolygonIntersectionSegment(a, b), {5, 0, 5}, {5, 10, 5});
}

INSTANTIATE_TEST_SUITE_P(Cases, IntersectionWinding,
                         testing::Values(WindingCase{"BothClockwise", false, false},
                                         WindingCase{"FirstCounterClockwise", true, false},
                                         WindingCase{"SecondCounterClockwise", false, true},
                                         WindingCase{"BothCounterClockwise", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PolygonIntersectionSegment, IsTheChordOfTheFirstPolygon) {
    // B covers only y in [2, 6]; the chord still spans A from y 0 to 10.
    const SlopePolygon b = {{0, 2, 10}, {0, 6, 10}, {10, 6, 0}, {10, 2, 0}};
    ExpectChord(PolygonIntersectionSegment(kRising, b), {5, 0, 5}, {5, 10, 5});
}

TEST(PolygonIntersectionSegment, AgainstAHorizontalSlope) {
    // A horizontal square at z = 4 over the rising slope: the line x = 4.
    const SlopePolygon flat = {{0, 0, 4}, {0, 10, 4}, {10, 10, 4}, {10, 0, 4}};
    ExpectChord(PolygonIntersectionSegment(kRising, flat), {4, 0, 4}, {4, 10, 4});
}

TEST(PolygonIntersectionSegment, ZRangesThatOnlyTouchGiveNothing) {
    const SlopePolygon above = {{0, 0, 10}, {0, 10, 10}, {10, 10, 20}, {10, 0, 20}};
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, above).has_value());
    EXPECT_FALSE(PolygonIntersectionSegment(above, kRising).has_value());
}

TEST(PolygonIntersectionSegment, ParallelPlanesGiveNothing) {
    const SlopePolygon shifted = {{0, 0, 5}, {0, 10, 5}, {10, 10, 15}, {10, 0, 15}};
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, shifted).has_value());
}

TEST(PolygonIntersectionSegment, LineOutsideTheOtherPolygonInPlanGivesNothing) {
    // The planes meet along x = 5, but B lies at x 100 … 110 in plan.
    const SlopePolygon far = {{100, 0, 10}, {100, 10, 10}, {110, 10, 0}, {110, 0, 0}};
    const SlopePolygon farFalling = {{100, 0, -90}, {100, 10, -90}, {110, 10, -100}, {110, 0, -100}};
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, far).has_value());
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, farFalling).has_value());
}

TEST(PolygonIntersectionSegment, ChordAlongAnExistingEdgeIsDropped) {
    // B falls away from A's low edge x = 0: they meet only along that edge.
    const SlopePolygon b = {{-10, 0, 10}, {-10, 10, 10}, {0, 10, 0}, {0, 0, 0}};
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, b).has_value());
}

TEST(PolygonIntersectionSegment, TriangleAgainstPentagon) {
    // A triangle rising with x and a five-cornered roof falling with x.
    const SlopePolygon triangle = {{0, 0, 0}, {0, 10, 0}, {10, 0, 10}};
    const SlopePolygon pentagon = {{0, 0, 10}, {0, 10, 10}, {5, 12, 5}, {10, 10, 0}, {10, 0, 0}};
    // x = 5 crosses the triangle from (5, 0) to (5, 5).
    ExpectChord(PolygonIntersectionSegment(triangle, pentagon), {5, 0, 5}, {5, 5, 5});
}

TEST(PolygonIntersectionSegment, TooFewCornersGiveNothing) {
    const SlopePolygon two = {{0, 0, 0}, {1, 1, 1}};
    EXPECT_FALSE(PolygonIntersectionSegment(two, kFalling).has_value());
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, two).has_value());
}

TEST(PolygonIntersectionSegment, SecondPolygonInsideTheFirstInPlan) {
    // B lies wholly inside A in plan, away from A's fan diagonal; the line
    // x = 5 passes through both.
    const SlopePolygon b = {{4, 7, 6}, {4, 9, 6}, {6, 9, 4}, {6, 7, 4}};
    ExpectChord(PolygonIntersectionSegment(kRising, b), {5, 0, 5}, {5, 10, 5});
    ExpectChord(PolygonIntersectionSegment(kRising, Reversed(b)), {5, 0, 5}, {5, 10, 5});
}

TEST(PolygonIntersectionSegment, CommonInteriorOfAMillimetreOrLess) {
    // B meets the line x = 5 over 0.5 mm only (y 9.5 … 10 inside A).
    const SlopePolygon touching = {{4, 9.5, 6}, {4, 12, 6}, {6, 12, 4}, {6, 9.5, 4}};
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, touching).has_value());
    const SlopePolygon enough = {{4, 8.5, 6}, {4, 12, 6}, {6, 12, 4}, {6, 8.5, 4}};
    EXPECT_TRUE(PolygonIntersectionSegment(kRising, enough).has_value());
}

TEST(PolygonIntersectionSegment, NearlyParallelPlanesMeetNowhere) {
    // 1e-7 rad apart: their line would be an artefact.
    const SlopePolygon nearly = {{0, 0, -0.0000005}, {0, 10, -0.0000005}, {10, 10, 10.0000005}, {10, 0, 10.0000005}};
    EXPECT_FALSE(PolygonIntersectionSegment(kRising, nearly).has_value());
    // 1e-3 apart is a real, shallow valley along x = 5.
    const SlopePolygon shallow = {{0, 0, -0.01}, {0, 10, -0.01}, {10, 10, 10.01}, {10, 0, 10.01}};
    ExpectChord(PolygonIntersectionSegment(kRising, shallow), {5, 0, 5}, {5, 10, 5});
}

TEST(PolygonIntersectionSegment, MiddleNodeAsSecondCorner) {
    // The first fan triangle of A is a line; the plane comes from all corners.
    const SlopePolygon a = {{0, 0, 0}, {0, 5, 0}, {0, 10, 0}, {10, 10, 10}, {10, 0, 10}};
    ExpectChord(PolygonIntersectionSegment(a, kFalling), {5, 0, 5}, {5, 10, 5});
    const SlopePolygon repeated = {{0, 0, 0}, {0, 0, 0}, {0, 10, 0}, {10, 10, 10}, {10, 0, 10}};
    ExpectChord(PolygonIntersectionSegment(repeated, kFalling), {5, 0, 5}, {5, 10, 5});
}

// Corners on a grid turned by 30° and moved 30 m, rounded to floats.
SlopePolygon Turned(const SlopePolygon& local, double scale) {
    SlopePolygon p;
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    for (const Vec3d& q : local) {
        const double x = 30000 + scale * (c * q.x - s * q.y);
        const double y = 20000 + scale * (s * q.x + c * q.y);
        p.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<float>(scale * q.z)});
    }
    return p;
}

TEST(PolygonIntersectionSegment, LevelRidgeOnATurnedFloatGrid) {
    // The ridge is level: its direction's z is 0 but for rounding, which must
    // not put the line's point far away.
    const double scale = 100.0;
    const auto chord = PolygonIntersectionSegment(Turned(kRising, scale), Turned(kFalling, scale));
    ASSERT_TRUE(chord.has_value());
    const Vec3d e1 = Turned({{5, 0, 5}}, scale)[0], e2 = Turned({{5, 10, 5}}, scale)[0];
    const bool direct = Length(chord->p1 - e1) < Length(chord->p1 - e2);
    EXPECT_LT(Length((direct ? chord->p1 : chord->p2) - e1), 0.01);
    EXPECT_LT(Length((direct ? chord->p2 : chord->p1) - e2), 0.01);
}

TEST(PolygonIntersectionSegment, CoplanarNeighboursOnAFloatGridGiveNothing) {
    const SlopePolygon next = {{10, 0, 10}, {10, 10, 10}, {20, 10, 20}, {20, 0, 20}};
    EXPECT_FALSE(PolygonIntersectionSegment(Turned(kRising, 100), Turned(next, 100)).has_value());
    // A hip: neighbours whose planes meet along their shared edge.
    const SlopePolygon hip = {{10, 0, 10}, {10, 10, 10}, {20, 10, 0}, {20, 0, 0}};
    EXPECT_FALSE(PolygonIntersectionSegment(Turned(kRising, 100), Turned(hip, 100)).has_value());
}

}  // namespace
