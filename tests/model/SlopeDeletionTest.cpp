// Deleting registered slopes of the grid building: the records and the name
// that go, the confirmation, and the refusals that leave everything.

#include <array>

#include "DefinitionFixture.h"
#include "RecordLayouts.h"
#include "model/SlopeDeletion.h"

namespace {

using Strings = std::vector<std::string>;

struct DeleteFaults {
    static inline ModelDbEntries real;
    static short Del(int kind, const void* record) {
        return kind == TEVA_REC_SLOPE ? short{TEVA_WRITE_FAILED} : real.DB_del(kind, record);
    }
    static void Install() {
        real = Db();
        ModelDbEntries entries = real;
        entries.DB_del = &Del;
        ModelDbLibrary::Instance().ReplaceEntries(entries);
    }
};

class SlopeDeletion : public DefinitionFixture {
protected:
    // Registers `spec` and keeps another slope beside it; selects the first.
    void AddSlopes(modeldbtest::SlopeSpec spec) {
        number = modeldbtest::addSlope(spec);
        ASSERT_GT(number, 0);
        modeldbtest::SlopeSpec other = RisingSlope("other");
        other.edges = {"Y2", "X3", "Y3", "X2", "Y2", "X3"};  // six edges: records 5 and 6
        other.bottom = "Y2";
        other.top = "Y3";
        ASSERT_GT(modeldbtest::addSlope(other), 0);
        ASSERT_EQ(DB_restruct(0), 0);
        // The shape as the model outlines it; its corners do not matter here.
        const std::vector<Vec3d> corners{{0, 0, 0}, {6000, 0, 0}, {6000, 5000, 3000}};
        const std::vector<NodeRef> nodes{{1, 1}, {1, 2}, {2, 3}};
        shapes.AddShape(corners, nodes, ShapeKind::Registered, SlopeCode(number));
        shapes.Select(&shapes.At(shapes.Size() - 1));
    }
    static modeldbtest::SlopeSpec SevenEdges() {
        modeldbtest::SlopeSpec spec = RisingSlope("seven");
        spec.edges = {"Y1", "X2", "Y2", "X1", "Y1", "X2", "Y2"};
        return spec;
    }
    static std::vector<teva::SlopeEdgeRecord> EdgesOf(int slope) {
        std::vector<teva::SlopeEdgeRecord> edges;
        for (const auto& bytes : AllRecords(TEVA_REC_SLOPE_EDGE, TEVA_SIZE_SLOPE_EDGE)) {
            const teva::SlopeEdgeRecord edge = teva::decodeSlopeEdge(bytes.data());
            if (edge.slopeNumber == slope) edges.push_back(edge);
        }
        return edges;
    }
    int number = 0;
};

TEST_F(SlopeDeletion, RecordsEdgesAndNameGo) {
    for (const bool seven : {false, true}) {
        SCOPED_TRACE(seven ? "seven vertices" : "four vertices");
        AddSlopes(seven ? SevenEdges() : RisingSlope("four"));
        EXPECT_EQ(EdgesOf(number).size(), seven ? 3u : 0u);
        const SlopeData before = ReadSlopeData();

        EXPECT_EQ(DeleteSlope(shapes, refresh), DeleteOutcome::Deleted);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, "関連部材がある場合削除されます。");
        EXPECT_EQ(dialogs.shown[0].buttons, platform::MessageButtons::OkCancel);
        const SlopeData after = ReadSlopeData();
        EXPECT_EQ(after.slopes.size(), before.slopes.size() - 1);
        EXPECT_TRUE(EdgesOf(number).empty());
        EXPECT_EQ(after.names, Strings{"other"});
        EXPECT_EQ(EdgesOf(DB_Usfind(TEVA_NAME_SLOPE, "other")).size(), 2u);
        EXPECT_EQ(shapes.Selected(), nullptr);
        // The other slope is the only registered shape left.
        ASSERT_EQ(shapes.Size(), 1u);
        EXPECT_EQ(shapes.At(0).number, SlopeCode(DB_Usfind(TEVA_NAME_SLOPE, "other")));
        EXPECT_EQ(refresh.refreshes, 1);

        // Clean slate for the next case.
        DB_Usdel(TEVA_NAME_SLOPE, DB_Usfind(TEVA_NAME_SLOPE, "other"));
        for (const auto& bytes : AllRecords(TEVA_REC_SLOPE_EDGE, TEVA_SIZE_SLOPE_EDGE))
            DB_del(TEVA_REC_SLOPE_EDGE, bytes.data());
        for (const auto& bytes : AllRecords(TEVA_REC_SLOPE, TEVA_SIZE_SLOPE)) DB_del(TEVA_REC_SLOPE, bytes.data());
        shapes.RemoveAllShapes();
        dialogs.shown.clear();
        refresh.refreshes = 0;
    }
}

TEST_F(SlopeDeletion, RefusalsAndCancelLeaveTheModel) {
    struct Case {
        const char* what;
        void (*prepare)(platform::ScriptedDialogs&, int number);
        DeleteOutcome outcome;
        Strings messages;
    };
    const Case cases[] = {
        {"cancelled",
         [](platform::ScriptedDialogs& d, int) { d.messageAnswers = {platform::MessageResult::Cancel}; },
         DeleteOutcome::ResetSelection,
         {"関連部材がある場合削除されます。"}},
        {"no name",
         [](platform::ScriptedDialogs&, int n) { DB_Usdel(TEVA_NAME_SLOPE, static_cast<short>(n)); },
         DeleteOutcome::ResetSelection,
         {"形状データの読込に失敗しました"}},
        {"no record",
         [](platform::ScriptedDialogs&, int n) {
             std::array<unsigned char, TEVA_SIZE_SLOPE> key{};
             teva::encode(teva::SlopeRecord{static_cast<int16_t>(n)}, key.data());
             DB_del(TEVA_REC_SLOPE, key.data());
         },
         DeleteOutcome::Refused,
         {"関連部材がある場合削除されます。", "配置データを取得できませんでした"}},
        {"delete fails",
         [](platform::ScriptedDialogs&, int) { DeleteFaults::Install(); },
         DeleteOutcome::Refused,
         {"関連部材がある場合削除されます。", "正常に削除されませんでした"}},
    };
    int project = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A fresh building for each case.
        ASSERT_TRUE(modeldbtest::makeGridBuilding(dir.File("case" + std::to_string(++project) + ".teva")));
        shapes.RemoveAllShapes();
        dialogs.shown.clear();
        refresh = {};
        AddSlopes(SevenEdges());
        c.prepare(dialogs, number);
        const SlopeData before = ReadSlopeData();
        EXPECT_EQ(DeleteSlope(shapes, refresh), c.outcome);
        if (DeleteFaults::real.DB_del) ModelDbLibrary::Instance().ReplaceEntries(DeleteFaults::real);
        DeleteFaults::real = {};
        EXPECT_EQ(dialogs.Messages(), c.messages);
        EXPECT_EQ(ReadSlopeData(), before);
        EXPECT_EQ(refresh.refreshes, 0);
        EXPECT_EQ(refresh.repaints, 1);
        EXPECT_EQ(shapes.Selected(), nullptr);
    }
}

TEST_F(SlopeDeletion, OnlyARegisteredSlopeIsDeleted) {
    EXPECT_EQ(DeleteSlope(shapes, refresh), DeleteOutcome::NothingSelected);
    picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(2, "X2", "Y2")};
    SelectOutline();
    ASSERT_NE(shapes.Selected(), nullptr);
    EXPECT_EQ(DeleteSlope(shapes, refresh), DeleteOutcome::NothingSelected);
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
