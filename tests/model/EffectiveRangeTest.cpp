#include <map>
#include <ostream>

#include "ModelFixture.h"
#include "model/EffectiveRange.h"

namespace {

class Range : public ModelFixture {
protected:
    // X1 … X2 by Y1 … Y2 from storey 1 upward.
    EffectiveRange GridRange() {
        EffectiveRange r;
        r.enabled = true;
        r.lowerLayer = 1;
        r.upperLayer = 2;
        r.axisMinX = Axis("X1");
        r.axisMaxX = Axis("X2");
        r.axisMinY = Axis("Y1");
        r.axisMaxY = Axis("Y2");
        return r;
    }
};

struct InRangeCase {
    const char* name;
    friend void PrintTo(const InRangeCase& c, std::ostream* os) { *os << c.name; }
    LayerCode layer;
    const char* axisA;
    const char* axisB;
    bool inside;
};

class RangeTable : public Range, public testing::WithParamInterface<InRangeCase> {};

TEST_P(RangeTable, Answers) {
    const auto& c = GetParam();
    EXPECT_EQ(IsInEffectiveRange(GridRange(), c.layer, Crossing(c.axisA, c.axisB)), c.inside);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeTable,
    testing::Values(
        // Nodes on the bounding axes themselves are inside.
        InRangeCase{"CornerOnTwoBoundingAxes", 1, "X1", "Y1", true},
        InRangeCase{"OnLargestXAndLargestY", 1, "X2", "Y2", true},
        InRangeCase{"OnLargestXUpperStorey", 2, "X2", "Y1", true},
        InRangeCase{"BeyondLargestX", 1, "X3", "Y1", false},
        InRangeCase{"BeyondLargestY", 1, "X1", "Y3", false},
        InRangeCase{"BeyondBoth", 2, "X3", "Y3", false},
        // The renderer applies the upper bound; this test does not.
        InRangeCase{"AboveTheUpperLayer", 3, "X1", "Y1", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Range, ALayerBelowTheLowerLayerIsOutside) {
    EffectiveRange r = GridRange();
    r.lowerLayer = 2;
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X1", "Y1")));
    EXPECT_TRUE(IsInEffectiveRange(r, 2, Crossing("X1", "Y1")));
}

TEST_F(Range, EverythingIsInsideWhenTheRangeIsOff) {
    EffectiveRange r = GridRange();
    r.enabled = false;
    r.lowerLayer = 3;
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X3", "Y3")));
}

TEST_F(Range, AnOpenSideDoesNotBound) {
    EffectiveRange r = GridRange();
    r.axisMaxX = 0;
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X3", "Y1")));
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X3", "Y3")));
}

TEST_F(Range, ASmallerRangeExcludesTheOuterGrid) {
    EffectiveRange r = GridRange();
    r.axisMinX = Axis("X2");
    r.axisMaxX = Axis("X3");
    r.axisMinY = Axis("Y2");
    r.axisMaxY = Axis("Y3");
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X1", "Y2")));
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X2", "Y1")));
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X2", "Y2")));
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X3", "Y3")));
}

TEST_F(Range, AxesDrawnEitherWayBoundTheSameSide) {
    // Y4 runs along X from right to left, X4 along Y from top to bottom.
    ASSERT_GE(modeldbtest::addAxis("Y4", 13000, 8000, -1000, 8000), 1);
    ASSERT_GE(modeldbtest::addAxis("X4", 9000, 11000, 9000, -1000), 1);
    ASSERT_EQ(DB_restruct(0), 0);
    EffectiveRange r = GridRange();
    r.axisMaxY = Axis("Y4");
    r.axisMaxX = Axis("X4");
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X1", "Y2")));
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X2", "Y2")));
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X4", "Y4")));
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X1", "Y3")));
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X3", "Y1")));
    // With the reversed axes as the lower bounds the other sides are out.
    r.axisMinY = Axis("Y4");
    r.axisMinX = Axis("X4");
    r.axisMaxY = Axis("Y3");
    r.axisMaxX = Axis("X3");
    EXPECT_TRUE(IsInEffectiveRange(r, 1, Crossing("X3", "Y3")));
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X2", "Y3")));
    EXPECT_FALSE(IsInEffectiveRange(r, 1, Crossing("X3", "Y2")));
}

TEST_F(Range, NodesOnHiddenAxes) {
    const int node = Node(1, "X1", "Y1");
    EXPECT_FALSE(IsNodeOnHiddenAxis({}, 1, node));
    EXPECT_TRUE(IsNodeOnHiddenAxis({Axis("X1")}, 1, node));
    EXPECT_TRUE(IsNodeOnHiddenAxis({Axis("Y1")}, 1, node));
    EXPECT_FALSE(IsNodeOnHiddenAxis({Axis("X2"), Axis("Y3")}, 1, node));
    EXPECT_TRUE(IsNodeOnHiddenAxis({Axis("X2")}, 2, Node(2, "X2", "Y3")));
}

TEST_F(Range, HiddenLayers) {
    EXPECT_TRUE(IsLayerHidden({2, 32769}, 32769));
    EXPECT_FALSE(IsLayerHidden({2, 32769}, 1));
    EXPECT_FALSE(IsLayerHidden({}, 1));
}

TEST_F(Range, NodePositionByLayerNameCode) {
    auto p = NodePosition(2, Crossing("X2", "Y3"));
    ASSERT_TRUE(p.has_value());
    EXPECT_NEAR(p->x, 6000.0, 0.01);
    EXPECT_NEAR(p->y, 10000.0, 0.01);
    EXPECT_NEAR(p->z, 3000.0, 0.01);
    EXPECT_FALSE(NodePosition(77, Crossing("X2", "Y3")).has_value());  // no such layer
    EXPECT_FALSE(NodePosition(2, 9999).has_value());                 // no such crossing
}

class FixedSelections : public RangeSource {
public:
    bool shown = true;
    std::map<RangeSelection, int32_t> codes;
    bool RangeShown() const override { return shown; }
    int32_t SelectionCode(RangeSelection which) const override {
        auto it = codes.find(which);
        return it == codes.end() ? 0 : it->second;
    }
};

TEST_F(Range, CacheTranslatesTheSelectionsIntoLayersAndAxes) {
    FixedSelections source;
    source.codes = {{RangeSelection::UpperLayer, 3},
                    {RangeSelection::LowerLayer, 2},
                    {RangeSelection::AxisMinX, DB_Usfind(TEVA_NAME_AXIS, "X1")},
                    {RangeSelection::AxisMaxX, DB_Usfind(TEVA_NAME_AXIS, "X3")},
                    {RangeSelection::AxisMinY, DB_Usfind(TEVA_NAME_AXIS, "Y1")},
                    {RangeSelection::AxisMaxY, DB_Usfind(TEVA_NAME_AXIS, "Y2")}};
    EffectiveRange r;
    CacheEffectiveRange(source, r);
    EXPECT_TRUE(r.enabled);
    EXPECT_EQ(r.upperLayer, 3);
    EXPECT_EQ(r.lowerLayer, 2);
    EXPECT_EQ(r.axisMinX, Axis("X1"));
    EXPECT_EQ(r.axisMaxX, Axis("X3"));
    EXPECT_EQ(r.axisMinY, Axis("Y1"));
    EXPECT_EQ(r.axisMaxY, Axis("Y2"));
    EXPECT_TRUE(IsInEffectiveRange(r, 2, Crossing("X3", "Y2")));
    EXPECT_FALSE(IsInEffectiveRange(r, 2, Crossing("X3", "Y3")));
    source.shown = false;
    CacheEffectiveRange(source, r);
    EXPECT_FALSE(r.enabled);
}

}  // namespace
