#include <gtest/gtest.h>

#include "ExecutablePath.h"
#include "TempDir.h"
#include "settings/CheckItemSettings.h"
#include "settings/SettingsFilePath.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

TEST(CheckItemSettings, KeysFollowTheItemNumbers) {
    EXPECT_STREQ(CheckItemKey(1), "checkArea");
    EXPECT_STREQ(CheckItemKey(2), "checkLine");
    EXPECT_STREQ(CheckItemKey(3), "checkNode");
    EXPECT_STREQ(CheckItemKey(4), "checkGlid");
    EXPECT_STREQ(CheckItemKey(5), "checkText");
    EXPECT_STREQ(CheckItemKey(6), "checkJikuText");
    EXPECT_STREQ(CheckItemKey(7), "checkPlaneText");
    EXPECT_STREQ(CheckItemKey(8), "checkCompass");
    EXPECT_STREQ(CheckItemKey(9), "checkEdge");
    EXPECT_EQ(CheckItemKey(0), nullptr);
    EXPECT_EQ(CheckItemKey(10), nullptr);
}

TEST(CheckItemSettings, ReadsPresentKeysAndReportsMissingOnes) {
    TempDir dir("vorna-check");
    const std::string ini = dir.File("Vorna3D.ini");
    EXPECT_FALSE(ReadCheckItem(1, ini).has_value());  // no file
    ASSERT_TRUE(WriteFile(ini, "[Check]\ncheckArea=1\ncheckLine=0\ncheckNode=7\n"
                               "checkGlid=NULL\ncheckText=x\n"));
    EXPECT_EQ(ReadCheckItem(1, ini), true);
    EXPECT_EQ(ReadCheckItem(2, ini), false);
    EXPECT_EQ(ReadCheckItem(3, ini), true);  // any non-zero number
    EXPECT_FALSE(ReadCheckItem(4, ini).has_value());  // "NULL" is missing
    EXPECT_EQ(ReadCheckItem(5, ini), false);          // no number: 0
    EXPECT_FALSE(ReadCheckItem(9, ini).has_value());
    EXPECT_FALSE(ReadCheckItem(12, ini).has_value());
}

TEST(CheckItemSettings, WritesZeroOrOne) {
    TempDir dir("vorna-check");
    const std::string ini = dir.File("Vorna3D.ini");
    ASSERT_TRUE(WriteCheckItem(9, true, ini));
    ASSERT_TRUE(WriteCheckItem(2, false, ini));
    EXPECT_FALSE(WriteCheckItem(0, true, ini));
    EXPECT_EQ(ReadCheckItem(9, ini), true);
    EXPECT_EQ(ReadCheckItem(2, ini), false);
    EXPECT_NE(testing_support::ReadFile(ini).find("checkEdge=1"), std::string::npos);
}

TEST(SettingsFilePath, LiesBesideTheExecutable) {
    const std::string directory = platform::ExecutableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(SettingsFilePath(), directory + "Vorna3D.ini");
}

}  // namespace
