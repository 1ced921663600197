// The least-squares plane of slope corners.
#include "PlaneFit.h"

#include <gtest/gtest.h>

using teva::fitPlane;

namespace {

constexpr double kTolerance = 1e-9; // relative to values of order 1e4

} // namespace

TEST(TevaPlaneFit, ExactPlanesAreRecovered)
{
    struct Case {
        const char* name;
        double a, b, c;
        double offsetX, offsetY;
    };
    const Case cases[] = {
        {"ramp along y", 0, 0.3, 0, 0, 0},
        {"tilted both ways", 0.25, -0.1, 1200, 0, 0},
        {"far from the origin", 0.5, 0.5, -300, 1e6, 2e6},
        {"horizontal", 0, 0, 4200, 0, 0},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        std::vector<std::array<double, 3>> points;
        for (auto [x, y] : {std::pair{0.0, 0.0}, {12000.0, 0.0}, {12000.0, 10000.0}, {0.0, 10000.0}}) {
            x += t.offsetX;
            y += t.offsetY;
            points.push_back({x, y, t.a * x + t.b * y + t.c});
        }
        const auto plane = fitPlane(points);
        ASSERT_TRUE(plane);
        EXPECT_NEAR(plane->a, t.a, kTolerance);
        EXPECT_NEAR(plane->b, t.b, kTolerance);
        EXPECT_NEAR(plane->heightAt(t.offsetX + 6000, t.offsetY + 5000),
                    t.a * (t.offsetX + 6000) + t.b * (t.offsetY + 5000) + t.c, 1e-6);
    }
}

TEST(TevaPlaneFit, InconsistentCornersGiveTheLeastSquaresPlane)
{
    // Four corners of a square, one lifted by 4: the best plane passes 1
    // below it and 1 above or below the others, and through 1 at the centre.
    const auto plane = fitPlane({{0, 0, 0}, {1, 0, 0}, {1, 1, 4}, {0, 1, 0}});
    ASSERT_TRUE(plane);
    EXPECT_NEAR(plane->heightAt(0.5, 0.5), 1, kTolerance);
    EXPECT_NEAR(plane->heightAt(1, 1), 3, kTolerance);
}

TEST(TevaPlaneFit, PointsThatSpanNoPlane)
{
    EXPECT_FALSE(fitPlane({}));
    EXPECT_FALSE(fitPlane({{0, 0, 0}, {1, 1, 1}}));
    EXPECT_FALSE(fitPlane({{0, 0, 0}, {1000, 1000, 1}, {2000, 2000, 2}})) << "one line in plan";
    EXPECT_FALSE(fitPlane({{5, 5, 0}, {5, 5, 1}, {5, 5, 2}})) << "one point in plan";
}
