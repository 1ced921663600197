// Project files: creating, opening, and refusing what is not a sound
// project without writing to it.
#include "TestBuilding.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <limits>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace modeldbtest;
namespace fs = std::filesystem;

namespace {

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

// Runs SQL on a file directly, bypassing the library.
void runSql(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

class TevaProjectFile : public testing::Test {
protected:
    void TearDown() override { teva_close(); }

    // Makes a small closed project at `name` with one storey.
    std::string makeProject(const std::string& name)
    {
        const std::string path = dir.File(name);
        EXPECT_EQ(teva_create(path.c_str(), "Project"), 0) << teva_last_error();
        EXPECT_EQ(teva_add_storey("1F", 0), 1);
        teva_close();
        return path;
    }

    // Expects teva_open to refuse `path` with a message containing `words`,
    // leaving the file's bytes as they were and making no journal files.
    void expectRefused(const std::string& path, const std::string& words)
    {
        const std::string before = contentsOf(path);
        const bool walBefore = fs::exists(path + "-wal");
        EXPECT_EQ(teva_open(path.c_str()), -1);
        const std::string message = teva_last_error();
        EXPECT_NE(message.find(words), std::string::npos) << message;
        EXPECT_EQ(contentsOf(path), before) << "a refused file is not written";
        EXPECT_EQ(fs::exists(path + "-wal"), walBefore);
        EXPECT_EQ(DB_get(TEVA_REC_PROJECT, nullptr), TEVA_NOT_FOUND);
    }

    TempDir dir;
};

} // namespace

TEST_F(TevaProjectFile, CreateOpensANewEmptyProject)
{
    const std::string path = dir.File("new.teva");
    ASSERT_EQ(teva_create(path.c_str(), "New"), 0) << teva_last_error();
    unsigned char header[TEVA_SIZE_PROJECT];
    EXPECT_EQ(DB_get(TEVA_REC_PROJECT, header), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(header), "New");
    EXPECT_EQ(sp_GetMaxSeqLay(), 0);
    EXPECT_EQ(sp_lslay(1), 0);
    EXPECT_EQ(sp_GetMaxLin(0), 0);
    EXPECT_EQ(sp_GetMaxCros(), 0);
    EXPECT_EQ(teva_check(), 0) << teva_last_error();
    EXPECT_STREQ(teva_last_error(), "");
}

TEST_F(TevaProjectFile, CreateRefusesAnExistingFile)
{
    const std::string path = dir.File("exists.teva");
    writeFile(path, "keep me");
    EXPECT_EQ(teva_create(path.c_str(), "X"), -1);
    EXPECT_NE(std::string(teva_last_error()).find("exists"), std::string::npos);
    EXPECT_EQ(contentsOf(path), "keep me");
    EXPECT_EQ(teva_create(nullptr, "X"), -1);
    EXPECT_EQ(teva_create("", "X"), -1);
    EXPECT_EQ(teva_create(dir.File("no/such/folder.teva").c_str(), "X"), -1);
    const std::string longTitle(200, 't');
    EXPECT_EQ(teva_create(dir.File("long.teva").c_str(), longTitle.c_str()), -1);
    EXPECT_FALSE(fs::exists(dir.File("long.teva")));
}

TEST_F(TevaProjectFile, StoreysMustRiseAndHaveNames)
{
    ASSERT_EQ(teva_create(dir.File("storeys.teva").c_str(), "S"), 0);
    EXPECT_EQ(teva_add_storey("1F", 100), 1);
    EXPECT_EQ(teva_add_storey("low", 100), -1);
    EXPECT_NE(std::string(teva_last_error()).find("above"), std::string::npos);
    EXPECT_EQ(teva_add_storey("", 200), -1);
    EXPECT_EQ(teva_add_storey(nullptr, 200), -1);
    EXPECT_EQ(teva_add_storey("nan", std::numeric_limits<double>::quiet_NaN()), -1);
    EXPECT_EQ(teva_add_storey("inf", std::numeric_limits<double>::infinity()), -1);
    EXPECT_EQ(teva_add_storey("2F", 3100), 2);
    EXPECT_EQ(sp_GetMaxSeqLay(), 2) << "a new storey is a layer at once";
}

TEST_F(TevaProjectFile, MissingFileIsRefused)
{
    EXPECT_EQ(teva_open(dir.File("missing.teva").c_str()), -1);
    EXPECT_NE(std::string(teva_last_error()).find("no such project file"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.File("missing.teva"))) << "opening never creates";
    EXPECT_EQ(teva_open(nullptr), -1);
    EXPECT_EQ(teva_open(""), -1);
    EXPECT_EQ(teva_open(dir.Path().c_str()), -1) << "a folder is no project";
}

TEST_F(TevaProjectFile, FilesThatAreNoProjectAreRefused)
{
    const std::string text = dir.File("text.teva");
    writeFile(text, std::string(5000, 'a'));
    expectRefused(text, "not a project file");

    const std::string empty = dir.File("empty.teva");
    writeFile(empty, "");
    expectRefused(empty, "not a project file");

    const std::string other = dir.File("other.sqlite");
    runSql(other, "CREATE TABLE t(x); INSERT INTO t VALUES (1);");
    expectRefused(other, "not a project file");
}

TEST_F(TevaProjectFile, ReadOnlyFileIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind the superuser";
    const std::string path = makeProject("readonly.teva");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    expectRefused(path, "read-only");
}

TEST_F(TevaProjectFile, NewerSchemaIsRefused)
{
    const std::string path = makeProject("newer.teva");
    runSql(path, "PRAGMA user_version = 99;");
    expectRefused(path, "newer");
}

TEST_F(TevaProjectFile, DamagedDatabaseIsRefused)
{
    const std::string path = makeProject("damaged.teva");
    // Rows the library never writes: a record of the wrong size.
    runSql(path, "INSERT INTO records(kind, key1, key2, data) VALUES (15, 1, 0, x'0100');");
    expectRefused(path, "damaged");

    const std::string broken = makeProject("broken.teva");
    runSql(broken, "PRAGMA wal_checkpoint(TRUNCATE);");
    // Overwrite the second half of the file with garbage pages.
    std::string bytes = contentsOf(broken);
    ASSERT_GE(bytes.size(), 4096u * 2);
    for (std::size_t i = 4096; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + 3);
    writeFile(broken, bytes);
    expectRefused(broken, "damaged");
}

TEST_F(TevaProjectFile, WritesAreInTheFileWhenTheCallReturns)
{
    const std::string path = dir.File("durable.teva");
    ASSERT_TRUE(makeGridBuilding(path));
    ASSERT_EQ(DB_Usno(TEVA_NAME_SLOPE, "kept"), 1);
    // A second connection, made without the library, sees every write
    // although the project is still open.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto count = [db](const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        const int n = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
        sqlite3_finalize(stmt);
        return n;
    };
    EXPECT_EQ(count("SELECT count(*) FROM records WHERE kind = 15"), 6);
    EXPECT_EQ(count("SELECT count(*) FROM storeys"), 3);
    EXPECT_EQ(count("SELECT count(*) FROM names WHERE kind = 4"), 1);
    EXPECT_EQ(count("PRAGMA user_version"), 1);
    EXPECT_EQ(count("PRAGMA application_id"), 0x54455641);
    sqlite3_close(db);
}

TEST_F(TevaProjectFile, OpeningClosesTheOpenProject)
{
    const std::string a = makeProject("a.teva");
    ASSERT_TRUE(makeGridBuilding(dir.File("b.teva")));
    EXPECT_EQ(sp_GetMaxCros(), 9);
    ASSERT_EQ(teva_open(a.c_str()), 0) << teva_last_error();
    EXPECT_EQ(sp_GetMaxCros(), 0);
    EXPECT_EQ(sp_GetMaxSeqLay(), 1);
}

TEST_F(TevaProjectFile, CheckReportsRecordProblems)
{
    ASSERT_TRUE(makeGridBuilding(dir.File("check.teva")));
    EXPECT_EQ(teva_check(), 0) << teva_last_error();
    // An axis line whose last point is missing, and a slope edge record of
    // no slope.
    unsigned char point[TEVA_SIZE_AXIS_POINT] = {};
    putI16(point, 0, 2);
    putI16(point, 2, 2);
    ASSERT_EQ(DB_del(TEVA_REC_AXIS_POINT, point), 0);
    unsigned char edge[TEVA_SIZE_SLOPE_EDGE] = {};
    putI16(edge, 0, 5);
    putI16(edge, 2, 5);
    ASSERT_EQ(DB_put(TEVA_REC_SLOPE_EDGE, edge), 0);
    EXPECT_EQ(teva_check(), -1);
    const std::string problems = teva_last_error();
    EXPECT_NE(problems.find("axis line 2"), std::string::npos) << problems;
    EXPECT_NE(problems.find("slope 5"), std::string::npos) << problems;
}

TEST_F(TevaProjectFile, CheckOfABadlyDamagedProjectStaysShort)
{
    ASSERT_TRUE(makeGridBuilding(dir.File("damaged.teva")));
    // Slope records claiming 3000 vertices without their edge records, and
    // more than a hundred problems in all.
    for (int n = 1; n <= 120; ++n) {
        const std::string name = "s" + std::to_string(n);
        const int number = DB_Usno(TEVA_NAME_SLOPE, name.c_str());
        ASSERT_GE(number, 1);
        unsigned char slope[TEVA_SIZE_SLOPE] = {};
        putI16(slope, 0, number);
        putI16(slope, 10, 3000);
        putI16(slope, 14, 1);
        putI16(slope, 24, 2);
        ASSERT_EQ(DB_put(TEVA_REC_SLOPE, slope), 0);
    }
    EXPECT_EQ(teva_check(), -1);
    const std::string problems = teva_last_error();
    EXPECT_NE(problems.find("2996 edges are missing, the first is edge 5"), std::string::npos)
        << problems.substr(0, 400);
    EXPECT_EQ(std::count(problems.begin(), problems.end(), '\n'), 101);
    EXPECT_NE(problems.find("more problems"), std::string::npos);
}
