// The profile file: what reads back, what a write keeps, and what a failed
// write leaves behind.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "OrdinaryUser.h"
#include "ProfileFile.h"
#include "TempDir.h"

using platform::ReadProfileString;
using platform::WriteProfileString;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

struct ReadCase {
    const char* name;
    const char* content;
    const char* section;
    const char* key;
    const char* expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, ValueOrDefault) {
    const ReadCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.File("Vorna3D.ini");
    if (c.content) {
        ASSERT_TRUE(WriteFile(path, c.content));
    }
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, "NULL"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    ::testing::Values(
        ReadCase{"MissingFile", nullptr, "init", "BGACOLOR", "NULL"},
        ReadCase{"MissingSection", "[Color]\nBGACOLOR=255\n", "init", "BGACOLOR", "NULL"},
        ReadCase{"MissingKey", "[init]\nOther=1\n", "init", "BGACOLOR", "NULL"},
        ReadCase{"Plain", "[init]\nBGACOLOR=255\n", "init", "BGACOLOR", "255"},
        ReadCase{"SectionCaseInsensitive", "[INIT]\nBGACOLOR=7\n", "Init", "BGACOLOR", "7"},
        ReadCase{"KeyCaseInsensitive", "[init]\nbgacolor=8\n", "init", "BGACOLOR", "8"},
        ReadCase{"SpacesAroundKeyAndValue", "[ init ]\n  cX  =  12.5  \n", "init", "cX", "12.5"},
        ReadCase{"ValueWithSpacesAndEquals", "[p]\nk=a b = c\n", "p", "k", "a b = c"},
        ReadCase{"EmptyValue", "[p]\nk=\n", "p", "k", ""},
        ReadCase{"CrLfLines", "[p]\r\nk=v\r\n", "p", "k", "v"},
        ReadCase{"LoneCrLines", "[a]\rk=1\r[p]\rk=v\r", "p", "k", "v"},
        ReadCase{"LoneCrLastLine", "[p]\rj=1\rk=v", "p", "k", "v"},
        ReadCase{"DoubleQuotes", "[Color]\nBGACOLOR=\"255\"\n", "Color", "BGACOLOR", "255"},
        ReadCase{"SingleQuotes", "[p]\nk= 'a b' \n", "p", "k", "a b"},
        ReadCase{"BlanksInsideQuotesKept", "[p]\nk=\" x \"\n", "p", "k", " x "},
        ReadCase{"OnlyOnePairRemoved", "[p]\nk=\"\"x\"\"\n", "p", "k", "\"x\""},
        ReadCase{"EmptyQuotes", "[p]\nk=\"\"\n", "p", "k", ""},
        ReadCase{"UnmatchedQuotesKept", "[p]\nk=\"255'\n", "p", "k", "\"255'"},
        ReadCase{"LoneQuoteKept", "[p]\nk=\"\n", "p", "k", "\""},
        ReadCase{"QuoteOnlyAtStartKept", "[p]\nk=\"a\" b\n", "p", "k", "\"a\" b"},
        ReadCase{"KeyOfAnotherSectionNotTaken", "[a]\nk=1\n[b]\nj=2\n", "b", "k", "NULL"},
        ReadCase{"CommentIsNotAKey", "[p]\n;k=1\n", "p", ";k", "NULL"},
        ReadCase{"FirstOfDuplicateKeys", "[p]\nk=1\nk=2\n", "p", "k", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileWrite, CreatesTheFileOnFirstWrite) {
    TempDir dir;
    const std::string path = dir.File("new.ini");
    ASSERT_TRUE(WriteProfileString(path, "Camera", "cX", "1.5"));
    EXPECT_EQ(ReadFile(path), "[Camera]\ncX=1.5\n");
}

TEST(ProfileWrite, KeepsOtherLinesAndReplacesInPlace) {
    TempDir dir;
    const std::string path = dir.File("keep.ini");
    ASSERT_TRUE(WriteFile(path, "; made by hand\n[init]\nA=1\n\nnonsense line\n[Color]\nbgacolor=3\nZ=9\n"));
    ASSERT_TRUE(WriteProfileString(path, "COLOR", "BGACOLOR", "255"));
    EXPECT_EQ(ReadFile(path), "; made by hand\n[init]\nA=1\n\nnonsense line\n[Color]\nBGACOLOR=255\nZ=9\n");
}

TEST(ProfileWrite, NewKeyGoesAfterTheLastKeyOfItsSection) {
    TempDir dir;
    const std::string path = dir.File("add.ini");
    ASSERT_TRUE(WriteFile(path, "[a]\nx=1\n\n[b]\ny=2\n"));
    ASSERT_TRUE(WriteProfileString(path, "a", "z", "3"));
    ASSERT_TRUE(WriteProfileString(path, "c", "w", "4"));
    EXPECT_EQ(ReadFile(path), "[a]\nx=1\nz=3\n\n[b]\ny=2\n[c]\nw=4\n");
    EXPECT_EQ(ReadProfileString(path, "a", "z", "NULL"), "3");
}

TEST(ProfileWrite, ValueWithEqualsReadsBack) {
    TempDir dir;
    const std::string path = dir.File("eq.ini");
    ASSERT_TRUE(WriteProfileString(path, "p", "k", "x = y = z"));
    EXPECT_EQ(ReadProfileString(path, "p", "k", "NULL"), "x = y = z");
}

struct LineEndCase {
    const char* name;
    const char* before;
    const char* after;
};

class ProfileLineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(ProfileLineEnds, AWriteKeepsTheFilesLineEnd) {
    TempDir dir;
    const std::string path = dir.File("ends.ini");
    if (*GetParam().before) {
        ASSERT_TRUE(WriteFile(path, GetParam().before));
    }
    ASSERT_TRUE(WriteProfileString(path, "a", "z", "3"));
    EXPECT_EQ(ReadFile(path), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileLineEnds,
    ::testing::Values(
        LineEndCase{"NewFile", "", "[a]\nz=3\n"},
        LineEndCase{"Lf", "[a]\nx=1\n", "[a]\nx=1\nz=3\n"},
        LineEndCase{"CrLf", "[a]\r\nx=1\r\n", "[a]\r\nx=1\r\nz=3\r\n"},
        LineEndCase{"CrLfWithoutLastLineEnd", "; hand made\r\n[a]\r\nx=1",
                    "; hand made\r\n[a]\r\nx=1\r\nz=3\r\n"},
        LineEndCase{"LoneCr", "[a]\rx=1\r", "[a]\rx=1\rz=3\r"},
        LineEndCase{"FirstLineDecides", "[a]\r\nx=1\n", "[a]\r\nx=1\r\nz=3\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    std::string section;
    std::string key;
};

class ProfileBadNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProfileBadNames, AreRefusedAndNothingIsWritten) {
    TempDir dir;
    const std::string path = dir.File("names.ini");
    const std::string old = "[init]\nA=1\n";
    ASSERT_TRUE(WriteFile(path, old));
    const platform::ProfileResult written =
        WriteProfileString(path, GetParam().section, GetParam().key, "1");
    EXPECT_EQ(written.status, platform::ProfileStatus::BadName);
    EXPECT_FALSE(written.reason.empty());
    EXPECT_EQ(ReadFile(path), old);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileBadNames,
    ::testing::Values(NameCase{"EmptySection", "", "k"}, NameCase{"EmptyKey", "s", ""},
                      NameCase{"SectionLeadingBlank", " s", "k"},
                      NameCase{"KeyTrailingBlank", "s", "k "}, NameCase{"KeyTab", "s", "\tk"},
                      NameCase{"KeyWithEquals", "s", "a=b"},
                      NameCase{"SectionWithBracket", "s]x", "k"},
                      NameCase{"KeyOpeningBracket", "s", "[k"},
                      NameCase{"SectionLineBreak", "s]\n[t", "k"},
                      NameCase{"KeyLineBreak", "s", "k=1\nj"}, NameCase{"KeyCr", "s", "k\rj"},
                      NameCase{"KeyComment", "s", ";k"}, NameCase{"SectionComment", "#s", "k"},
                      NameCase{"KeyNul", "s", std::string("k\0j", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileWrite, NamesWithInnerBlanksAndJapaneseAreStored) {
    TempDir dir;
    const std::string path = dir.File("names.ini");
    ASSERT_TRUE(WriteProfileString(path, "my section", "表示 色", "1"));
    EXPECT_EQ(ReadProfileString(path, "MY SECTION", "表示 色", "NULL"), "1");
}

// A settings file the user may write in a folder the user may not: the
// folder is made read-only and, for root, the test acts as an ordinary user.
class ReadOnlyFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteFile(path, old));
        ASSERT_TRUE(testing_support::GiveToOrdinaryUser(dir));
        ASSERT_TRUE(testing_support::GiveToOrdinaryUser(path));
        ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    }
    void TearDown() override { chmod(dir.Path().c_str(), 0755); }

    TempDir dir;
    std::string path = dir.File("Vorna3D.ini");
    std::string old = "[init]\r\nA=1\r\n";
};

TEST_F(ReadOnlyFolder, AWritableFileIsRewrittenInPlace) {
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    platform::ProfileResult written;
    {
        testing_support::AsOrdinaryUser user;
        ASSERT_TRUE(user.Active());
        written = WriteProfileString(path, "init", "A", "22");
    }
    EXPECT_TRUE(written) << written.reason;
    EXPECT_EQ(ReadFile(path), "[init]\r\nA=22\r\n");
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(ReadOnlyFolder, AReadOnlyFileFailsAndStaysIntact) {
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    platform::ProfileResult written;
    {
        testing_support::AsOrdinaryUser user;
        ASSERT_TRUE(user.Active());
        written = WriteProfileString(path, "init", "A", "2");
    }
    EXPECT_EQ(written.status, platform::ProfileStatus::WriteFailed);
    EXPECT_FALSE(written.reason.empty());
    EXPECT_EQ(ReadFile(path), old);
}

TEST_F(ReadOnlyFolder, AnInPlaceWriteCutShortPutsTheOldContentBack) {
    platform::ProfileResult written;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = signal(SIGXFSZ, SIG_IGN);
    {
        testing_support::AsOrdinaryUser user;
        ASSERT_TRUE(user.Active());
        rlimit small = saved;
        small.rlim_cur = 20;  // more than the old file, less than the new one
        setrlimit(RLIMIT_FSIZE, &small);
        written = WriteProfileString(path, "init", "A", std::string(100, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
    }
    signal(SIGXFSZ, previous);
    EXPECT_EQ(written.status, platform::ProfileStatus::WriteFailed);
    EXPECT_EQ(ReadFile(path), old);
}

TEST(ProfileWrite, WriteCutShortLeavesTheOldFileIntact) {
    // A file size limit makes the write of the new file fail half-way, as a
    // full disk would; this works for every user, root included.
    TempDir dir;
    const std::string path = dir.File("full.ini");
    const std::string old = "[init]\nA=1\n";
    ASSERT_TRUE(WriteFile(path, old));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = static_cast<bool>(WriteProfileString(path, "init", "A", std::string(100, 'x')));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(path), old);
    // No temporary file is left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(ProfileWrite, ALinkedFileIsWrittenThroughTheLink) {
    TempDir dir;
    ASSERT_TRUE(testing_support::MakeDirectories(dir.File("shared")));
    const std::string target = dir.File("shared/Vorna3D.ini");
    const std::string link = dir.File("Vorna3D.ini");
    ASSERT_TRUE(WriteFile(target, "[init]\nA=1\n"));
    ASSERT_EQ(symlink("shared/Vorna3D.ini", link.c_str()), 0);
    ASSERT_TRUE(WriteProfileString(link, "init", "A", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "[init]\nA=2\n");
}

TEST(ProfileWrite, WriteIntoMissingFolderFailsCleanly) {
    TempDir dir;
    EXPECT_FALSE(WriteProfileString(dir.File("no/such/folder/x.ini"), "a", "b", "c"));
}

}  // namespace
