// Record entries: every kind written, read back byte for byte, enumerated
// in key order and deleted.
#include "TestBuilding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <vector>

using namespace modeldbtest;

namespace {

struct KindCase {
    const char* name;
    int kind;
    int size;
    int keyOffset2; // offset of the second key field, -1 for single keys
    int secondBase; // smallest valid second key
    int firstOffset;
};

const KindCase kKinds[] = {
    {"level", TEVA_REC_LEVEL, TEVA_SIZE_LEVEL, -1, 0, 2},
    {"axis line", TEVA_REC_AXIS_LINE, TEVA_SIZE_AXIS_LINE, -1, 0, 0},
    {"axis point", TEVA_REC_AXIS_POINT, TEVA_SIZE_AXIS_POINT, 2, 2, 0},
    {"slope", TEVA_REC_SLOPE, TEVA_SIZE_SLOPE, -1, 0, 0},
    {"slope edge", TEVA_REC_SLOPE_EDGE, TEVA_SIZE_SLOPE_EDGE, 2, 5, 0},
    {"mesh file", TEVA_REC_MESH_FILE, TEVA_SIZE_MESH_FILE, -1, 0, 0},
};

// Offsets of the doubles that hold coordinates or heights.
std::vector<int> coordinateOffsets(int kind)
{
    switch (kind) {
    case TEVA_REC_LEVEL: return {8};
    case TEVA_REC_AXIS_LINE: return {16, 24};
    case TEVA_REC_AXIS_POINT: return {8, 16};
    default: return {};
    }
}

class TevaRecordEntries : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(teva_create(dir.File("records.teva").c_str(), "Records"), 0) << teva_last_error();
    }
    void TearDown() override { teva_close(); }

    // A record of `kind` with key (first, second) and the rest random bytes.
    std::vector<unsigned char> makeRecord(const KindCase& k, int first, int second)
    {
        std::vector<unsigned char> record(static_cast<std::size_t>(k.size));
        for (auto& byte : record)
            byte = static_cast<unsigned char>(rng() & 0xff);
        if (k.kind == TEVA_REC_LEVEL)
            putI16(record.data(), 0, 2);
        putI16(record.data(), static_cast<std::size_t>(k.firstOffset), first);
        if (k.keyOffset2 >= 0)
            putI16(record.data(), static_cast<std::size_t>(k.keyOffset2), second);
        // Coordinates and heights must be in range; random ones mostly are not.
        std::uniform_real_distribution<double> coordinate(-1e9, 1e9);
        for (const int offset : coordinateOffsets(k.kind))
            putF64(record.data(), static_cast<std::size_t>(offset), coordinate(rng));
        return record;
    }

    TempDir dir;
    std::mt19937 rng{20261208};
};

} // namespace

TEST_F(TevaRecordEntries, EveryKindRoundTripsByteForByte)
{
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.name);
        const auto written = makeRecord(k, 7, k.secondBase + 3);
        ASSERT_EQ(DB_put(k.kind, written.data()), 0);
        std::vector<unsigned char> read(written.size(), 0);
        putI16(read.data(), static_cast<std::size_t>(k.firstOffset), 7);
        if (k.keyOffset2 >= 0)
            putI16(read.data(), static_cast<std::size_t>(k.keyOffset2), k.secondBase + 3);
        ASSERT_EQ(DB_get(k.kind, read.data()), 0);
        EXPECT_EQ(read, written);
    }
    // And after closing and reopening the file.
    teva_close();
    ASSERT_EQ(teva_open(dir.File("records.teva").c_str()), 0) << teva_last_error();
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.name);
        std::vector<unsigned char> read(static_cast<std::size_t>(k.size), 0);
        ASSERT_EQ(DB_getr(k.kind, nullptr), 0);
        ASSERT_EQ(DB_getr(k.kind, read.data()), 0);
        EXPECT_EQ(getI16(read.data(), static_cast<std::size_t>(k.firstOffset)), 7);
        EXPECT_EQ(DB_getr(k.kind, read.data()), TEVA_END);
    }
}

TEST_F(TevaRecordEntries, PutReplacesAndEnumerationFollowsKeyOrder)
{
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.name);
        // Written in scrambled order; the second key varies fastest.
        std::map<std::pair<int, int>, std::vector<unsigned char>> expected;
        for (int first : {30, 2, 300, 17}) {
            for (int second : {9, 0, 4}) {
                if (k.keyOffset2 < 0 && second != 0)
                    continue;
                const int secondKey = k.keyOffset2 < 0 ? 0 : k.secondBase + second;
                auto record = makeRecord(k, first, secondKey);
                ASSERT_EQ(DB_put(k.kind, record.data()), 0);
                expected[{first, secondKey}] = record;
            }
        }
        // Replacing keeps the count.
        auto replacement = makeRecord(k, 17, k.keyOffset2 < 0 ? 0 : k.secondBase);
        ASSERT_EQ(DB_put(k.kind, replacement.data()), 0);
        expected[{17, k.keyOffset2 < 0 ? 0 : k.secondBase}] = replacement;

        ASSERT_EQ(DB_getr(k.kind, nullptr), 0);
        std::vector<unsigned char> read(static_cast<std::size_t>(k.size));
        for (const auto& [key, record] : expected) {
            ASSERT_EQ(DB_getr(k.kind, read.data()), 0);
            EXPECT_EQ(read, record);
        }
        EXPECT_EQ(DB_getr(k.kind, read.data()), TEVA_END);
        EXPECT_EQ(DB_getr(k.kind, read.data()), TEVA_END) << "the end stays the end";

        // Deleting each record, then the enumeration is empty.
        for (const auto& [key, record] : expected)
            ASSERT_EQ(DB_del(k.kind, record.data()), 0);
        EXPECT_EQ(DB_del(k.kind, expected.begin()->second.data()), TEVA_NOT_FOUND);
        ASSERT_EQ(DB_getr(k.kind, nullptr), 0);
        EXPECT_EQ(DB_getr(k.kind, read.data()), TEVA_END);
        EXPECT_EQ(DB_get(k.kind, read.data()), TEVA_NOT_FOUND);
    }
}

TEST_F(TevaRecordEntries, EnumerationSurvivesWritesBetweenCalls)
{
    const KindCase& k = kKinds[1];
    for (int id : {1, 2, 3, 4})
        ASSERT_EQ(DB_put(k.kind, makeRecord(k, id, 0).data()), 0);
    std::vector<unsigned char> read(static_cast<std::size_t>(k.size));
    ASSERT_EQ(DB_getr(k.kind, nullptr), 0);
    ASSERT_EQ(DB_getr(k.kind, read.data()), 0);
    ASSERT_EQ(getI16(read.data(), 0), 1);
    ASSERT_EQ(DB_del(k.kind, makeRecord(k, 2, 0).data()), 0);
    ASSERT_EQ(DB_getr(k.kind, read.data()), 0);
    EXPECT_EQ(getI16(read.data(), 0), 3);
}

TEST_F(TevaRecordEntries, ProjectHeaderHoldsTheTitle)
{
    unsigned char header[TEVA_SIZE_PROJECT];
    std::memset(header, 0xEE, sizeof header);
    ASSERT_EQ(DB_get(TEVA_REC_PROJECT, header), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(header), "Records");
    std::memset(header, 0, sizeof header);
    std::strcpy(reinterpret_cast<char*>(header), "Renamed project");
    header[150] = 42;
    ASSERT_EQ(DB_put(TEVA_REC_PROJECT, header), 0);
    teva_close();
    ASSERT_EQ(teva_open(dir.File("records.teva").c_str()), 0);
    unsigned char read[TEVA_SIZE_PROJECT] = {};
    ASSERT_EQ(DB_get(TEVA_REC_PROJECT, read), 0);
    EXPECT_EQ(std::memcmp(read, header, sizeof header), 0);
    EXPECT_EQ(DB_del(TEVA_REC_PROJECT, read), TEVA_BAD_ARGUMENT) << "the header cannot be deleted";
    std::memset(header, 'x', sizeof header);
    EXPECT_EQ(DB_put(TEVA_REC_PROJECT, header), TEVA_BAD_ARGUMENT) << "a title needs its terminator";
}

TEST_F(TevaRecordEntries, BadArgumentsWriteNothing)
{
    unsigned char buffer[300] = {};
    struct Case {
        const char* name;
        int kind;
        int first;
        int second;
    };
    const Case cases[] = {
        {"unknown kind", 13, 1, 0},
        {"negative kind", -18, 1, 0},
        {"huge kind", 1 << 30, 1, 0},
        {"zero line id", TEVA_REC_AXIS_LINE, 0, 0},
        {"negative slope number", TEVA_REC_SLOPE, -4, 0},
        {"point index 1", TEVA_REC_AXIS_POINT, 1, 1},
        {"edge number 4", TEVA_REC_SLOPE_EDGE, 1, 4},
        {"mesh record 0", TEVA_REC_MESH_FILE, 0, 0},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        std::memset(buffer, 0, sizeof buffer);
        putI16(buffer, 0, t.first);
        putI16(buffer, 2, t.second);
        EXPECT_EQ(DB_put(t.kind, buffer), TEVA_BAD_ARGUMENT);
        EXPECT_EQ(DB_get(t.kind, buffer), TEVA_BAD_ARGUMENT);
        EXPECT_EQ(DB_del(t.kind, buffer), TEVA_BAD_ARGUMENT);
    }
    for (const KindCase& k : kKinds) {
        EXPECT_EQ(DB_put(k.kind, nullptr), TEVA_BAD_ARGUMENT);
        EXPECT_EQ(DB_get(k.kind, nullptr), TEVA_BAD_ARGUMENT);
        EXPECT_EQ(DB_del(k.kind, nullptr), TEVA_BAD_ARGUMENT);
        ASSERT_EQ(DB_getr(k.kind, nullptr), 0);
        EXPECT_EQ(DB_getr(k.kind, buffer), TEVA_END) << k.name << ": nothing was written";
    }
    EXPECT_EQ(DB_getr(99, nullptr), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(DB_getr(99, buffer), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(DBp_get(TEVA_REC_SLOPE, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(DB_initset(), -1);
    EXPECT_EQ(DB_textread(), -1);
    EXPECT_EQ(DB_textwrite(), -1);
}

TEST_F(TevaRecordEntries, CoordinatesBeyondTheRangeOrNotFiniteAreRefusedAndWriteNothing)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        bool accepted;
    } values[] = {
        {1e9, true}, {-1e9, true}, {0.0, true}, {-0.0, true}, {123456.5, true},
        {std::nextafter(1e9, 2e9), false}, {-1e9 - 1, false}, {1e300, false},
        {-std::numeric_limits<double>::max(), false}, {inf, false}, {-inf, false},
        {std::numeric_limits<double>::quiet_NaN(), false},
    };
    for (const KindCase& k : kKinds) {
        for (const int offset : coordinateOffsets(k.kind)) {
            for (const auto& v : values) {
                SCOPED_TRACE(std::string(k.name) + " offset " + std::to_string(offset) + " value " +
                             std::to_string(v.value));
                const std::vector<unsigned char> before = makeRecord(k, 3, k.secondBase + 1);
                ASSERT_EQ(DB_put(k.kind, before.data()), 0);
                std::vector<unsigned char> changed = makeRecord(k, 3, k.secondBase + 1);
                putF64(changed.data(), static_cast<std::size_t>(offset), v.value);
                EXPECT_EQ(DB_put(k.kind, changed.data()), v.accepted ? 0 : TEVA_BAD_ARGUMENT);
                std::vector<unsigned char> read = makeRecord(k, 3, k.secondBase + 1);
                ASSERT_EQ(DB_get(k.kind, read.data()), 0);
                EXPECT_EQ(read, v.accepted ? changed : before);
            }
        }
    }
    // A refused record under a new key leaves no record behind, in memory
    // or in the file.
    std::vector<unsigned char> point = makeRecord(kKinds[2], 9, 2);
    putF64(point.data(), 16, inf);
    EXPECT_EQ(DB_put(TEVA_REC_AXIS_POINT, point.data()), TEVA_BAD_ARGUMENT);
    EXPECT_EQ(DB_get(TEVA_REC_AXIS_POINT, point.data()), TEVA_NOT_FOUND);
    teva_close();
    ASSERT_EQ(teva_open(dir.File("records.teva").c_str()), 0) << teva_last_error();
    EXPECT_EQ(DB_get(TEVA_REC_AXIS_POINT, point.data()), TEVA_NOT_FOUND);
}
