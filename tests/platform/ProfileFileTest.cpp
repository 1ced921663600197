// The profile file: what reads back, what a write keeps, and what a failed
// write leaves behind.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

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

TEST(ProfileWrite, FailedWriteLeavesTheOldFileIntact) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    const std::string path = dir.File("ro.ini");
    ASSERT_TRUE(WriteFile(path, "[init]\nA=1\n"));
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    EXPECT_FALSE(WriteProfileString(path, "init", "A", "2"));
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(ReadFile(path), "[init]\nA=1\n");
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

TEST(ProfileWrite, WriteIntoMissingFolderFailsCleanly) {
    TempDir dir;
    EXPECT_FALSE(WriteProfileString(dir.File("no/such/folder/x.ini"), "a", "b", "c"));
}

}  // namespace
