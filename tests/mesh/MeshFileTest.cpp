#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>

#include "TempDir.h"
#include "mesh/MeshFile.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr double kTol = 1e-9;

MeshElement Triangle(int number, MeshVertex a, MeshVertex b, MeshVertex c) {
    return MeshElement{number, {a, b, c}};
}

void ExpectVertex(const MeshVertex& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, kTol);
    EXPECT_NEAR(v.y, y, kTol);
    EXPECT_NEAR(v.z, z, kTol);
}

class MeshFileTest : public testing::Test {
protected:
    TempDir dir{"vorna-mesh"};
    std::string path = dir.File("UserMesh.tmsh");
    MeshList list;
};

TEST_F(MeshFileTest, ReadsTrianglesInFileOrder) {
    ASSERT_TRUE(WriteFile(path,
                          "TORMEL_MESH\n7,6,7\n2\n"
                          "1,0.00,0.00,0.00,1000.00,0.00,0.00,0.00,500.50,-3.25\n"
                          "2,1.5,2.5,3.5,4,5,6,7,8,9\n"));
    ASSERT_TRUE(ReadMeshFile(path, list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].number, 1);
    ASSERT_EQ(list[0].vertices.size(), 3u);
    ExpectVertex(list[0].vertices[1], 1000.0, 0.0, 0.0);
    ExpectVertex(list[0].vertices[2], 0.0, 500.5, -3.25);
    EXPECT_EQ(list[1].number, 2);
    ExpectVertex(list[1].vertices[0], 1.5, 2.5, 3.5);
    ExpectVertex(list[1].vertices[2], 7, 8, 9);
}

struct HeaderCase {
    const char* name;
    friend void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }
    const char* header;
};

class AnyHeader : public MeshFileTest, public testing::WithParamInterface<HeaderCase> {};

TEST_P(AnyHeader, IsAccepted) {
    ASSERT_TRUE(WriteFile(path, std::string(GetParam().header) + "\n1,2,3\n1\n9,0,0,0,1,0,0,0,1,0\n"));
    ASSERT_TRUE(ReadMeshFile(path, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].number, 9);
}

INSTANTIATE_TEST_SUITE_P(Cases, AnyHeader,
                         testing::Values(HeaderCase{"Usual", "TORMEL_MESH"},
                                         HeaderCase{"Empty", ""},
                                         HeaderCase{"Japanese", "斜面定義ﾌｧｲﾙ"},
                                         HeaderCase{"Numbers", "1,2,3,4,5,6,7,8,9,10"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeshFileTest, TheCountLineIsNotTrusted) {
    ASSERT_TRUE(WriteFile(path,
                          "TORMEL_MESH\n7,6,7\n5\n"
                          "1,0,0,0,1,0,0,0,1,0\n2,0,0,1,1,0,1,0,1,1\n3,0,0,2,1,0,2,0,1,2\n"));
    ASSERT_TRUE(ReadMeshFile(path, list));
    EXPECT_EQ(list.size(), 3u);
}

TEST_F(MeshFileTest, ABlankLineAfterTheLastTriangleFailsKeepingTheTriangles) {
    ASSERT_TRUE(WriteFile(path,
                          "TORMEL_MESH\n7,6,7\n2\n"
                          "1,0,0,0,1,0,0,0,1,0\n2,0,0,1,1,0,1,0,1,1\n\n"));
    EXPECT_FALSE(ReadMeshFile(path, list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].number, 2);
}

struct BadFileCase {
    const char* name;
    friend void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }
    const char* content;
    size_t kept;
};

class MalformedFile : public MeshFileTest, public testing::WithParamInterface<BadFileCase> {};

TEST_P(MalformedFile, FailsAtTheBadLine) {
    ASSERT_TRUE(WriteFile(path, GetParam().content));
    list.push_back(Triangle(77, {}, {}, {}));  // emptied by the read
    EXPECT_FALSE(ReadMeshFile(path, list));
    EXPECT_EQ(list.size(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedFile,
    testing::Values(
        BadFileCase{"VersionLineTwoFields", "H\n7,6\n1\n1,0,0,0,1,0,0,0,1,0\n", 0},
        BadFileCase{"VersionLineText", "H\nseven\n1\n", 0},
        BadFileCase{"CountLineText", "H\n7,6,7\ncount\n1,0,0,0,1,0,0,0,1,0\n", 0},
        BadFileCase{"NineFields", "H\n7,6,7\n1\n1,0,0,0,1,0,0,0,1\n", 0},
        BadFileCase{"SecondTriangleBroken",
                    "H\n7,6,7\n2\n1,0,0,0,1,0,0,0,1,0\n2,0,0,0,x,0,0,0,1,0\n", 1},
        BadFileCase{"SpaceBeforeComma", "H\n7,6,7\n1\n1 ,0,0,0,1,0,0,0,1,0\n", 0},
        BadFileCase{"NotANumberCoordinate", "H\n7,6,7\n1\n1,nan,0,0,1,0,0,0,1,0\n", 0},
        BadFileCase{"EmptyFile", "", 0},
        BadFileCase{"HeaderOnly", "TORMEL_MESH\n", 0},
        BadFileCase{"NoCountLine", "TORMEL_MESH\n7,6,7\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Runs `read` in a child process: its answer, or nothing when it had not
// answered within `seconds` (the child is then killed).
std::optional<bool> AnswerWithin(int seconds, const std::function<bool()>& read) {
    const pid_t child = fork();
    if (child == 0) _exit(read() ? 1 : 0);
    for (int tick = 0; tick < seconds * 100; ++tick) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            if (!WIFEXITED(status)) return std::nullopt;
            return WEXITSTATUS(status) == 1;
        }
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return std::nullopt;
}

TEST_F(MeshFileTest, ADeviceIsRefusedWithoutBeingRead) {
    list.push_back(Triangle(1, {}, {}, {}));
    EXPECT_EQ(AnswerWithin(5, [&] { return ReadMeshFile("/dev/zero", list); }), false);
    EXPECT_FALSE(ReadMeshFile("/dev/null", list));
    EXPECT_TRUE(list.empty());
}

TEST_F(MeshFileTest, AFifoIsRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    EXPECT_EQ(AnswerWithin(5, [&] { return ReadMeshFile(path, list); }), false);
}

TEST_F(MeshFileTest, AFileOfOneEndlessLineIsRefusedEarly) {
    ASSERT_TRUE(WriteFile(path, std::string(8 << 20, '1')));
    EXPECT_EQ(AnswerWithin(5, [&] { return ReadMeshFile(path, list); }), false);
}

struct LineLengthCase {
    const char* name;
    friend void PrintTo(const LineLengthCase& c, std::ostream* os) { *os << c.name; }
    size_t headerLength;
    size_t triangleLength;
    const char* lineEnd;
    bool accepted;
};

class LineLength : public MeshFileTest, public testing::WithParamInterface<LineLengthCase> {};

TEST_P(LineLength, IsAtMost512Characters) {
    const LineLengthCase& c = GetParam();
    const std::string triangle = "1,0,0,0,1,0,0,0,1,0";
    // Text after the tenth field is not read, so it pads the line.
    const std::string line = triangle + std::string(c.triangleLength - triangle.size(), ' ');
    ASSERT_TRUE(WriteFile(path, std::string(c.headerLength, 'H') + c.lineEnd + "7,6,7" + c.lineEnd +
                                    "1" + c.lineEnd + line + c.lineEnd));
    EXPECT_EQ(ReadMeshFile(path, list), c.accepted);
    EXPECT_EQ(list.size(), c.accepted ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineLength,
    testing::Values(LineLengthCase{"Short", 11, 19, "\n", true},
                    LineLengthCase{"Header512", 512, 19, "\n", true},
                    LineLengthCase{"Header513", 513, 19, "\n", false},
                    LineLengthCase{"Triangle512", 11, 512, "\n", true},
                    LineLengthCase{"Triangle513", 11, 513, "\n", false},
                    LineLengthCase{"Triangle512CrLf", 11, 512, "\r\n", true},
                    LineLengthCase{"Triangle513CrLf", 11, 513, "\r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct LinkCase {
    const char* name;
    friend void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }
    bool relative;
    bool targetExists;
};

class WriteThroughLink : public MeshFileTest, public testing::WithParamInterface<LinkCase> {};

TEST_P(WriteThroughLink, ReplacesTheTargetAndKeepsTheLink) {
    ASSERT_TRUE(testing_support::MakeDirectories(dir.File("meshes")));
    const std::string target = dir.File("meshes/real.tmsh");
    if (GetParam().targetExists) {
        ASSERT_TRUE(WriteFile(target, "old"));
        ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    }
    const std::string link = dir.File("link.tmsh");
    ASSERT_EQ(symlink(GetParam().relative ? "meshes/real.tmsh" : target.c_str(), link.c_str()), 0);
    list = {Triangle(1, {0, 0, 0}, {1, 0, 0}, {0, 1, 0})};
    ASSERT_TRUE(WriteMeshFile(link, list));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "TORMEL_MESH\n7,6,7\n1\n1,0.00,0.00,0.00,1.00,0.00,0.00,0.00,1.00,0.00\n");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, GetParam().targetExists ? 0600u : 0644u);
    MeshList back;
    EXPECT_TRUE(ReadMeshFile(link, back));
    EXPECT_EQ(back.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteThroughLink,
                         testing::Values(LinkCase{"Absolute", false, true},
                                         LinkCase{"Relative", true, true},
                                         LinkCase{"ToANewFile", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeshFileTest, ALinkLoopIsNotReplaced) {
    ASSERT_EQ(symlink("UserMesh.tmsh", path.c_str()), 0);
    EXPECT_FALSE(WriteMeshFile(path, list));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
}

TEST_F(MeshFileTest, WindowsLineEndsAndTrailingTextAreAccepted) {
    ASSERT_TRUE(WriteFile(path, "TORMEL_MESH\r\n7,6,7\r\n1\r\n1,0,0,0,1,0,0,0,1,0 end\r\n"));
    ASSERT_TRUE(ReadMeshFile(path, list));
    ASSERT_EQ(list.size(), 1u);
    ExpectVertex(list[0].vertices[2], 0, 1, 0);
}

TEST_F(MeshFileTest, AFileWithoutTrianglesIsAnEmptyMesh) {
    ASSERT_TRUE(WriteFile(path, "TORMEL_MESH\n7,6,7\n0"));
    EXPECT_TRUE(ReadMeshFile(path, list));
    EXPECT_TRUE(list.empty());
}

TEST_F(MeshFileTest, AnUnopenablePathFails) {
    list.push_back(Triangle(1, {}, {}, {}));
    EXPECT_FALSE(ReadMeshFile(dir.File("missing.tmsh"), list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(ReadMeshFile(dir.Path(), list));  // a folder
    EXPECT_FALSE(WriteMeshFile(dir.File("no/such/folder/UserMesh.tmsh"), list));
    EXPECT_FALSE(WriteMeshFile(dir.Path(), list));
}

TEST_F(MeshFileTest, AFailedWriteLeavesNoFileBehind) {
    TempDir parent("vorna-mesh-parent");
    const std::string folder = parent.File("taken");
    ASSERT_TRUE(testing_support::MakeDirectories(folder));
    list = {Triangle(1, {0, 0, 0}, {1, 0, 0}, {0, 1, 0})};
    EXPECT_FALSE(WriteMeshFile(folder, list));  // a folder cannot be replaced by a file
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(parent.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);  // only the folder itself
}

TEST_F(MeshFileTest, ReplacingAFileKeepsItsPermissions) {
    ASSERT_TRUE(WriteFile(path, "old"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    list = {Triangle(1, {0, 0, 0}, {1, 0, 0}, {0, 1, 0})};
    ASSERT_TRUE(WriteMeshFile(path, list));
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_NE(ReadFile(path).find("TORMEL_MESH"), std::string::npos);
}

TEST_F(MeshFileTest, WritesTheExactLines) {
    list = {Triangle(40, {1.234, 5, 0}, {-2.5, 0.005, 1000}, {3, 4, 5}),
            Triangle(41, {0, 0, 0}, {10, 0, 0}, {0, 10, 0.015})};
    ASSERT_TRUE(WriteMeshFile(path, list));
    EXPECT_EQ(ReadFile(path),
              "TORMEL_MESH\n7,6,7\n2\n"
              "1,1.23,5.00,0.00,-2.50,0.01,1000.00,3.00,4.00,5.00\n"
              "2,0.00,0.00,0.00,10.00,0.00,0.00,0.00,10.00,0.01\n");
}

TEST_F(MeshFileTest, WrittenCoordinatesReadBackRounded) {
    list = {Triangle(1, {1.234, 5, -7.777}, {0, 0, 0}, {1, 1, 1})};
    ASSERT_TRUE(WriteMeshFile(path, list));
    MeshList back;
    ASSERT_TRUE(ReadMeshFile(path, back));
    ASSERT_EQ(back.size(), 1u);
    ExpectVertex(back[0].vertices[0], 1.23, 5.00, -7.78);
}

TEST_F(MeshFileTest, WritingTruncatesAndOnlyTheFirstThreeCornersGoOut) {
    ASSERT_TRUE(WriteFile(path, std::string(4096, 'x')));
    MeshElement quad{5, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}};
    MeshElement line{6, {{0, 0, 0}, {1, 0, 0}}};  // not a polygon: left out
    list = {quad, line};
    ASSERT_TRUE(WriteMeshFile(path, list));
    EXPECT_EQ(ReadFile(path),
              "TORMEL_MESH\n7,6,7\n1\n1,0.00,0.00,0.00,1.00,0.00,0.00,1.00,1.00,0.00\n");
}

TEST_F(MeshFileTest, AnEmptyListWritesTheHeaderAndAZeroCount) {
    ASSERT_TRUE(WriteMeshFile(path, list));
    EXPECT_EQ(ReadFile(path), "TORMEL_MESH\n7,6,7\n0\n");
    EXPECT_TRUE(ReadMeshFile(path, list));
    EXPECT_TRUE(list.empty());
}

}  // namespace
