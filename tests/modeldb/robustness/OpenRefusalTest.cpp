// teva_open refuses what is not a sound project, with a message, and leaves
// the file exactly as it was: no byte changed, no journal created.
#include "RobustnessSupport.h"
#include "TempDir.h"
#include "tevalib.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

using testing_support::FileExists;
using testing_support::TempDir;
using testing_support::WriteFile;

// A closed project with enough names and records to fill several pages.
std::string makeProjectFile(const TempDir& dir, const std::string& name)
{
    const std::string path = dir.File(name);
    EXPECT_EQ(robustness::makeSmallProject(path), "");
    for (int i = 0; i < 300; ++i) {
        const std::string text = "name number " + std::to_string(i) + " with some length to it";
        EXPECT_GE(DB_Usno(TEVA_NAME_SLOPE, text.c_str()), 1);
    }
    teva_close();
    EXPECT_FALSE(FileExists(path + "-wal")) << "a clean close folds the journal into the file";
    return path;
}

void overwrite(std::string& bytes, size_t at, size_t count, uint64_t seed)
{
    std::mt19937_64 rng(seed);
    for (size_t i = at; i < at + count && i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(rng());
}

// `good` with one name changed in the names' text index only: "Y1" becomes
// "X9" there (still in key order, so the index is a sound tree), while the
// table keeps "Y1". Only a check of the index against its table sees it.
std::string damageNameIndex(const std::string& good)
{
    TempDir tmp("modeldb-index");
    const std::string path = tmp.File("i.teva");
    WriteFile(path, good);
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::vector<long long> pages;
    long long pageSize = 0;
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT pageno, (SELECT page_size FROM pragma_page_size) FROM dbstat"
                       " WHERE name LIKE 'sqlite_autoindex_names_%' AND pagetype = 'leaf'",
                       -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        pages.push_back(sqlite3_column_int64(stmt, 0));
        pageSize = sqlite3_column_int64(stmt, 1);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    std::string damaged = good;
    int changed = 0;
    for (const long long page : pages) {
        const size_t begin = static_cast<size_t>((page - 1) * pageSize);
        const size_t at = damaged.find("Y1", begin);
        if (at != std::string::npos && at + 2 <= begin + static_cast<size_t>(pageSize)) {
            damaged.replace(at, 2, "X9");
            ++changed;
        }
    }
    EXPECT_EQ(changed, 1) << "the name is in exactly one index leaf";
    return damaged;
}

struct Damage {
    const char* name;
    std::function<std::string(const std::string& good)> make;  // bytes of the damaged file
    const char* mention;  // a part of the message
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class ModeldbOpenRefusal : public ::testing::TestWithParam<Damage> {};

TEST_P(ModeldbOpenRefusal, IsRefusedAndLeftUnchanged)
{
    TempDir dir("modeldb-refusal");
    const std::string good = robustness::fileBytes(makeProjectFile(dir, "good.teva"));
    ASSERT_GT(good.size(), 4096u * 4);
    const std::string damaged = GetParam().make(good);
    const std::string path = dir.File("damaged.teva");
    ASSERT_TRUE(WriteFile(path, damaged));

    // An open project is closed first; the refusal leaves none open.
    ASSERT_EQ(teva_open(dir.File("good.teva").c_str()), 0) << teva_last_error();
    EXPECT_EQ(teva_open(path.c_str()), -1);
    const std::string message = teva_last_error();
    EXPECT_NE(message, "");
    EXPECT_NE(message.find(GetParam().mention), std::string::npos) << message;
    unsigned char header[TEVA_SIZE_PROJECT];
    EXPECT_EQ(DB_get(TEVA_REC_PROJECT, header), TEVA_NOT_FOUND);
    EXPECT_EQ(sp_GetMaxSeqLay() > 0, false);

    EXPECT_EQ(robustness::fileBytes(path), damaged);
    EXPECT_FALSE(FileExists(path + "-wal"));
    EXPECT_FALSE(FileExists(path + "-shm"));
    EXPECT_FALSE(FileExists(path + "-journal"));
    teva_close();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ModeldbOpenRefusal,
    ::testing::Values(
        Damage{"TextFile", [](const std::string&) { return std::string("title = \"not a project\"\n"); }, ""},
        Damage{"EmptyFile", [](const std::string&) { return std::string(); }, ""},
        Damage{"TruncatedToHalf", [](const std::string& g) { return g.substr(0, g.size() / 2); }, ""},
        Damage{"TruncatedMidPage", [](const std::string& g) { return g.substr(0, g.size() - 1000); }, ""},
        Damage{"FirstPageHeader",
               [](const std::string& g) {
                   std::string d = g;
                   overwrite(d, 0, 16, 1);
                   return d;
               },
               ""},
        Damage{"CorruptedSecondPage",
               [](const std::string& g) {
                   std::string d = g;
                   overwrite(d, 4096 + 8, 4000, 2);
                   return d;
               },
               "damaged"},
        Damage{"CorruptedLastPage",
               [](const std::string& g) {
                   std::string d = g;
                   overwrite(d, g.size() - 4096, 4096, 3);
                   return d;
               },
               "damaged"},
        Damage{"NameIndexEntry", damageNameIndex, "index"},
        Damage{"OtherSqliteDatabase",
               [](const std::string&) {
                   // A sound SQLite file that is not a project.
                   TempDir tmp("modeldb-other");
                   sqlite3* db = nullptr;
                   sqlite3_open(tmp.File("o.db").c_str(), &db);
                   sqlite3_exec(db, "CREATE TABLE t(a); INSERT INTO t VALUES (1);", nullptr, nullptr, nullptr);
                   sqlite3_close(db);
                   return robustness::fileBytes(tmp.File("o.db"));
               },
               "not a project"},
        Damage{"NewerSchema",
               [](const std::string& g) {
                   TempDir tmp("modeldb-newer");
                   WriteFile(tmp.File("n.teva"), g);
                   sqlite3* db = nullptr;
                   sqlite3_open(tmp.File("n.teva").c_str(), &db);
                   sqlite3_exec(db, "PRAGMA journal_mode = DELETE; PRAGMA user_version = 9999;", nullptr, nullptr,
                                nullptr);
                   sqlite3_close(db);
                   return robustness::fileBytes(tmp.File("n.teva"));
               },
               "newer"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModeldbOpenRefusal, PathsThatAreNoFile)
{
    TempDir dir("modeldb-paths");
    for (const std::string& p : {dir.Path(), dir.File("missing.teva"), dir.File("no/such/dir.teva"), std::string()}) {
        EXPECT_EQ(teva_open(p.c_str()), -1) << p;
        EXPECT_STRNE(teva_last_error(), "") << p;
    }
    EXPECT_EQ(teva_open(nullptr), -1);
    EXPECT_FALSE(FileExists(dir.File("missing.teva")));
}

TEST(ModeldbOpenRefusal, SoundCopyStillOpens)
{
    // The control: the undamaged bytes written elsewhere open and check.
    TempDir dir("modeldb-control");
    const std::string good = robustness::fileBytes(makeProjectFile(dir, "good.teva"));
    ASSERT_TRUE(WriteFile(dir.File("copy.teva"), good));
    ASSERT_EQ(teva_open(dir.File("copy.teva").c_str()), 0) << teva_last_error();
    EXPECT_EQ(teva_check(), 0) << teva_last_error();
    EXPECT_EQ(sp_GetMaxSeqLay(), 3);
    teva_close();
}

} // namespace
