// Opening, resolving and closing dynamic libraries by full path.

#include <gtest/gtest.h>

#include "DynamicLibrary.h"
#include "ExecutablePath.h"
#include "TempDir.h"

namespace {

TEST(ExecutableDirectory, IsAbsoluteWithTrailingSlash) {
    const std::string dir = platform::ExecutableDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.front(), '/');
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(testing_support::FileExists(dir + "platform_tests"));
}

TEST(DynamicLibrary, MissingFileGivesAnError) {
    platform::DynamicLibrary library;
    EXPECT_FALSE(library.Open("/no/such/library.so"));
    EXPECT_FALSE(library.IsOpen());
    EXPECT_FALSE(library.Error().empty());
    EXPECT_EQ(library.Resolve("anything"), nullptr);
}

TEST(DynamicLibrary, NotALibraryGivesAnError) {
    testing_support::TempDir dir;
    ASSERT_TRUE(testing_support::WriteFile(dir.File("fake.so"), "not an ELF file"));
    platform::DynamicLibrary library;
    EXPECT_FALSE(library.Open(dir.File("fake.so")));
    EXPECT_FALSE(library.Error().empty());
}

TEST(DynamicLibrary, ResolvesByNameAndCloses) {
    platform::DynamicLibrary library;
    ASSERT_TRUE(library.Open(testing_support::BinDir() + "/tevalib.so")) << library.Error();
    EXPECT_NE(library.Resolve("DB_get"), nullptr);
    EXPECT_EQ(library.Resolve("no_such_entry"), nullptr);
    EXPECT_EQ(library.Resolve(nullptr), nullptr);
    platform::DynamicLibrary moved = std::move(library);
    EXPECT_FALSE(library.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    moved.Close();
    moved.Close();
    EXPECT_FALSE(moved.IsOpen());
}

}  // namespace
