// Axes and levels added to the grid building: the names they get, the
// records written, what is refused, and that a half-made axis is undone.

#include <array>

#include "DefinitionFixture.h"
#include "RecordLayouts.h"
#include "model/AxisAddition.h"
#include "model/LevelAddition.h"

namespace {

using Strings = std::vector<std::string>;

// DB_put of one record kind fails, or DB_Usfind answers a fixed value.
struct AdditionFaults {
    static inline ModelDbEntries real;
    static inline int failingKind = 0;
    static inline short usfindAnswer = 0;
    static short Put(int kind, const void* record) {
        return kind == failingKind ? short{TEVA_WRITE_FAILED} : real.DB_put(kind, record);
    }
    static short Usfind(int kind, const char* text) { return usfindAnswer ? usfindAnswer : real.DB_Usfind(kind, text); }
    static void Install(int failKind, short usfind = 0) {
        real = Db();
        failingKind = failKind;
        usfindAnswer = usfind;
        ModelDbEntries entries = real;
        entries.DB_put = &Put;
        entries.DB_Usfind = &Usfind;
        ModelDbLibrary::Instance().ReplaceEntries(entries);
    }
};

class ModelAddition : public DefinitionFixture {
protected:
    void TearDown() override {
        if (AdditionFaults::real.DB_put) ModelDbLibrary::Instance().ReplaceEntries(AdditionFaults::real);
        AdditionFaults::real = {};
        DefinitionFixture::TearDown();
    }
    static std::vector<teva::AxisLineRecord> AxisLines() {
        std::vector<teva::AxisLineRecord> lines;
        for (const auto& bytes : AllRecords(TEVA_REC_AXIS_LINE, TEVA_SIZE_AXIS_LINE))
            lines.push_back(teva::decodeAxisLine(bytes.data()));
        return lines;
    }
    static std::vector<teva::LevelRecord> Levels() {
        std::vector<teva::LevelRecord> levels;
        for (const auto& bytes : AllRecords(TEVA_REC_LEVEL, TEVA_SIZE_LEVEL))
            levels.push_back(teva::decodeLevel(bytes.data()));
        return levels;
    }
    // Back to the grid's six axes and no "N'" names.
    static void RemoveAddedAxes() {
        for (int16_t id = 7; id <= 12; ++id) {
            std::array<unsigned char, TEVA_SIZE_AXIS_LINE> line{};
            teva::encode(teva::AxisLineRecord{id, 0, 0, 0, 0, 0, 0}, line.data());
            DB_del(TEVA_REC_AXIS_LINE, line.data());
            std::array<unsigned char, TEVA_SIZE_AXIS_POINT> point{};
            teva::encode(teva::AxisPointRecord{id, 2, 0, 0}, point.data());
            DB_del(TEVA_REC_AXIS_POINT, point.data());
        }
        for (int n = 1; n <= 4; ++n) {
            const std::string name = std::to_string(n) + "'";
            const short number = DB_Usfind(TEVA_NAME_AXIS, name.c_str());
            if (number > 0) DB_Usdel(TEVA_NAME_AXIS, number);
        }
    }
    static size_t PointRecords() { return AllRecords(TEVA_REC_AXIS_POINT, TEVA_SIZE_AXIS_POINT).size(); }
};

TEST_F(ModelAddition, AxisNamesTakeTheFirstFreeNumber) {
    struct Case {
        Strings inUse;
        const char* expected;
    };
    const Case cases[] = {{{}, "1'"}, {{"1'", "2'"}, "3'"}, {{"2'"}, "1'"}, {{"1'", "3'"}, "2'"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        for (const std::string& name : c.inUse) ASSERT_GT(modeldbtest::addAxis(name.c_str(), 0, 20000, 1, 20000), 0);
        const AxisAddition added = AddAxisLine({100, 200, 0}, {300, 400, 0});
        ASSERT_EQ(added.status, AxisAddStatus::Added);
        EXPECT_EQ(added.name, c.expected);
        RemoveAddedAxes();
    }
}

TEST_F(ModelAddition, NewAxisIsATwoPointLineOfType2WithTheNextId) {
    const AxisAddition added = AddAxisLine({100, 200, 55}, {300, 400, 66});
    ASSERT_EQ(added.status, AxisAddStatus::Added);
    EXPECT_EQ(added.lineId, 7);  // the grid has lines 1 … 6
    const auto lines = AxisLines();
    ASSERT_EQ(lines.size(), 7u);
    const teva::AxisLineRecord& line = lines.back();
    EXPECT_EQ(line.lineId, 7);
    EXPECT_EQ(line.type, 2);
    EXPECT_EQ(line.nameNumber, DB_Usfind(TEVA_NAME_AXIS, "1'"));
    EXPECT_EQ(line.layer, 1);
    EXPECT_EQ(line.pointCount, 2);
    EXPECT_EQ(line.x1, 100);
    EXPECT_EQ(line.y1, 200);
    std::array<unsigned char, TEVA_SIZE_AXIS_POINT> point{};
    teva::encode(teva::AxisPointRecord{7, 2, 0, 0}, point.data());
    ASSERT_EQ(DB_get(TEVA_REC_AXIS_POINT, point.data()), 0);
    EXPECT_EQ(teva::decodeAxisPoint(point.data()), (teva::AxisPointRecord{7, 2, 300, 400}));
    EXPECT_EQ(AxisAdditionMessage(added), "1'軸を追加しました。");
    EXPECT_TRUE(dialogs.Messages().empty());  // the caller tells
}

TEST_F(ModelAddition, LineId32767LeavesNoRoom) {
    teva::AxisLineRecord last;
    last.lineId = 32767;
    last.nameNumber = static_cast<int16_t>(DB_Usno(TEVA_NAME_AXIS, "Z"));
    last.pointCount = 2;
    std::array<unsigned char, TEVA_SIZE_AXIS_LINE> bytes{};
    teva::encode(last, bytes.data());
    ASSERT_EQ(DB_put(TEVA_REC_AXIS_LINE, bytes.data()), 0);
    const size_t before = AxisLines().size();

    const AxisAddition added = AddAxisLine({0, 0, 0}, {1000, 0, 0});
    EXPECT_EQ(added.status, AxisAddStatus::CapacityExhausted);
    EXPECT_EQ(AxisAdditionMessage(added), "登録許容量を超えました");
    EXPECT_EQ(AxisLines().size(), before);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, "1'"), -2);
}

TEST_F(ModelAddition, FailedWritesLeaveNoLineAndNoName) {
    struct Case {
        int failingKind;
        short usfind;
    };
    for (const Case c : {Case{TEVA_REC_AXIS_POINT, 0}, Case{TEVA_REC_AXIS_LINE, 0}, Case{0, -1}}) {
        SCOPED_TRACE(c.failingKind);
        const size_t points = PointRecords();
        AdditionFaults::Install(c.failingKind, c.usfind);
        EXPECT_EQ(AddAxisLine({0, 0, 0}, {1000, 0, 0}).status, AxisAddStatus::Failed);
        ModelDbLibrary::Instance().ReplaceEntries(AdditionFaults::real);
        EXPECT_EQ(AxisLines().size(), 6u);
        EXPECT_EQ(PointRecords(), points);
        EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, "1'"), -2);
    }
}

TEST_F(ModelAddition, AxisOnExtensionFindsSegmentsOnAnAxisLine) {
    struct Case {
        const char* what;
        Vec3d p1, p2;
        int expected;
    };
    const Case cases[] = {
        {"beyond the end of X1", {0, 12000, 0}, {0, 14000, 0}, -1},
        {"along X1 between no nodes", {0, 1000, 0}, {0, 2000, 0}, -1},
        {"on Y2's line, given backwards", {20000, 5000, 0}, {15000, 5000, 0}, -1},
        {"parallel to X1, 0.01 beside it", {0.01, 12000, 0}, {0.01, 14000, 0}, 0},
        {"slanting", {0, 12000, 0}, {1, 14000, 0}, 0},
        {"a point", {3, 3, 0}, {3, 3, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AxisOnExtension(c.p1, c.p2), c.expected);
    }
}

TEST_F(ModelAddition, LevelIsAddedAboveTheStoreyBelowIt) {
    std::string name;
    EXPECT_EQ(AddLevelAtHeight(4200, &name), kLevelAdded);
    EXPECT_EQ(name, "1");
    EXPECT_EQ(dialogs.Messages(), Strings{"1層を追加しました。"});
    const auto levels = Levels();
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0], (teva::LevelRecord{2, 1, 2, 1200.0}));
    // The model knows the new sub-layer at once.
    EXPECT_GT(Db().sp_layls(MakeLayerCode(2, 1)), 0);
}

TEST_F(ModelAddition, LevelsNearExistingOnesAreNotAdded) {
    ASSERT_GT(modeldbtest::addLevel(1, "A", 0, 1500), 0);  // absolute at 1500
    ASSERT_GT(modeldbtest::addLevel(2, "R", 2, 1000), 0);  // 2F + 1000 = 4000
    ASSERT_EQ(DB_restruct(0), 0);
    struct Case {
        double z;
        int expected;
    };
    const Case cases[] = {
        {1500.9, kLevelExists},  {1499.1, kLevelExists}, {4000.5, kLevelExists},
        {3000.0, kLevelExists},  {2999.2, kLevelExists}, {0.5, kLevelExists},
        {6000.0, kNoLayerAbove}, {7000, kNoLayerAbove},  {-200, kNoLayerAbove},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.z);
        EXPECT_EQ(AddLevelAtHeight(c.z), c.expected);
    }
    EXPECT_EQ(Levels().size(), 2u);
    EXPECT_TRUE(dialogs.Messages().empty());
    // The same height above another storey is no duplicate; taken names are
    // passed over.
    std::string name;
    EXPECT_EQ(AddLevelAtHeight(1000, &name), kLevelAdded);
    EXPECT_EQ(name, "1");
    ASSERT_GT(modeldbtest::addLevel(1, "2", 0, 2000), 0);
    EXPECT_EQ(AddLevelAtHeight(5000, &name), kLevelAdded);
    EXPECT_EQ(name, "3");
}

TEST_F(ModelAddition, FailedLevelWriteLeavesNoName) {
    AdditionFaults::Install(TEVA_REC_LEVEL);
    EXPECT_EQ(AddLevelAtHeight(1000), kLevelWriteFailed);
    ModelDbLibrary::Instance().ReplaceEntries(AdditionFaults::real);
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SUBLAYER, "1"), -2);
    EXPECT_TRUE(dialogs.Messages().empty());
    // A failing name lookup writes nothing either.
    AdditionFaults::Install(0, -1);
    EXPECT_EQ(AddLevelAtHeight(1000), kLevelWriteFailed);
    ModelDbLibrary::Instance().ReplaceEntries(AdditionFaults::real);
    EXPECT_TRUE(Levels().empty());
}

}  // namespace
