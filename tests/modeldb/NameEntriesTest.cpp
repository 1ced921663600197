// Name entries: registering, finding, renaming and deleting names.
#include "TestBuilding.h"

#include <gtest/gtest.h>

#include <string>

using namespace modeldbtest;

namespace {

class TevaNameEntries : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(teva_create(dir.File("names.teva").c_str(), "Names"), 0) << teva_last_error();
        ASSERT_EQ(teva_add_storey("1F", 0), 1);
    }
    void TearDown() override { teva_close(); }
    TempDir dir;
};

std::string nameOf(int kind, int number)
{
    char text[64] = "unchanged";
    if (DB_Usnam(kind, static_cast<short>(number), text) != 0)
        return "<none>";
    return text;
}

} // namespace

TEST_F(TevaNameEntries, NewNamesTakeTheSmallestFreeNumber)
{
    for (int kind = TEVA_NAME_AXIS; kind <= TEVA_NAME_SLOPE; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        EXPECT_EQ(DB_Usno(kind, "a"), 1);
        EXPECT_EQ(DB_Usno(kind, "b"), 2);
        EXPECT_EQ(DB_Usno(kind, "c"), 3);
        EXPECT_EQ(DB_Usno(kind, "b"), 2) << "an existing name keeps its number";
        EXPECT_EQ(DB_Usdel(kind, 2), 0);
        EXPECT_EQ(DB_Usno(kind, "d"), 2) << "the gap is reused";
        EXPECT_EQ(nameOf(kind, 2), "d");
    }
    // Names are unique within a kind only.
    EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, "a"), 1);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, "a"), 1);
}

TEST_F(TevaNameEntries, InvalidTextsAreRefused)
{
    const std::string longest(63, 'x');
    const std::string tooLong(64, 'x');
    struct Case {
        const char* name;
        const char* text;
        short usno;
        short usfind;
    };
    const Case cases[] = {
        {"empty", "", -1, -1},
        {"null", nullptr, -1, -1},
        {"64 bytes", tooLong.c_str(), -1, -1},
        {"broken UTF-8", "\xC3(", -1, -1},
        {"overlong UTF-8", "\xC0\xAF", -1, -1},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(DB_Usno(TEVA_NAME_SLOPE, t.text), t.usno);
        EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, t.text), t.usfind);
    }
    EXPECT_TRUE(nameOf(TEVA_NAME_SLOPE, 1) == "<none>") << "nothing was registered";
    EXPECT_EQ(DB_Usno(TEVA_NAME_SLOPE, longest.c_str()), 1);
    EXPECT_EQ(nameOf(TEVA_NAME_SLOPE, 1), longest);
    EXPECT_EQ(DB_Usno(TEVA_NAME_SLOPE, "斜面 1"), 2) << "UTF-8 text is a name";
    EXPECT_EQ(nameOf(TEVA_NAME_SLOPE, 2), "斜面 1");
}

TEST_F(TevaNameEntries, TextWithoutTerminatorIsReadNoFurtherThan64Bytes)
{
    // A 64-byte buffer full of letters, placed at the very end of a larger
    // buffer whose rest is poisoned: the entry must stop at 64 bytes.
    char buffer[128];
    std::memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(DB_Usno(TEVA_NAME_AXIS, buffer + 64), -1);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, buffer + 64), -1);
    EXPECT_EQ(DB_Usren(TEVA_NAME_STOREY, 1, buffer + 64), -1);
}

TEST_F(TevaNameEntries, UnknownKindsAndNumbersAreRefused)
{
    char text[64];
    for (int kind : {0, 5, -1, 1000}) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        EXPECT_EQ(DB_Usno(kind, "x"), -1);
        EXPECT_EQ(DB_Usnam(kind, 1, text), -1);
        EXPECT_EQ(DB_Usfind(kind, "x"), -1);
        EXPECT_EQ(DB_Usren(kind, 1, "x"), -1);
        EXPECT_EQ(DB_Usino(kind, 1, text), -1);
        EXPECT_EQ(DB_Usdel(kind, 1), -1);
    }
    for (short number : {short(0), short(-1), short(32767), short(2)}) {
        EXPECT_EQ(DB_Usnam(TEVA_NAME_STOREY, number, text), -1);
        EXPECT_EQ(DB_Usino(TEVA_NAME_STOREY, number, text), -1);
        EXPECT_EQ(DB_Usdel(TEVA_NAME_AXIS, number), -1);
    }
    EXPECT_EQ(DB_Usnam(TEVA_NAME_STOREY, 1, nullptr), -1);
}

TEST_F(TevaNameEntries, RenameRefusesATakenText)
{
    const short a = DB_Usno(TEVA_NAME_SLOPE, "sl:1");
    const short b = DB_Usno(TEVA_NAME_SLOPE, "sl:2");
    EXPECT_EQ(DB_Usren(TEVA_NAME_SLOPE, b, "sl:1"), -1);
    EXPECT_EQ(nameOf(TEVA_NAME_SLOPE, b), "sl:2");
    EXPECT_EQ(DB_Usren(TEVA_NAME_SLOPE, b, "sl:2"), 0) << "its own text is no conflict";
    EXPECT_EQ(DB_Usren(TEVA_NAME_SLOPE, b, "ramp"), 0);
    EXPECT_EQ(nameOf(TEVA_NAME_SLOPE, b), "ramp");
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, "sl:2"), -2);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, "ramp"), b);
    EXPECT_EQ(DB_Usren(TEVA_NAME_SLOPE, 99, "other"), -1) << "no such name";
    EXPECT_EQ(DB_Usren(TEVA_NAME_SLOPE, a, ""), -1);
    char text[64] = {};
    EXPECT_EQ(DB_Usino(TEVA_NAME_SLOPE, a, text), 0);
    EXPECT_STREQ(text, "sl:1");
    EXPECT_EQ(DB_Usino(TEVA_NAME_SLOPE, a, nullptr), -1) << "a null buffer is a bad argument";
}

TEST_F(TevaNameEntries, StoreyNamesBelongToTheirStoreys)
{
    EXPECT_EQ(DB_Usfind(TEVA_NAME_STOREY, "1F"), 1);
    EXPECT_EQ(DB_Usno(TEVA_NAME_STOREY, "1F"), 1);
    EXPECT_EQ(DB_Usno(TEVA_NAME_STOREY, "2F"), -1) << "storeys are added with teva_add_storey";
    EXPECT_EQ(DB_Usdel(TEVA_NAME_STOREY, 1), -1);
    EXPECT_EQ(DB_Usren(TEVA_NAME_STOREY, 1, "Ground"), 0);
    EXPECT_EQ(nameOf(TEVA_NAME_STOREY, 1), "Ground");
    EXPECT_EQ(teva_add_storey("Ground", 3000), -1) << "storey names are unique";
    EXPECT_EQ(teva_add_storey("2F", 3000), 2);
}

TEST_F(TevaNameEntries, DeletedAndRenamedNamesPersist)
{
    ASSERT_EQ(DB_Usno(TEVA_NAME_AXIS, "A"), 1);
    ASSERT_EQ(DB_Usno(TEVA_NAME_AXIS, "B"), 2);
    ASSERT_EQ(DB_Usren(TEVA_NAME_AXIS, 1, "A'"), 0);
    ASSERT_EQ(DB_Usdel(TEVA_NAME_AXIS, 2), 0);
    teva_close();
    ASSERT_EQ(teva_open(dir.File("names.teva").c_str()), 0) << teva_last_error();
    EXPECT_EQ(nameOf(TEVA_NAME_AXIS, 1), "A'");
    EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, "B"), -2);
    EXPECT_EQ(nameOf(TEVA_NAME_STOREY, 1), "1F");
}
