// Undo and redo: each kind of change the editor makes, taken back and forth
// as one step, leaves the file exactly as it was before and after; steps,
// labels and the history's lifetime follow the entries' rules.
#include "TestBuilding.h"
#include "UndoSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace modeldbtest;

namespace {

// The five-sided slope "roof" over the grid: edges Y1, X3, the diagonal
// axis D, Y3 and X1 (the fifth edge in an edge record), rising from Y1 on
// storey 1 to Y3 on storey 2. The corner X3 × D lies on neither.
SlopeSpec roofSpec()
{
    SlopeSpec spec;
    spec.name = "roof";
    spec.edges = {"Y1", "X3", "D", "Y3", "X1"};
    spec.bottom = "Y1";
    spec.top = "Y3";
    return spec;
}

unsigned char* slopeRecordOf(int number, unsigned char* record)
{
    putI16(record, 0, static_cast<std::int16_t>(number));
    return DB_get(TEVA_REC_SLOPE, record) == 0 ? record : nullptr;
}

// The grid building with the diagonal axis D and the slope "roof".
bool makeRoofBuilding(const std::string& path)
{
    return makeGridBuilding(path) && addAxis("D", 13200, 4000, 4800, 11000) > 0 &&
           addSlope(roofSpec()) > 0 && DB_restruct(0) == 0;
}

struct EditorChange {
    const char* name;
    std::function<bool()> change;
};

const std::vector<EditorChange>& editorChanges()
{
    static const std::vector<EditorChange> changes = {
        {"define", [] {
             SlopeSpec spec = roofSpec();
             spec.name = "sl:2";
             spec.lowerStorey = 2;
             spec.upperStorey = 3;
             return addSlope(spec) > 0;
         }},
        {"extract", [] {
             return addAxis("交線1", -1000, -1000, 13000, 11000) > 0 &&
                    addLevel(2, "交線 level", 1, 1500) > 0;
         }},
        {"delete", [] {
             const int number = DB_Usfind(TEVA_NAME_SLOPE, "roof");
             unsigned char slope[TEVA_SIZE_SLOPE] = {};
             unsigned char edge[TEVA_SIZE_SLOPE_EDGE] = {};
             putI16(edge, 0, static_cast<std::int16_t>(number));
             putI16(edge, 2, 5);
             return slopeRecordOf(number, slope) && DB_del(TEVA_REC_SLOPE, slope) == 0 &&
                    DB_del(TEVA_REC_SLOPE_EDGE, edge) == 0 &&
                    DB_Usdel(TEVA_NAME_SLOPE, static_cast<short>(number)) == 0;
         }},
        {"edit", [] {
             const int number = DB_Usfind(TEVA_NAME_SLOPE, "roof");
             unsigned char slope[TEVA_SIZE_SLOPE] = {};
             if (DB_Usren(TEVA_NAME_SLOPE, static_cast<short>(number), "屋根 east") != 0 ||
                 !slopeRecordOf(number, slope))
                 return false;
             teva::SlopeRecord record = teva::decodeSlope(slope);
             record.upperStorey = 3;
             teva::encode(record, slope);
             return DB_put(TEVA_REC_SLOPE, slope) == 0;
         }},
        {"mesh link", [] {
             const int number = DB_Usfind(TEVA_NAME_SLOPE, "roof");
             unsigned char mesh[TEVA_SIZE_MESH_FILE] = {};
             putI16(mesh, 0, 1);
             std::memcpy(mesh + 2, "meshes/roof.msh", 15);
             unsigned char slope[TEVA_SIZE_SLOPE] = {};
             if (DB_put(TEVA_REC_MESH_FILE, mesh) != 0 || !slopeRecordOf(number, slope))
                 return false;
             teva::SlopeRecord record = teva::decodeSlope(slope);
             record.definition = teva::SlopeRecord::meshDefinition;
             record.meshRecord = 1;
             teva::encode(record, slope);
             return DB_put(TEVA_REC_SLOPE, slope) == 0;
         }},
    };
    return changes;
}

class TevaUndo : public testing::Test {
protected:
    void TearDown() override { teva_close(); }
    TempDir dir;
};

} // namespace

TEST_F(TevaUndo, EachEditorChangeIsUndoneAndRedoneExactly)
{
    for (const EditorChange& c : editorChanges()) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string(c.name) + ".teva");
        ASSERT_TRUE(makeRoofBuilding(path));
        const std::string before = dumpOf(path);
        ASSERT_EQ(teva_step_begin(c.name), 0);
        ASSERT_TRUE(c.change());
        ASSERT_EQ(teva_step_end(), 0);
        const std::string after = dumpOf(path);
        ASSERT_NE(after, before);
        EXPECT_STREQ(teva_undo_label(), c.name);

        ASSERT_EQ(teva_undo(), 0) << teva_last_error();
        EXPECT_EQ(dumpOf(path), before);
        EXPECT_STREQ(teva_redo_label(), c.name);
        ASSERT_EQ(teva_redo(), 0) << teva_last_error();
        EXPECT_EQ(dumpOf(path), after);
        EXPECT_TRUE(toolChecks(path));
        // The library's own copy follows the file: it reads back as the
        // file does when opened again.
        ASSERT_EQ(teva_undo(), 0);
        const Snapshot copy = snapshot();
        teva_close();
        ASSERT_EQ(teva_open(path.c_str()), 0);
        EXPECT_EQ(copy, snapshot());
    }
}

TEST_F(TevaUndo, StepsLabelsAndTheHistorysLifetime)
{
    const std::string path = dir.File("steps.teva");
    ASSERT_TRUE(makeGridBuilding(path));
    EXPECT_STREQ(teva_undo_label(), "DB_put") << "a write outside a step is a step of its own";

    EXPECT_EQ(teva_step_begin(nullptr), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(teva_step_begin(""), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(teva_step_begin("\xff"), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(teva_step_end(), TEVA_BAD_ARGUMENT) << "no step open";
    ASSERT_EQ(teva_step_begin("nothing"), 0);
    EXPECT_EQ(teva_step_begin("nested"), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(DB_Usno(TEVA_NAME_AXIS, "X1"), 1) << "an existing name writes nothing";
    ASSERT_EQ(teva_step_end(), 0);
    EXPECT_STREQ(teva_undo_label(), "DB_put") << "a step without writes is no step";

    // A label longer than 63 bytes is cut after its last whole character:
    // 21 three-byte characters fill 63 bytes, the 22nd is left out.
    std::string long_label;
    for (int i = 0; i < 22; ++i)
        long_label += "斜";
    ASSERT_EQ(teva_step_begin((" " + long_label).c_str()), 0);
    EXPECT_EQ(DB_Usno(TEVA_NAME_AXIS, "new"), 7);
    EXPECT_EQ(teva_undo(), TEVA_BAD_ARGUMENT) << "not while a step is open";
    ASSERT_EQ(teva_step_end(), 0);
    EXPECT_EQ(teva_undo_label(), " " + long_label.substr(0, 60));

    ASSERT_EQ(teva_undo(), 0);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, "new"), -2);
    EXPECT_EQ(teva_undo_label(), std::string("DB_put"));
    EXPECT_EQ(teva_redo_label(), " " + long_label.substr(0, 60));
    ASSERT_EQ(DB_Usren(TEVA_NAME_AXIS, 1, "X1'"), 0);
    EXPECT_STREQ(teva_undo_label(), "DB_Usren");
    EXPECT_EQ(teva_redo(), TEVA_NOT_FOUND) << "a new step empties the redo side";
    EXPECT_STREQ(teva_redo_label(), "");

    ASSERT_EQ(teva_open(path.c_str()), 0);
    EXPECT_EQ(teva_undo(), TEVA_NOT_FOUND) << "opening empties the history";
    EXPECT_EQ(teva_add_storey("4F", 9000), 4);
    EXPECT_STREQ(teva_undo_label(), "teva_add_storey");
    ASSERT_EQ(teva_undo(), 0);
    EXPECT_EQ(DB_restruct(0), 0);
    EXPECT_EQ(sp_GetMaxSeqLay(), 3);
    teva_close();
    EXPECT_EQ(teva_redo(), TEVA_NOT_FOUND);
    EXPECT_STREQ(teva_redo_label(), "");
}

// Random steps of random writes, with undos and redos between them; every
// undo and redo gives back the copy the step left, and undoing everything
// gives back the original file.
TEST_F(TevaUndo, RandomStepsUndoneToTheStart)
{
    const std::string path = dir.File("random.teva");
    ASSERT_TRUE(makeGridBuilding(path));
    ASSERT_EQ(teva_open(path.c_str()), 0); // an empty history
    const std::string original = dumpOf(path);
    std::mt19937 rng(20240515);
    const auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };

    std::vector<Snapshot> states{snapshot()}; // states[i]: after i steps
    std::size_t done = 0;                     // steps not undone
    for (int steps = 0; steps < 100;) {
        const int roll = below(10);
        if (roll < 2 && done > 0) {
            ASSERT_EQ(teva_undo(), 0);
            ASSERT_EQ(snapshot(), states[--done]);
            continue;
        }
        if (roll < 3 && done + 1 < states.size()) {
            ASSERT_EQ(teva_redo(), 0);
            ASSERT_EQ(snapshot(), states[++done]);
            continue;
        }
        ASSERT_EQ(teva_step_begin(("step " + std::to_string(++steps)).c_str()), 0);
        for (int writes = 1 + below(8); writes > 0; --writes)
            randomWrite(rng);
        ASSERT_EQ(teva_step_end(), 0);
        const Snapshot now = snapshot();
        if (now == states[done]) // every write of the step was refused
            continue;
        states.resize(++done);
        states.push_back(now);
        ASSERT_EQ(teva_redo(), TEVA_NOT_FOUND);
    }
    while (done > 0) {
        ASSERT_EQ(teva_undo(), 0);
        ASSERT_EQ(snapshot(), states[--done]);
    }
    EXPECT_EQ(teva_undo(), TEVA_NOT_FOUND);
    EXPECT_EQ(dumpOf(path), original);
    EXPECT_TRUE(toolChecks(path));
}
