#include "ModelFixture.h"
#include "model/RegisteredSlopeSearch.h"

namespace {

using modeldbtest::addSlope;

constexpr double kTol = 0.01;

class SlopeSearch : public ModelFixture {
protected:
    void SetUp() override {
        ModelFixture::SetUp();
        if (HasFatalFailure()) return;
        slope = SlopeCode(addSlope(RisingSlope()));
        ASSERT_EQ(DB_restruct(0), 0);
    }
    LayerCode slope = 0;
};

// In the registered slope's plane z = 0.6·y, clockwise in plan.
SlopePolygon InSlopePlane(double x0, double y0, double x1, double y1) {
    return {{x0, y0, 0.6 * y0}, {x0, y1, 0.6 * y1}, {x1, y1, 0.6 * y1}, {x1, y0, 0.6 * y0}};
}

TEST_F(SlopeSearch, WalkVisitsEveryRegisteredSlope) {
    modeldbtest::SlopeSpec second = RisingSlope("sl:2");
    second.edges = {"Y1", "X3", "Y2", "X2"};
    ASSERT_GE(addSlope(second), 1);
    ASSERT_EQ(DB_restruct(0), 0);
    std::vector<LayerCode> seen;
    ForEachRegisteredSlopePolygon([&](LayerCode code, const SlopePolygon& polygon) {
        EXPECT_EQ(polygon.size(), 4u);
        seen.push_back(code);
        return true;
    });
    EXPECT_EQ(seen, (std::vector<LayerCode>{slope, SlopeCode(2)}));
    seen.clear();
    ForEachRegisteredSlopePolygon([&](LayerCode code, const SlopePolygon&) {
        seen.push_back(code);
        return false;  // stop at the first
    });
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(SlopeSearch, OverlapWithARegisteredSlopeIsFound) {
    EXPECT_FALSE(SlopeOverlapTest(InSlopePlane(3000, 2000, 9000, 8000)));
    // Beside it, or inside it without crossing edges: no overlap.
    EXPECT_TRUE(SlopeOverlapTest(InSlopePlane(7000, 0, 12000, 5000)));
    EXPECT_TRUE(SlopeOverlapTest(InSlopePlane(1000, 1000, 2000, 2000)));
}

TEST_F(SlopeSearch, NoRegisteredSlopesMeansNoOverlap) {
    teva_close();
    ASSERT_TRUE(modeldbtest::makeGridBuilding(dir.File("empty.teva")));
    EXPECT_TRUE(SlopeOverlapTest(InSlopePlane(0, 0, 6000, 5000)));
    EXPECT_FALSE(SlopeIntersectionSearch(InSlopePlane(0, 0, 6000, 5000), true).has_value());
}

TEST_F(SlopeSearch, IntersectionWithAFallingSlopeIsReported) {
    // z = 3000 - 0.6·y meets z = 0.6·y along y = 2500 at z = 1500.
    const SlopePolygon falling = {{0, 0, 3000}, {0, 5000, 0}, {6000, 5000, 0}, {6000, 0, 3000}};
    auto found = SlopeIntersectionSearch(falling, true);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->slope, slope);
    Vec3d p1 = found->segment.p1, p2 = found->segment.p2;
    if (p1.x > p2.x) std::swap(p1, p2);
    EXPECT_NEAR(p1.x, 0.0, kTol);
    EXPECT_NEAR(p2.x, 6000.0, kTol);
    EXPECT_NEAR(p1.y, 2500.0, kTol);
    EXPECT_NEAR(p2.y, 2500.0, kTol);
    EXPECT_NEAR(p1.z, 1500.0, kTol);
    EXPECT_NEAR(p2.z, 1500.0, kTol);
}

TEST_F(SlopeSearch, TheVertexRuleSkipsSegmentsEndingAtACorner) {
    // z = 0.5·x over the same rectangle meets the slope along its diagonal,
    // from corner (0, 0, 0) to corner (6000, 5000, 3000).
    const SlopePolygon tilted = {{0, 0, 0}, {0, 5000, 0}, {6000, 5000, 3000}, {6000, 0, 3000}};
    EXPECT_FALSE(SlopeIntersectionSearch(tilted, true).has_value());
    auto found = SlopeIntersectionSearch(tilted, false);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->slope, slope);
    EXPECT_NEAR(Length(found->segment.p2 - found->segment.p1), Length(Vec3d(6000, 5000, 3000)),
                kTol);
}

TEST_F(SlopeSearch, APolygonAboveTheSlopeFindsNothing) {
    const SlopePolygon high = {{0, 0, 3000}, {0, 5000, 6000}, {6000, 5000, 6000},
                               {6000, 0, 3000}};
    EXPECT_FALSE(SlopeIntersectionSearch(high, false).has_value());
}

}  // namespace
