#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "model/PlanLineIntersection.h"
#include "model/Vec3d.h"

namespace {

constexpr double kTol = 1e-12;

void ExpectVec(const Vec3d& actual, const Vec3d& expected, double tol = kTol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

TEST(Vec3d, DefaultIsZeroAndSetAssigns) {
    Vec3d v;
    ExpectVec(v, {0, 0, 0});
    v.Set(1.5, -2, 3);
    ExpectVec(v, {1.5, -2, 3});
}

TEST(Vec3d, ComponentWiseArithmetic) {
    const Vec3d a(1, 2, 3), b(4, -5, 6);
    ExpectVec(a + b, {5, -3, 9});
    ExpectVec(a - b, {-3, 7, -3});
    ExpectVec(-a, {-1, -2, -3});
    ExpectVec(a * 2.0, {2, 4, 6});
    ExpectVec(0.5 * a, {0.5, 1, 1.5});
    ExpectVec(b / 2.0, {2, -2.5, 3});
    Vec3d c = a;
    c *= 3.0;
    ExpectVec(c, {3, 6, 9});
    c /= 3.0;
    ExpectVec(c, a);
}

TEST(Vec3d, DotCrossLength) {
    const Vec3d a(1, 2, 3), b(4, -5, 6);
    EXPECT_DOUBLE_EQ(Dot(a, b), 4 - 10 + 18);
    ExpectVec(Cross(a, b), {2 * 6 - 3 * -5, 3 * 4 - 1 * 6, 1 * -5 - 2 * 4});
    ExpectVec(Cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
    EXPECT_DOUBLE_EQ(Length({3, 4, 12}), 13.0);
}

TEST(Vec3d, DivisionByExactlyZeroMultipliesBy8388608) {
    ExpectVec(Vec3d(1, -2, 0.5) / 0.0, {8388608.0, -16777216.0, 4194304.0});
    Vec3d v(1, 1, 1);
    v /= 0.0;
    ExpectVec(v, {8388608.0, 8388608.0, 8388608.0});
    // Only exactly 0 is special: a tiny divisor divides.
    EXPECT_NEAR((Vec3d(1e-300, 0, 0) / 1e-300).x, 1.0, kTol);
}

TEST(Vec3d, NormaliseAndUnit) {
    Vec3d v(0, 3, 4);
    v.Normalise();
    ExpectVec(v, {0, 0.6, 0.8});
    ExpectVec(Unit({10, 0, 0}), {1, 0, 0});
    // A zero vector stays zero instead of becoming NaN.
    ExpectVec(Unit(Vec3d()), {0, 0, 0});
    const Vec3d original(2, 0, 0);
    Unit(original);
    ExpectVec(original, {2, 0, 0});
}

TEST(Line, DerivedValues) {
    const Line line({1, 1, 1}, {4, 5, 1});
    ExpectVec(line.difference, {3, 4, 0});
    EXPECT_DOUBLE_EQ(line.length, 5.0);
    ExpectVec(line.direction, {0.6, 0.8, 0});
    const Line point({2, 2, 2}, {2, 2, 2});
    EXPECT_EQ(point.length, 0.0);
    ExpectVec(point.direction, {0, 0, 0});
}

struct IntersectionCase {
    const char* name;
    friend void PrintTo(const IntersectionCase& c, std::ostream* os) { *os << c.name; }
    Vec3d p1, p2, p3, p4;
    Vec3d expected;
};

class PlanLineIntersectionTable : public testing::TestWithParam<IntersectionCase> {};

TEST_P(PlanLineIntersectionTable, MeetsOnFirstLine) {
    const auto& c = GetParam();
    auto point = PlanLineIntersection(c.p1, c.p2, c.p3, c.p4);
    ASSERT_TRUE(point.has_value());
    ExpectVec(*point, c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanLineIntersectionTable,
    testing::Values(IntersectionCase{"Perpendicular", {0, 0, 0}, {10, 0, 0}, {4, -5, 0}, {4, 5, 0}, {4, 0, 0}},
                    // Z follows the first line; the second line's Z is ignored.
                    IntersectionCase{
                        "ZAlongFirstLine", {0, 0, 100}, {10, 0, 200}, {5, -1, 999}, {5, 1, -999}, {5, 0, 150}},
                    IntersectionCase{"BeyondTheEnds", {0, 0, 0}, {1, 1, 0}, {10, 0, 0}, {10, 1, 0}, {10, 10, 0}},
                    IntersectionCase{"Oblique", {0, 0, 0}, {2, 0, 0}, {0, -1, 0}, {2, 1, 0}, {1, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlanLineIntersection, ParallelLinesGiveNothing) {
    EXPECT_FALSE(PlanLineIntersection({0, 0, 0}, {10, 0, 0}, {0, 5, 0}, {10, 5, 0}).has_value());
    EXPECT_FALSE(PlanLineIntersection({0, 0, 0}, {10, 0, 0}, {3, 0, 0}, {7, 0, 0}).has_value());
    // A degenerate first line (a point in plan) has no direction either.
    EXPECT_FALSE(PlanLineIntersection({1, 1, 0}, {1, 1, 5}, {0, 0, 0}, {5, 5, 0}).has_value());
}

TEST(PlanLineIntersection, NearlyParallelWithinOneInABillion) {
    // Two axes of a turned grid, parallel but for rounding: 1e-10 rad apart
    // they would meet 1e11 mm away.
    const double angle = 0.6;
    const Vec3d along{std::cos(angle), std::sin(angle), 0};
    const Vec3d across{-along.y, along.x, 0};
    auto turned = [&](double tilt) { return Vec3d{along.x - tilt * along.y, along.y + tilt * along.x, 0}; };
    const Vec3d p1{1000, 2000, 0}, p3 = p1 + 6000.0 * across;
    EXPECT_FALSE(PlanLineIntersection(p1, p1 + 9000.0 * along, p3, p3 + 9000.0 * turned(1e-10)));
    EXPECT_FALSE(PlanLineIntersection(p1, p1 + 9000.0 * along, p3, p3 - 3.0 * turned(-5e-10)));
    // 1e-8 rad is a real, if distant, crossing.
    EXPECT_TRUE(PlanLineIntersection(p1, p1 + 9000.0 * along, p3, p3 + 9000.0 * turned(1e-8)));
}

}  // namespace
