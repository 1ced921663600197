// Defining slopes on the grid building: what is written, in which order,
// and that every refusal writes nothing.

#include <tuple>

#include "DefinitionFixture.h"
#include "RecordLayouts.h"
#include "model/SlopeMessages.h"
#include "model/SlopeRegistration.h"

namespace {

using Strings = std::vector<std::string>;

// Library entries standing in for the real ones where a test needs a fault.
struct Faults {
    static inline ModelDbEntries real;
    static inline std::vector<int> puts;  // kinds put, in order
    static inline int failingKind = 0;    // DB_put of this kind fails
    static inline int usfindAnswer = 0;   // DB_Usfind's fixed answer when not 0

    static short Put(int kind, const void* record) {
        puts.push_back(kind);
        return kind == failingKind ? short{TEVA_WRITE_FAILED} : real.DB_put(kind, record);
    }
    static int NoSpan(int, int, int) { return -1; }
    static short Usfind(int kind, const char* text) {
        return usfindAnswer ? static_cast<short>(usfindAnswer) : real.DB_Usfind(kind, text);
    }

    // Puts are recorded from now on; the options add faults.
    static void Install(int failKind = 0, bool noSpans = false, int usfind = 0) {
        real = Db();
        puts.clear();
        failingKind = failKind;
        usfindAnswer = usfind;
        ModelDbEntries entries = real;
        entries.DB_put = &Put;
        entries.DB_Usfind = &Usfind;
        if (noSpans) entries.sp_Pnt2ToSpanFB = &NoSpan;
        ModelDbLibrary::Instance().ReplaceEntries(entries);
    }
};

class SlopeRegistration : public DefinitionFixture {
protected:
    int16_t AxisCode(const char* name) { return static_cast<int16_t>(DB_Usfind(TEVA_NAME_AXIS, name)); }

    // The rising quadrilateral X1 … X2 by Y1 (storey 1) … Y2 (storey 2).
    void PickRisingQuad() { picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(2, "X2", "Y2"), At(2, "X1", "Y2")}; }

    bool Define(DefineRequest request) {
        SelectOutline();
        return DefineSlope(request, picked, shapes, refresh);
    }

    teva::SlopeRecord OnlySlope() {
        const SlopeData data = ReadSlopeData();
        EXPECT_EQ(data.slopes.size(), 1u);
        return data.slopes.empty() ? teva::SlopeRecord{} : teva::decodeSlope(data.slopes[0].data());
    }

    // A sub-layer of storey 1 at 1500, halfway up to storey 2.
    LayerCode AddMiddleLayer() {
        const int sub = modeldbtest::addLevel(1, "M", 0, 1500);
        EXPECT_GT(sub, 0);
        EXPECT_EQ(DB_restruct(0), 0);
        return MakeLayerCode(1, sub);
    }
};

TEST_F(SlopeRegistration, FourCornersWriteOneSlopeRecordAndNoEdgeRecord) {
    PickRisingQuad();
    ASSERT_TRUE(Define({2, 1, 1, "roof", true}));
    EXPECT_TRUE(dialogs.Messages().empty());

    teva::SlopeRecord expected;
    expected.slopeNumber = static_cast<int16_t>(DB_Usfind(TEVA_NAME_SLOPE, "roof"));
    ASSERT_GT(expected.slopeNumber, 0);
    expected.edgeAxis[0] = AxisCode("Y1");
    expected.edgeAxis[1] = AxisCode("X2");
    expected.edgeAxis[2] = AxisCode("Y2");
    expected.edgeAxis[3] = AxisCode("X1");
    expected.vertexCount = 4;
    expected.lowerStorey = 1;
    expected.bottomAxis = AxisCode("Y1");
    expected.bottomCount = 1;
    expected.upperStorey = 2;
    expected.topAxis = AxisCode("Y2");
    expected.topCount = 1;
    EXPECT_EQ(OnlySlope(), expected);
    EXPECT_TRUE(ReadSlopeData().edges.empty());

    // The common end: the model restructured, the new slope among the shapes.
    EXPECT_EQ(refresh.refreshes, 1);
    EXPECT_EQ(shapes.Selected(), nullptr);
    const SlopeShape* registered = shapes.FindShapeByNumber(SlopeCode(expected.slopeNumber));
    ASSERT_NE(registered, nullptr);
    EXPECT_EQ(registered->kind, ShapeKind::Registered);
    EXPECT_NEAR(registered->Centroid().z, 1500, 0.01);
}

TEST_F(SlopeRegistration, SixCornersWriteEdgesFiveAndSixBeforeTheSlopeRecord) {
    // An L-shaped slope rising 0.3 mm per mm of y: Y1 on storey 1, Y2 on the
    // middle layer, Y3 on storey 2.
    const LayerCode m = AddMiddleLayer();
    picked = {At(1, "X1", "Y1"), At(1, "X3", "Y1"), At(m, "X3", "Y2"),
              At(m, "X2", "Y2"), At(2, "X2", "Y3"), At(2, "X1", "Y3")};
    Faults::Install();
    ASSERT_TRUE(Define({2, 1, 1, "L", true}));
    EXPECT_EQ(Faults::puts, (std::vector<int>{TEVA_REC_SLOPE_EDGE, TEVA_REC_SLOPE_EDGE, TEVA_REC_SLOPE}));

    const SlopeData data = ReadSlopeData();
    const auto number = static_cast<int16_t>(DB_Usfind(TEVA_NAME_SLOPE, "L"));
    ASSERT_EQ(data.edges.size(), 2u);
    EXPECT_EQ(teva::decodeSlopeEdge(data.edges[0].data()), (teva::SlopeEdgeRecord{number, 5, AxisCode("Y3")}));
    EXPECT_EQ(teva::decodeSlopeEdge(data.edges[1].data()), (teva::SlopeEdgeRecord{number, 6, AxisCode("X1")}));
    const teva::SlopeRecord slope = OnlySlope();
    EXPECT_EQ(slope.vertexCount, 6);
    const int16_t firstFour[] = {AxisCode("Y1"), AxisCode("X3"), AxisCode("Y2"), AxisCode("X2")};
    EXPECT_TRUE(std::equal(std::begin(firstFour), std::end(firstFour), slope.edgeAxis));
    EXPECT_EQ(slope.topAxis, AxisCode("Y3"));
    EXPECT_EQ(slope.bottomAxis, AxisCode("Y1"));
    EXPECT_EQ(shapes.FindShapeByNumber(SlopeCode(number))->VertexCount(), 6);
}

TEST_F(SlopeRegistration, AnOverlapWithARegisteredSlopeEndsAsASuccessWithNothingWritten) {
    ASSERT_GT(modeldbtest::addSlope(RisingSlope()), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    const SlopeData before = ReadSlopeData();
    // The same plane; its long edge crosses the slope's X2 edge.
    picked = {At(1, "X1", "Y1"), At(1, "X3", "Y1"), At(2, "X3", "Y2")};
    EXPECT_TRUE(Define({2, 1, 1, "over", true}));
    EXPECT_EQ(dialogs.Messages(), Strings{kOverlapsRegisteredMessage});
    // The slope it overlaps is marked.
    ASSERT_TRUE(refresh.refusal);
    EXPECT_NE(shapes.FindShapeByNumber(refresh.refusal->slope), nullptr);
    EXPECT_EQ(ReadSlopeData(), before);
    EXPECT_EQ(refresh.refreshes, 1);
    EXPECT_EQ(shapes.Selected(), nullptr);
}

struct Refusal {
    const char* name;
    std::vector<std::tuple<LayerCode, const char*, const char*>> nodes;  // empty: the rising quadrilateral
    DefineRequest request;
    Strings messages;
    int failingKind = 0;
    bool noSpans = false;
};

TEST_F(SlopeRegistration, EveryRefusalWritesNothing) {
    ASSERT_GT(DB_Usno(TEVA_NAME_SLOPE, "taken"), 0);
    const decltype(Refusal::nodes) quad;
    const std::string tooLong(64, 'a');
    const Refusal refusals[] = {
        {"an edge off every wall line",
         {{1, "X1", "Y1"}, {1, "X3", "Y1"}, {2, "X3", "Y2"}},
         {2, 1, 0, "a", true}, {kWallLinesMissingMessage}},
        {"every node on one layer",
         {{1, "X1", "Y1"}, {1, "X2", "Y1"}, {1, "X2", "Y2"}},
         {2, 1, 0, "a", true}, {kInvalidPositionMessage}},
        {"upper layer equal to the lower", quad, {1, 1, 0, "a", true}, {kInvalidPositionMessage}},
        {"upper layer below the lower", quad, {1, 2, 0, "a", true}, {kInvalidPositionMessage}},
        {"unknown upper layer", quad, {9, 1, 0, "a", true}, {kUnknownLayerMessage}},
        {"a slope entry as lower layer", quad, {2, -32769, 0, "a", true}, {kUnknownLayerMessage}},
        {"empty name", quad, {2, 1, 0, "", true}, {kDuplicateNameMessage}},
        {"name of another slope", quad, {2, 1, 0, "taken", true}, {kDuplicateNameMessage}},
        {"name of 64 bytes", quad, {2, 1, 0, tooLong, true}, {kNameTooLongMessage}},
        {"an edge on no span", quad, {2, 1, 0, "a", true}, {kCannotDefineMessage}, 0, true},
        {"the slope record cannot be written", quad, {2, 1, 0, "a", true}, {kWriteFailedMessage}, TEVA_REC_SLOPE},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        const SlopeData before = ReadSlopeData();
        dialogs.shown.clear();
        refresh = {};
        Faults::Install(r.failingKind, r.noSpans);
        PickRisingQuad();
        if (!r.nodes.empty()) picked.clear();
        for (const auto& [layer, a, b] : r.nodes) picked.push_back(At(layer, a, b));
        EXPECT_FALSE(Define(r.request));
        EXPECT_EQ(dialogs.Messages(), r.messages);
        // An edge off every wall line is marked: here the closing diagonal.
        const bool offWalls = r.messages == Strings{kWallLinesMissingMessage};
        ASSERT_EQ(refresh.refusal.has_value(), offWalls);
        if (offWalls) {
            const auto [a, b] = *refresh.refusal->edge;
            EXPECT_TRUE(a.x != b.x && a.y != b.y) << a.x << "," << a.y << " " << b.x << "," << b.y;
        }
        EXPECT_EQ(ReadSlopeData(), before);
        EXPECT_EQ(refresh.repaints, 1);
        EXPECT_EQ(refresh.refreshes, 0);
        EXPECT_EQ(shapes.Selected(), nullptr);
        ModelDbLibrary::Instance().ReplaceEntries(Faults::real);
    }
}

TEST_F(SlopeRegistration, AFailedSlopeRecordTakesBackItsEdgesAndItsName) {
    const LayerCode m = AddMiddleLayer();
    picked = {At(1, "X1", "Y1"), At(1, "X3", "Y1"), At(m, "X3", "Y2"),
              At(m, "X2", "Y2"), At(2, "X2", "Y3"), At(2, "X1", "Y3")};
    const SlopeData before = ReadSlopeData();
    Faults::Install(TEVA_REC_SLOPE);
    EXPECT_FALSE(Define({2, 1, 0, "L", true}));
    EXPECT_EQ(Faults::puts, (std::vector<int>{TEVA_REC_SLOPE_EDGE, TEVA_REC_SLOPE_EDGE, TEVA_REC_SLOPE}));
    EXPECT_EQ(dialogs.Messages(), Strings{kWriteFailedMessage});
    EXPECT_EQ(ReadSlopeData(), before);
}

TEST_F(SlopeRegistration, ASideWithOneCornerAndNoSecondOnTheOtherIsRefused) {
    // A triangle with one corner on each of three layers, every edge on an
    // axis (the diagonal D runs from X1/Y1 to X3/Y3).
    const LayerCode m = AddMiddleLayer();
    ASSERT_GT(modeldbtest::addAxis("D", 0, 0, 12000, 10000), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    picked = {At(1, "X1", "Y1"), At(m, "X3", "Y1"), At(2, "X3", "Y3")};
    const SlopeData before = ReadSlopeData();
    EXPECT_FALSE(Define({2, 1, 0, "tri", true}));
    EXPECT_EQ(dialogs.Messages(), Strings{kCannotDefineMessage});
    EXPECT_EQ(ReadSlopeData(), before);
}

TEST_F(SlopeRegistration, ThreeCornersOnALineAreNotEnoughAndStaySelected) {
    picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(1, "X3", "Y1")};
    EXPECT_FALSE(Define({2, 1, 0, "line", true}));
    EXPECT_EQ(dialogs.Messages(), Strings{kThreePointsMessage});
    ASSERT_NE(shapes.Selected(), nullptr);
    EXPECT_EQ(shapes.Selected()->VertexCount(), 2);
    EXPECT_EQ(refresh.repaints + refresh.refreshes, 0);
}

TEST_F(SlopeRegistration, NothingSelectedDoesNothing) {
    PickRisingQuad();
    EXPECT_FALSE(DefineSlope({2, 1, 0, "a", true}, picked, shapes, refresh));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(refresh.repaints + refresh.refreshes, 0);
}

TEST_F(SlopeRegistration, UnregisteredPolygonsAreNumberedInOrder) {
    const SlopeData before = ReadSlopeData();
    PickRisingQuad();
    ASSERT_TRUE(Define({2, 1, 0, "", false}));
    picked = {At(1, "X2", "Y1"), At(1, "X3", "Y1"), At(2, "X3", "Y2"), At(2, "X2", "Y2")};
    ASSERT_TRUE(Define({2, 1, 0, "", false}));
    EXPECT_EQ(ReadSlopeData(), before);
    ASSERT_EQ(shapes.Size(), 3u);  // the outline and two polygons
    EXPECT_EQ(shapes.FindShapeByNumber(1)->kind, ShapeKind::Defined);
    EXPECT_EQ(shapes.FindShapeByNumber(2)->vertices[1], Vec3d(12000, 0, 0));
}

TEST_F(SlopeRegistration, TheLayersOfTheRequestReplaceThoseOfThePickedNodes) {
    // Picked from storey 1 to 2, registered from storey 2 to 3.
    PickRisingQuad();
    ASSERT_TRUE(Define({3, 2, 0, "upstairs", true}));
    const teva::SlopeRecord slope = OnlySlope();
    EXPECT_EQ(slope.lowerStorey, 2);
    EXPECT_EQ(slope.upperStorey, 3);
    EXPECT_EQ(slope.topAxis, AxisCode("Y2"));
    EXPECT_EQ(slope.bottomAxis, AxisCode("Y1"));
}

struct CutCase {
    const char* name;
    platform::MessageResult answer;
    bool drawAxis;
    bool result;
    Strings messages;
};

TEST_F(SlopeRegistration, ACutThroughARegisteredSlopeAsksAndNeedsItsLine) {
    const std::string question = "sl:1斜面の重なりを検知しました。\n入力を続行しますか？";
    const CutCase cases[] = {
        {"answered No", platform::MessageResult::No, false, false, {question}},
        {"line missing", platform::MessageResult::Yes, false, false,
         {question, "sl:1斜面との交差線を定義する必要があります。"}},
        {"line drawn", platform::MessageResult::Yes, true, true, {question}},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(modeldbtest::makeGridBuilding(dir.File(std::string(c.name) + "-grid.teva")));
        ASSERT_GT(modeldbtest::addSlope(RisingSlope()), 0);
        // The falling slope over the same cell meets the rising one along y = 2500.
        if (c.drawAxis) {
            ASSERT_GT(modeldbtest::addAxis("C", -1000, 2500, 13000, 2500), 0);
        }
        ASSERT_EQ(DB_restruct(0), 0);
        shapes.RemoveAllShapes();
        dialogs.shown.clear();
        dialogs.messageAnswers = {c.answer};
        picked = {At(1, "X1", "Y2"), At(1, "X2", "Y2"), At(2, "X2", "Y1"), At(2, "X1", "Y1")};
        const SlopeData before = ReadSlopeData();
        EXPECT_EQ(Define({2, 1, 0, "fall", true}), c.result);
        EXPECT_EQ(dialogs.Messages(), c.messages);
        EXPECT_EQ(ReadSlopeData().slopes.size(), before.slopes.size() + (c.result ? 1 : 0));
    }
}

TEST_F(SlopeRegistration, AutomaticNamesTakeTheFirstFreeNumber) {
    ASSERT_EQ(AutoSlopeName(), "sl:1");
    ASSERT_GT(DB_Usno(TEVA_NAME_SLOPE, "sl:1"), 0);
    ASSERT_GT(DB_Usno(TEVA_NAME_SLOPE, "sl:3"), 0);
    EXPECT_EQ(AutoSlopeName(), "sl:2");
    EXPECT_TRUE(dialogs.shown.empty());

    for (int answer : {1, -1}) {  // every number taken; a failing lookup
        SCOPED_TRACE(answer);
        dialogs.shown.clear();
        Faults::Install(0, false, answer);
        EXPECT_EQ(AutoSlopeName(), std::nullopt);
        EXPECT_EQ(dialogs.Messages(), Strings{kNoAutomaticNameMessage});
        ModelDbLibrary::Instance().ReplaceEntries(Faults::real);
    }
}

TEST_F(SlopeRegistration, TheDefineCommandNamesTheSlopeAndTakesThePickedLayers) {
    ASSERT_GT(DB_Usno(TEVA_NAME_SLOPE, "sl:1"), 0);
    PickRisingQuad();
    SelectOutline();
    ASSERT_TRUE(DefineSlopeWithAutomaticName(picked, shapes, refresh));
    const teva::SlopeRecord slope = OnlySlope();
    EXPECT_EQ(slope.slopeNumber, DB_Usfind(TEVA_NAME_SLOPE, "sl:2"));
    EXPECT_EQ(slope.lowerStorey, 1);
    EXPECT_EQ(slope.upperStorey, 2);
}

}  // namespace
