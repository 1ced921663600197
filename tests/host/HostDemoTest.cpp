// tormel-host on real project files made by teva, with the real model
// library and editor module of the build.

#include <gtest/gtest.h>

#include <QImage>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>

#include "RecordLayouts.h"
#include "TempDir.h"
#include "tevalib.h"

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

// Points the slope `name` of an open project at a mesh file.
bool LinkMeshFile(const char* name, const std::string& path) {
    unsigned char meshRecord[teva::MeshFileRecord::size] = {};
    if (!teva::encode(teva::MeshFileRecord{1, path}, meshRecord) || DB_put(teva::MeshFileRecord::kind, meshRecord) != 0)
        return false;
    teva::SlopeRecord slope;
    slope.slopeNumber = static_cast<std::int16_t>(DB_Usfind(TEVA_NAME_SLOPE, name));
    unsigned char record[teva::SlopeRecord::size] = {};
    teva::encode(slope, record);
    if (DB_get(teva::SlopeRecord::kind, record) != 0) return false;
    slope = teva::decodeSlope(record);
    slope.definition = teva::SlopeRecord::meshDefinition;
    slope.meshRecord = 1;
    teva::encode(slope, record);
    return DB_put(teva::SlopeRecord::kind, record) == 0;
}

// A mesh path that is no file (an endless device, a pipe nobody writes to)
// is refused at once: the editor opens and draws the slope as a plain face.
TEST(HostDemo, MeshPathThatIsNoFileDoesNotHoldTheEditorUp) {
    TempDir dir;
    const std::string fifo = dir.File("pipe.tmsh");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& meshPath : {std::string("/dev/zero"), fifo}) {
        const std::string project = dir.File("demo.tvp");
        ASSERT_EQ(RunProcess(BinDir() + "/teva", {"demo", project, "--force"}).exitCode, 0);
        ASSERT_EQ(teva_open(project.c_str()), 0) << teva_last_error();
        ASSERT_TRUE(LinkMeshFile("South roof", meshPath));
        teva_close();
        const std::string png = dir.File("editor.png");
        const auto start = std::chrono::steady_clock::now();
        // The time limit only catches a hang; the editor opens in well under 2 s.
        ProcessResult r = RunProcess("/usr/bin/timeout", {"60", BinDir() + "/tormel-host", "--screenshot", png, project});
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(r.exitCode, 0) << meshPath << ": " << r.err;
        std::printf("%s: the editor opened and drew in %.2f s\n", meshPath.c_str(), seconds);
        QImage image(QString::fromStdString(png));
        ASSERT_FALSE(image.isNull()) << meshPath;
        EXPECT_EQ(image.size(), QSize(800, 600));
    }
}

}  // namespace
