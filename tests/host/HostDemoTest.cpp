// tormel-host on real project files made by teva, with the real model
// library and editor module of the build.

#include <gtest/gtest.h>

#include <QImage>

#include "TempDir.h"

using testing_support::BinDir;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::TempDir;

namespace {

TEST(HostDemo, ScreenshotOfTheDemoBuilding) {
    TempDir dir("デモ プロジェクト");
    const std::string project = dir.File("demo.tvp");
    ProcessResult made = RunProcess(BinDir() + "/teva", {"demo", project});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::string png = dir.File("editor.png");
    ProcessResult r = RunProcess(BinDir() + "/tormel-host", {"--screenshot", png, project});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
}

TEST(HostDemo, ProjectThatIsNotAProjectIsRefused) {
    TempDir dir;
    const std::string project = dir.File("notes.txt");
    ASSERT_TRUE(testing_support::WriteFile(project, "shopping list\n"));
    ProcessResult r = RunProcess(BinDir() + "/tormel-host", {"--screenshot", dir.File("x.png"), project});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("cannot open the project"), std::string::npos) << r.err;
    EXPECT_EQ(testing_support::ReadFile(project), "shopping list\n");
    EXPECT_FALSE(testing_support::FileExists(dir.File("x.png")));
}

TEST(HostDemo, TwoSessionsInARowOnOneProject) {
    TempDir dir;
    const std::string project = dir.File("demo.tvp");
    ASSERT_EQ(RunProcess(BinDir() + "/teva", {"demo", project}).exitCode, 0);
    for (int i = 0; i < 2; ++i) {
        ProcessResult r = RunProcess(BinDir() + "/tormel-host", {"--screenshot", dir.File("s.png"), project});
        EXPECT_EQ(r.exitCode, 0) << r.err;
    }
    // The editor changed nothing: the project still checks out.
    ProcessResult check = RunProcess(BinDir() + "/teva", {"check", project});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
}

}  // namespace
