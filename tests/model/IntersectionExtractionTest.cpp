// Extracting intersection lines on the grid building: what the edge scan
// and the cut with a registered slope add, what they refuse, and that the
// outline then defines.

#include <array>

#include "DefinitionFixture.h"
#include "RecordLayouts.h"
#include "model/IntersectionLineExtraction.h"
#include "model/SlopeRegistration.h"

namespace {

using Strings = std::vector<std::string>;

// Spans that never carry anything: an added line cannot help an edge.
struct NoSpans {
    static inline ModelDbEntries real;
    static int Pnt2ToSpan(int, int, int) { return -1; }
    static int MaxSpan(int) { return 0; }
    static void Install() {
        real = Db();
        ModelDbEntries entries = real;
        entries.sp_Pnt2ToSpanFB = &Pnt2ToSpan;
        entries.sp_GetMaxSpan = &MaxSpan;
        ModelDbLibrary::Instance().ReplaceEntries(entries);
    }
};

class IntersectionExtraction : public DefinitionFixture {
protected:
    bool Extract() {
        SelectOutline();
        return ExtractIntersectionLines(picked, shapes, refresh);
    }
    static Strings AxisNames() {
        Strings names;
        for (const auto& bytes : AllRecords(TEVA_REC_AXIS_LINE, TEVA_SIZE_AXIS_LINE)) {
            char name[64] = {};
            DB_Usnam(TEVA_NAME_AXIS, teva::decodeAxisLine(bytes.data()).nameNumber, name);
            names.push_back(name);
        }
        return names;
    }
    static size_t LevelCount() { return AllRecords(TEVA_REC_LEVEL, TEVA_SIZE_LEVEL).size(); }
    static const Strings kGridAxes;

    // The triangle X1Y1, X2Y1 (1F), X2Y2 (2F): its third edge runs on no axis.
    void PickTriangle() { picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(2, "X2", "Y2")}; }
    // Over the rising slope's cell, falling from Y1 (2F) to Y2 (1F): it cuts
    // the rising slope along y = 2500 at height 1500.
    void PickFallingQuad() { picked = {At(2, "X1", "Y1"), At(2, "X2", "Y1"), At(1, "X2", "Y2"), At(1, "X1", "Y2")}; }
};

const Strings IntersectionExtraction::kGridAxes = {"X1", "X2", "X3", "Y1", "Y2", "Y3"};

TEST_F(IntersectionExtraction, TriangleOnSpansAddsNothing) {
    ASSERT_GT(modeldbtest::addAxis("D", 0, 0, 6000, 5000), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    PickTriangle();
    EXPECT_TRUE(Extract());
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(AxisNames().size(), 7u);
    EXPECT_EQ(LevelCount(), 0u);
    EXPECT_EQ(shapes.Selected(), nullptr);
    EXPECT_EQ(refresh.refreshes, 1);
}

TEST_F(IntersectionExtraction, EdgeOnNoSpanGetsOneAxisAndThenDefines) {
    ASSERT_GT(modeldbtest::addAxis("2'", 20000, 0, 20000, 1), 0);
    // The third edge crosses X2 between nodes: its axis makes a new node
    // there, which renumbers the nodes of X3. The scan finds the corners
    // again and passes without a word.
    const auto pick = [&] { picked = {At(1, "X1", "Y1"), At(1, "X3", "Y1"), At(2, "X3", "Y2")}; };
    pick();
    const int before = Node(1, "X3", "Y1");
    EXPECT_TRUE(Extract());
    EXPECT_NE(Node(1, "X3", "Y1"), before);
    EXPECT_TRUE(dialogs.Messages().empty());
    Strings expected = kGridAxes;
    expected.insert(expected.end(), {"2'", "1'"});
    EXPECT_EQ(AxisNames(), expected);

    pick();  // the node numbers of the restructured model
    SelectOutline();
    EXPECT_TRUE(DefineSlope({2, 1, 0, "tri", true}, picked, shapes, refresh));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(ReadSlopeData().names, Strings{"tri"});
}

// S continues X1's line beyond a gap (y 12000 … 16000) and carries nodes at
// 13000 and 15000. The edge from X1Y3 up to S's first node lies on the line
// of both but overlaps neither: it is named once, and no axis is added for
// it; the triangle's slanting edge gets its axis without a word.
TEST_F(IntersectionExtraction, EdgeBeyondAnAxisEndNamesTheAxis) {
    ASSERT_GT(modeldbtest::addAxis("S", 0, 12000, 0, 16000), 0);
    ASSERT_GT(modeldbtest::addAxis("Y4", -1000, 13000, 13000, 13000), 0);
    ASSERT_GT(modeldbtest::addAxis("Y5", -1000, 15000, 13000, 15000), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    picked = {At(1, "X1", "Y3"), At(2, "S", "Y4"), At(1, "X2", "Y3")};
    EXPECT_TRUE(Extract());
    EXPECT_EQ(dialogs.Messages(), Strings{"同一直線上にX1軸が入力されているため、\n自動配置が行われませんでした。"});
    EXPECT_EQ(AxisNames().size(), 10u) << "one axis, for the slanting edge";
}

TEST_F(IntersectionExtraction, CapacityOfLineIdsEndsTheScan) {
    teva::AxisLineRecord last;
    last.lineId = 32767;
    last.nameNumber = static_cast<int16_t>(DB_Usno(TEVA_NAME_AXIS, "Z"));
    std::array<unsigned char, TEVA_SIZE_AXIS_LINE> bytes{};
    teva::encode(last, bytes.data());
    ASSERT_EQ(DB_put(TEVA_REC_AXIS_LINE, bytes.data()), 0);
    PickTriangle();
    EXPECT_TRUE(Extract());
    EXPECT_EQ(dialogs.Messages(), Strings{"登録許容量を超えました"});
    EXPECT_EQ(AxisNames().size(), 7u);
    EXPECT_EQ(refresh.refreshes, 1);
}

TEST_F(IntersectionExtraction, EdgeThatStaysOffAxisGetsOneLineAndIsNamed) {
    PickTriangle();
    SelectOutline();
    NoSpans::Install();
    const bool ran = ExtractIntersectionLines(picked, shapes, refresh);
    ModelDbLibrary::Instance().ReplaceEntries(NoSpans::real);
    EXPECT_TRUE(ran);
    // One line for the first edge, then that edge still fails: the message
    // names its two nodes and what was added.
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const std::string message = dialogs.Messages()[0];
    const std::string a = std::to_string(Node(1, "X1", "Y1")), b = std::to_string(Node(1, "X2", "Y1"));
    EXPECT_EQ(message, "節点" + a + "と節点" + b + "を結ぶ辺を軸上に配置できませんでした。\n追加済み: 1'軸");
    EXPECT_EQ(AxisNames().size(), 7u);
}

TEST_F(IntersectionExtraction, CutAtAnExistingLevelAddsOneAxisAndNoLevel) {
    ASSERT_GT(modeldbtest::addLevel(1, "M", 0, 1500), 0);
    ASSERT_GT(modeldbtest::addSlope(RisingSlope()), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    shapes.BuildShapesFromModel();
    PickFallingQuad();
    EXPECT_TRUE(Extract());
    EXPECT_EQ(dialogs.Messages(), Strings{"1'軸を追加しました。"});
    EXPECT_EQ(LevelCount(), 1u);
    ASSERT_EQ(AxisNames().size(), 7u);
    // Along the cut, first end first.
    const auto lines = AllRecords(TEVA_REC_AXIS_LINE, TEVA_SIZE_AXIS_LINE);
    const teva::AxisLineRecord cut = teva::decodeAxisLine(lines.back().data());
    EXPECT_NEAR(cut.x1, 0.0, 0.01);
    EXPECT_NEAR(cut.y1, 2500.0, 0.01);

    // Once drawn, a second extraction adds nothing more.
    dialogs.shown.clear();
    PickFallingQuad();
    EXPECT_TRUE(Extract());
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(AxisNames().size(), 7u);
}

TEST_F(IntersectionExtraction, CutBetweenLevelsAddsItsLevelOnce) {
    ASSERT_GT(modeldbtest::addSlope(RisingSlope()), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    PickFallingQuad();
    EXPECT_TRUE(Extract());
    EXPECT_EQ(dialogs.Messages(), (Strings{"1層を追加しました。", "1'軸を追加しました。"}));
    const auto levels = AllRecords(TEVA_REC_LEVEL, TEVA_SIZE_LEVEL);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(teva::decodeLevel(levels[0].data()).baseLayer, 1);
    EXPECT_NEAR(teva::decodeLevel(levels[0].data()).height, 1500.0, 0.01);
}

TEST_F(IntersectionExtraction, OverlapWithARegisteredSlopeIsRefused) {
    ASSERT_GT(modeldbtest::addSlope(RisingSlope()), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    // In the slope's plane, over half of it and beyond it.
    picked = {At(1, "X1", "Y1"), At(1, "X3", "Y1"), At(2, "X2", "Y2")};
    EXPECT_TRUE(Extract());
    EXPECT_EQ(dialogs.Messages(), Strings{"既存斜面と重なっているので配置できません。"});
    EXPECT_EQ(AxisNames(), kGridAxes);
    EXPECT_EQ(refresh.refreshes, 1);
}

TEST_F(IntersectionExtraction, NothingSelectedOrTooFewCorners) {
    EXPECT_FALSE(ExtractIntersectionLines(picked, shapes, refresh));
    const NodeRef corners[] = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(2, "X2", "Y2")};
    shapes.AddShape(std::vector<Vec3d>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, corners, ShapeKind::Outline, 0);
    SlopeShape* outline = shapes.FindOutlineShape();
    outline->vertices.pop_back();
    outline->nodes.pop_back();
    shapes.Select(outline);
    EXPECT_FALSE(ExtractIntersectionLines(picked, shapes, refresh));
    EXPECT_EQ(dialogs.Messages(), Strings{"構成点は3点必要です。"});
    EXPECT_EQ(refresh.refreshes, 0);
    EXPECT_EQ(AxisNames(), kGridAxes);
}

}  // namespace
