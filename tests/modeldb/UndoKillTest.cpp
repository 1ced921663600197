// An undo or redo killed at any moment leaves the file sound and on one side
// of its step: a child opens the project, makes one step of 1,000 writes,
// reports it, and then undoes and redoes it in a loop until the parent kills
// it with SIGKILL after a random delay.
#include "TestBuilding.h"
#include "UndoSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace modeldbtest;

namespace {

// 400 mesh file records, 300 sub-layer names and their 300 levels above
// storey 1: a sound project after every write.
bool largeStep()
{
    if (teva_step_begin("large step") != 0)
        return false;
    for (int i = 1; i <= 400; ++i) {
        unsigned char mesh[TEVA_SIZE_MESH_FILE] = {};
        putI16(mesh, 0, static_cast<std::int16_t>(i));
        const std::string file = "meshes/" + std::to_string(i) + ".msh";
        std::memcpy(mesh + 2, file.data(), file.size());
        if (DB_put(TEVA_REC_MESH_FILE, mesh) != 0)
            return false;
    }
    for (int i = 1; i <= 300; ++i)
        if (addLevel(2, ("level " + std::to_string(i)).c_str(), 1, 2.0 * i) < 1)
            return false;
    return teva_step_end() == 0;
}

// The child: never returns.
[[noreturn]] void undoForever(const std::string& path, int report)
{
    if (teva_open(path.c_str()) != 0 || !largeStep())
        _exit(3);
    const char ready = 'r';
    if (write(report, &ready, 1) != 1)
        _exit(4);
    for (;;)
        if (teva_undo() != 0 || teva_redo() != 0)
            _exit(5);
}

} // namespace

TEST(TevaUndoKill, AKilledUndoLeavesTheFileOnOneSideOfTheStep)
{
    TempDir dir;
    const std::string base = dir.File("base.teva");
    ASSERT_TRUE(makeGridBuilding(base));
    teva_close();
    const std::string stepped = dir.File("stepped.teva");
    ASSERT_TRUE(testing_support::CopyFile(base, stepped));
    ASSERT_EQ(teva_open(stepped.c_str()), 0);
    ASSERT_TRUE(largeStep());
    teva_close();
    const std::string before = dumpOf(base);
    const std::string after = dumpOf(stepped);
    ASSERT_NE(before, after);

    std::mt19937 rng(std::random_device{}());
    int seen[2] = {0, 0};
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string path = dir.File("killed" + std::to_string(round) + ".teva");
        ASSERT_TRUE(testing_support::CopyFile(base, path));
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            undoForever(path, pipeEnds[1]);
        }
        close(pipeEnds[1]);
        pollfd ready{pipeEnds[0], POLLIN, 0};
        char byte = 0;
        const bool started = poll(&ready, 1, 60000) == 1 && read(pipeEnds[0], &byte, 1) == 1;
        close(pipeEnds[0]);
        if (started)
            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 200000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(started) << "the child ended with status " << status;
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;

        EXPECT_TRUE(toolChecks(path));
        const std::string dump = dumpOf(path);
        EXPECT_TRUE(dump == before || dump == after) << dump.substr(0, 400);
        ++seen[dump == before ? 0 : 1];
    }
    std::printf("killed before the step %d times, after it %d times\n", seen[0], seen[1]);
}
