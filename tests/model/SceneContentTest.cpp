// What the view draws of the demo building (teva demo): five storeys
// 1F 0, 2F 3500, 3F 7000, RF 10500, R 13500; sub-layers M (2F + 1500) and
// Loft (12000, on RF); a 5 × 5 grid of X1-X5 (x 0 … 24000) by Y1-Y4 and YR
// (y 0, 6000, 9000, 12000, 18000), the diagonal D1 from (0, 0) to (24000,
// 18000); the South and North roofs from RF up to the ridge YR at R.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "model/ModelDbLibrary.h"
#include "model/SceneContent.h"

namespace {

constexpr double kTol = 0.01;  // positions come from 32-bit floats

class SceneContentTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string bin = testing_support::BinDir();
        ASSERT_EQ(testing_support::RunProcess(bin + "/teva", {"demo", project}).exitCode, 0);
        ASSERT_EQ(teva_open(project.c_str()), 0) << teva_last_error();
        ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(bin));
    }
    void TearDown() override {
        teva_close();
        ModelDbLibrary::Instance().Unload();
    }
    static LayerCode Storey(const char* name) { return DB_Usfind(TEVA_NAME_STOREY, name); }
    static LayerCode SubLayer(const char* storey, const char* name) {
        return MakeLayerCode(Storey(storey), DB_Usfind(TEVA_NAME_SUBLAYER, name));
    }
    static int Axis(const char* name) { return Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, name)); }
    static int Node(LayerCode layer, const char* a, const char* b) {
        return Db().sp_nno(layer, Db().sp_xnow(Axis(a), Axis(b)));
    }

    testing_support::TempDir dir;
    std::string project = dir.File("demo.tvp");
};

double Distance(const Vec3d& a, const Vec3d& b) { return Length(a - b); }
bool Near(const Vec3d& a, const Vec3d& b) { return Distance(a, b) < kTol; }

bool HasSegment(const std::vector<Segment>& segments, Vec3d a, Vec3d b) {
    return std::any_of(segments.begin(), segments.end(), [&](const Segment& s) {
        return (Near(s.a, a) && Near(s.b, b)) || (Near(s.a, b) && Near(s.b, a));
    });
}

TEST_F(SceneContentTest, LayerNamesFromTheLowestToTheHighestLayer) {
    const std::vector<SceneLabel> labels = LayerNameLabels({});
    struct Expected {
        const char* text;
        double z;
    };
    const Expected expected[] = {{"1F", 0},     {"2F", 3500},    {"M", 5000}, {"3F", 7000},
                                 {"RF", 10500}, {"Loft", 12000}, {"R", 13500}};
    ASSERT_EQ(labels.size(), std::size(expected));
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i].text, expected[i].text);
        // 400 mm before the first crossing (X1 by Y1, at the origin).
        EXPECT_TRUE(Near(labels[i].anchor, Vec3d(-400, -400, expected[i].z))) << expected[i].text;
    }
}

TEST_F(SceneContentTest, AxisTagsStandBeyondTheAxisEnds) {
    const std::vector<AxisTag> tags = AxisTags({});
    std::vector<std::string> names;
    for (const AxisTag& t : tags) names.push_back(t.label.text);
    EXPECT_EQ(names, (std::vector<std::string>{"X1", "X2", "X3", "X4", "X5", "Y1", "Y2", "Y3", "Y4", "YR", "D1"}));
    for (const AxisTag& t : tags) {
        EXPECT_EQ(t.nameCode, DB_Usfind(TEVA_NAME_AXIS, t.label.text.c_str())) << t.label.text;
        EXPECT_TRUE(Near(t.tick.a, t.label.anchor)) << t.label.text;
        EXPECT_NEAR(Distance(t.tick.a, t.tick.b), 400.0, kTol) << t.label.text;
        EXPECT_NEAR(t.label.anchor.z, 0.0, kTol) << "on the lowest storey";
    }
    // X1 runs along y from 0: its tag is 1000 mm beyond one end, on the axis line.
    const Vec3d x1 = tags[0].label.anchor;
    EXPECT_NEAR(x1.x, 0.0, kTol);
    EXPECT_TRUE(std::fabs(x1.y + 1000) < kTol || std::fabs(x1.y - 19000) < kTol) << x1.y;
}

TEST_F(SceneContentTest, NodesOnEveryLayerAndWhatHidesThem) {
    const LayerCode f2 = Storey("2F"), m = SubLayer("2F", "M");
    const auto all = VisibleNodes({});
    const auto onLayer = [](const std::vector<SceneNode>& nodes, LayerCode l) {
        return std::count_if(nodes.begin(), nodes.end(), [l](const SceneNode& n) { return n.ref.layer == l; });
    };
    // 25 grid crossings and the four points where D1 meets the grid off its
    // crossings with YR and the corners: 29 nodes on each of 7 layers.
    EXPECT_EQ(onLayer(all, f2), 29);
    EXPECT_EQ(all.size(), 29u * 7);
    for (const SceneNode& n : all) {
        if (n.ref.layer == m) {
            EXPECT_NEAR(n.position.z, 5000.0, kTol);
        }
    }

    const std::set<LayerCode> hiddenLayers{f2};
    const auto withoutF2 = VisibleNodes({nullptr, nullptr, &hiddenLayers});
    EXPECT_EQ(onLayer(withoutF2, f2), 0);
    EXPECT_EQ(onLayer(withoutF2, m), 29) << "a hidden storey keeps its sub-layers";

    // Hiding X1 hides the nodes whose first crossing lies on it.
    const std::set<int32_t> hiddenAxes{Axis("X1")};
    const auto withoutX1 = VisibleNodes({nullptr, &hiddenAxes, nullptr});
    const auto x1Nodes = std::count_if(all.begin(), all.end(), [](const SceneNode& n) {
        return n.ref.layer == 1 && std::fabs(n.position.x) < kTol;
    });
    EXPECT_EQ(onLayer(withoutX1, 1), 29 - x1Nodes);
}

TEST_F(SceneContentTest, RidgeLinesAreColumnsAndSpans) {
    const auto all = RidgeSegments({});
    EXPECT_TRUE(HasSegment(all, {0, 0, 0}, {0, 0, 3500})) << "column X1/Y1 from 1F to 2F";
    EXPECT_TRUE(HasSegment(all, {6000, 0, 0}, {12000, 0, 0})) << "span of Y1 on 1F";
    EXPECT_TRUE(HasSegment(all, {0, 0, 13500}, {0, 6000, 13500})) << "span of X1 on R";
    EXPECT_FALSE(HasSegment(all, {0, 0, 0}, {0, 0, 5000})) << "sub-layers carry no columns";
    for (const Segment& s : all) {
        const bool column = std::fabs(s.a.x - s.b.x) < kTol && std::fabs(s.a.y - s.b.y) < kTol;
        const bool flat = std::fabs(s.a.z - s.b.z) < kTol;
        EXPECT_TRUE(column != flat) << "a ridge line is a column or a span";
    }
    const std::set<int32_t> hidden{Axis("Y1")};
    EXPECT_FALSE(HasSegment(RidgeSegments({nullptr, &hidden, nullptr}), {6000, 0, 0}, {12000, 0, 0}));
    const std::set<LayerCode> hiddenLayers{1};
    const auto without1F = RidgeSegments({nullptr, nullptr, &hiddenLayers});
    EXPECT_FALSE(HasSegment(without1F, {6000, 0, 0}, {12000, 0, 0}));
    EXPECT_TRUE(HasSegment(without1F, {0, 0, 0}, {0, 0, 3500})) << "columns ignore hidden layers";
}

TEST_F(SceneContentTest, RangeModeLimitsLayersAndAxes) {
    EffectiveRange range;
    range.enabled = true;
    range.lowerLayer = Storey("2F");
    range.upperLayer = Storey("3F");
    const SceneFilter filter{&range, nullptr, nullptr};
    for (const Segment& s : RidgeSegments(filter)) {
        EXPECT_GE(std::min(s.a.z, s.b.z), 3500 - kTol);
        EXPECT_LE(std::max(s.a.z, s.b.z), 7000 + kTol);
    }
    std::vector<std::string> names;
    for (const SceneLabel& l : LayerNameLabels(filter)) names.push_back(l.text);
    EXPECT_EQ(names, (std::vector<std::string>{"2F", "M", "3F"}));
    for (const SceneNode& n : VisibleNodes(filter)) EXPECT_FALSE(LayerBelow(range.upperLayer, n.ref.layer));
}

TEST_F(SceneContentTest, SlopesByTheirOutlines) {
    const auto loops = SlopeOutlineLoops();
    ASSERT_EQ(loops.size(), 2u);
    for (const auto& loop : loops) EXPECT_EQ(loop.size(), 4u);
    const auto names = SlopeNameLabels();
    ASSERT_EQ(names.size(), 2u);
    // Each roof's centre: halfway along x, halfway between eaves and ridge.
    const auto south = std::find_if(names.begin(), names.end(), [](auto& l) { return l.text == "South roof"; });
    const auto north = std::find_if(names.begin(), names.end(), [](auto& l) { return l.text == "North roof"; });
    ASSERT_NE(south, names.end());
    ASSERT_NE(north, names.end());
    EXPECT_TRUE(Near(south->anchor, Vec3d(12000, 4500, 12000)));
    EXPECT_TRUE(Near(north->anchor, Vec3d(12000, 13500, 12000)));
}

TEST_F(SceneContentTest, InfoTextOfAPickedNode) {
    struct Case {
        const char* name;
        NodeRef node;
        std::vector<std::string> lines;
    };
    const LayerCode f2 = Storey("2F");
    const Case cases[] = {
        {"storey", {f2, Node(f2, "X2", "Y2")}, {"層面名 \"2F\"", "軸1    \"X2\"", "軸2    \"Y2\""}},
        {"sub-layer", {SubLayer("2F", "M"), Node(f2, "X2", "Y2")}, {"層面名 2F - M", "軸1    \"X2\"", "軸2    \"Y2\""}},
        {"three axes", {f2, Node(f2, "X3", "YR")}, {"層面名 \"2F\"", "軸1    \"X3\"", "軸2    \"YR\"", "軸3    \"D1\""}},
        // The kind-1 lookup of an unknown storey fails: no text at all.
        {"no such layer", {30, 1}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(PickedNodeInfoLines(c.node), c.lines) << c.name;
}

TEST(SceneContentWithoutModel, EverythingIsEmpty) {
    ASSERT_FALSE(ModelBound());
    EXPECT_TRUE(RidgeSegments({}).empty());
    EXPECT_TRUE(VisibleNodes({}).empty());
    EXPECT_TRUE(AxisTags({}).empty());
    EXPECT_TRUE(PickedNodeInfoLines({1, 1}).empty());
}

}  // namespace
