// The camera's angle rules, mouse and wheel steps.

#include <gtest/gtest.h>

#include <limits>

#include <functional>

#include "view/Camera.h"

namespace {

constexpr double kTolerance = 1e-6;

TEST(Camera, ElevationNinetyIsDrawnAsNinetyOneLookingDownwardUp) {
    Camera c;
    c.distance = 1000.0f;
    c.elevation = 90.0f;
    EyeAndUp e = c.ComputeEye();
    EXPECT_FLOAT_EQ(c.elevation, 91.0f);
    EXPECT_EQ(e.up.z, -1.0);
    c.elevation = 270.0f;
    e = c.ComputeEye();
    EXPECT_FLOAT_EQ(c.elevation, 271.0f);
    EXPECT_EQ(e.up.z, 1.0);
}

TEST(Camera, EyeFromAnglesAndDistance) {
    Camera c;
    c.target = Vec3d(100, 200, 300);
    c.distance = 1000.0f;
    c.azimuth = 0.0f;
    c.elevation = 0.0f;
    EyeAndUp e = c.ComputeEye();
    EXPECT_NEAR(e.eye.x, 1100, kTolerance);
    EXPECT_NEAR(e.eye.y, 200, kTolerance);
    EXPECT_NEAR(e.eye.z, 300, kTolerance);
    c.elevation = 30.0f;
    c.azimuth = 90.0f;
    e = c.ComputeEye();
    EXPECT_NEAR(e.eye.z, 300 + 500, 1e-3);
    EXPECT_NEAR(e.eye.y, 200 + 1000 * std::cos(30 * M_PI / 180), 1e-3);
}

TEST(Camera, AnglesWrapOneStep) {
    Camera c;
    c.azimuth = 370.0f;
    c.elevation = -10.0f;
    c.ComputeEye();
    EXPECT_FLOAT_EQ(c.azimuth, 10.0f);
    EXPECT_FLOAT_EQ(c.elevation, 350.0f);
}

TEST(Camera, SevenHundredTwentyPixelsOfOrbitComeBack) {
    Camera c;
    c.azimuth = 240.0f;
    for (int i = 0; i < 720; ++i) {
        c.Orbit(1, 0);
        c.ComputeEye();
    }
    EXPECT_NEAR(std::fmod(c.azimuth + 360.0, 360.0), 240.0, 1e-3);
}

TEST(Camera, PerspectiveWheelNeverBringsTheDistanceToAThousand) {
    Camera c;
    c.distance = 1500.0f;
    c.Wheel(40, false);  // 400 nearer
    EXPECT_FLOAT_EQ(c.distance, 1100.0f);
    c.Wheel(10, false);  // 1000 exactly: refused
    EXPECT_FLOAT_EQ(c.distance, 1100.0f);
    c.Wheel(120, false);
    EXPECT_FLOAT_EQ(c.distance, 1100.0f);
    c.Wheel(-120, false);  // a turn backwards moves away
    EXPECT_FLOAT_EQ(c.distance, 2300.0f);
}

TEST(Camera, ParallelScaleStopsAtZero) {
    Camera c;
    c.parallel = true;
    c.Wheel(120, false);
    EXPECT_NEAR(c.parallelScale, 0.0005 * (1 - 120 * 0.0005), 1e-12);
    c.Wheel(3000, false);
    EXPECT_EQ(c.parallelScale, 0.0);
    c.Wheel(-120, false);
    EXPECT_EQ(c.parallelScale, 0.0);
}

TEST(Camera, ShiftWheelDolliesTheTarget) {
    Camera c;
    c.distance = 5000.0f;
    c.Wheel(120, true);
    // 1200 mm towards the eye's view direction: azimuth 0 looks along -X.
    EXPECT_NEAR(c.target.x, -1200.0, 1e-6);
    EXPECT_FLOAT_EQ(c.distance, 5000.0f);
}

TEST(Camera, TurnAroundEyeKeepsTheEye) {
    Camera c;
    c.target = Vec3d(1000, 2000, 0);
    c.distance = 4000.0f;
    c.azimuth = 30.0f;
    c.elevation = 20.0f;
    const Vec3d before = c.ComputeEye().eye;
    c.TurnAroundEye(15, -5);
    const Vec3d after = c.ComputeEye().eye;
    EXPECT_NEAR(after.x, before.x, 1e-6);
    EXPECT_NEAR(after.y, before.y, 1e-6);
    EXPECT_NEAR(after.z, before.z, 1e-6);
    EXPECT_FLOAT_EQ(c.azimuth, 15.0f);
}

TEST(Camera, PanMovesTheTargetInTheScreenPlane) {
    Camera c;
    c.distance = 5000.0f;
    c.Pan(10, 0, 500, Vec3d(1, 0, 0), Vec3d(0, 1, 0));
    // s = 10 / (500 * 2.7), k = 5000 * 0.001 / 5 = 1.
    EXPECT_NEAR(c.target.x, 1000.0 * 10 * 10 / (500 * 2.7), 1e-9);
    c.parallel = true;
    c.target = Vec3d();
    c.Pan(0, 5, 500, Vec3d(1, 0, 0), Vec3d(0, 0, 1));
    EXPECT_NEAR(c.target.z, 1000.0 * 5 * 10 / 500.0, 1e-9);
}

}  // namespace

// Moves that would make the target not a number leave it where it is: the
// target is written to the settings file.
TEST(Camera, MovesWithoutADirectionLeaveTheTarget) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::function<void(Camera&)> move;
    };
    const Case cases[] = {
        {"pan along NaN directions", [nan](Camera& c) { c.Pan(5, 5, 300, Vec3d(nan, nan, nan), Vec3d(0, 1, 0)); }},
        {"pan along infinite directions",
         [](Camera& c) { c.Pan(5, 0, 300, Vec3d(std::numeric_limits<double>::infinity(), 0, 0), Vec3d(0, 1, 0)); }},
        {"shift-wheel with the eye on the target", [](Camera& c) {
             c.distance = 0.0f;
             c.Wheel(120, true);
         }},
    };
    for (const Case& test : cases) {
        Camera c;
        c.target = Vec3d(1, 2, 3);
        test.move(c);
        EXPECT_EQ(c.target, Vec3d(1, 2, 3)) << test.name;
    }
}
