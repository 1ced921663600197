// Every write whose call has returned survives the writing process being
// killed at any moment: a child writes names and records one by one and
// reports each returned call through a pipe; the parent kills it with
// SIGKILL at a random moment, reopens the file and finds it sound with
// every reported write in it.
#include "RobustnessSupport.h"
#include "TempDir.h"
#include "tevalib.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Write i of the sequence (i >= 1): one of three kinds, each complete in
// itself so that the project stays consistent after every call.
enum class Op { SlopeName, MeshRecord, Level };

Op opOf(int i)
{
    return static_cast<Op>(i % 3);
}

std::string nameOf(int i)
{
    return "written " + std::to_string(i);
}

std::string pathOf(int i)
{
    return "/meshes/mesh-" + std::to_string(i) + ".txt";
}

// Mesh record numbers and level names are 16-bit: the sequence stays far
// below 32767 writes.
void encodeMesh(int i, unsigned char* rec)
{
    std::memset(rec, 0, TEVA_SIZE_MESH_FILE);
    rec[0] = static_cast<unsigned char>(i & 0xFF);
    rec[1] = static_cast<unsigned char>(i >> 8);
    const std::string p = pathOf(i);
    std::memcpy(rec + 2, p.data(), p.size());
}

void encodeLevel(int nameNumber, int i, unsigned char* rec)
{
    std::memset(rec, 0, TEVA_SIZE_LEVEL);
    rec[0] = 2;
    rec[2] = static_cast<unsigned char>(nameNumber & 0xFF);
    rec[3] = static_cast<unsigned char>(nameNumber >> 8);
    rec[4] = 1;  // above storey 1
    const double h = 1.0 + 0.01 * i;
    std::memcpy(rec + 8, &h, 8);
}

// The child: opens the project and writes from `first` on, reporting each
// returned call as a 4-byte number. Never returns.
[[noreturn]] void writer(const std::string& path, int first, int out)
{
    if (teva_open(path.c_str()) != 0)
        _exit(3);
    for (int i = first; i < first + 20000; ++i) {
        bool ok = false;
        switch (opOf(i)) {
        case Op::SlopeName:
            ok = DB_Usno(TEVA_NAME_SLOPE, nameOf(i).c_str()) >= 1;
            break;
        case Op::MeshRecord: {
            unsigned char rec[TEVA_SIZE_MESH_FILE];
            encodeMesh(i, rec);
            ok = DB_put(TEVA_REC_MESH_FILE, rec) == 0;
            break;
        }
        case Op::Level: {
            // Two calls: the level's name, then its record. Reported once
            // both have returned.
            const short n = DB_Usno(TEVA_NAME_SUBLAYER, nameOf(i).c_str());
            unsigned char rec[TEVA_SIZE_LEVEL];
            encodeLevel(n, i, rec);
            ok = n >= 1 && DB_put(TEVA_REC_LEVEL, rec) == 0;
            break;
        }
        }
        if (!ok)
            _exit(4);
        if (::write(out, &i, sizeof i) != static_cast<ssize_t>(sizeof i))
            _exit(5);
    }
    _exit(0);
}

// What the parent finds for write i after reopening.
bool isPresent(int i)
{
    switch (opOf(i)) {
    case Op::SlopeName:
        return DB_Usfind(TEVA_NAME_SLOPE, nameOf(i).c_str()) >= 1;
    case Op::MeshRecord: {
        unsigned char rec[TEVA_SIZE_MESH_FILE] = {};
        rec[0] = static_cast<unsigned char>(i & 0xFF);
        rec[1] = static_cast<unsigned char>(i >> 8);
        return DB_get(TEVA_REC_MESH_FILE, rec) == 0 &&
               std::string(reinterpret_cast<const char*>(rec + 2)) == pathOf(i);
    }
    case Op::Level: {
        const short n = DB_Usfind(TEVA_NAME_SUBLAYER, nameOf(i).c_str());
        if (n < 1)
            return false;
        unsigned char rec[TEVA_SIZE_LEVEL] = {};
        rec[2] = static_cast<unsigned char>(n & 0xFF);
        rec[3] = static_cast<unsigned char>(n >> 8);
        unsigned char expected[TEVA_SIZE_LEVEL];
        encodeLevel(n, i, expected);
        return DB_get(TEVA_REC_LEVEL, rec) == 0 && std::memcmp(rec, expected, TEVA_SIZE_LEVEL) == 0;
    }
    }
    return false;
}

TEST(ModeldbDurability, ReturnedWritesSurviveKill)
{
    const uint64_t seed = robustness::chooseSeed();
    std::printf("seed %llu (replay with TORMEL_SEED=%llu)\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(seed));
    std::mt19937_64 rng(seed);
    testing_support::TempDir dir("modeldb-durability");
    const std::string project = dir.File("durable.teva");
    ASSERT_EQ(robustness::makeSmallProject(project), "");
    teva_close();

    std::set<int> returned;
    int next = 1;
    int killedMidway = 0;
    const int rounds = 25;
    for (int round = 0; round < rounds; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            writer(project, next, fds[1]);
        }
        close(fds[1]);
        // Kill at a random moment: sometimes during the open, mostly while
        // writes are going on.
        const auto delay = std::chrono::microseconds(rng() % 150000);
        std::this_thread::sleep_for(delay);
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status))
            FAIL() << "seed " << seed << " round " << round << ": the writer stopped with status "
                   << WEXITSTATUS(status);
        killedMidway += WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        // Every number in the pipe is a call that returned before the kill.
        int i;
        while (read(fds[0], &i, sizeof i) == static_cast<ssize_t>(sizeof i)) {
            returned.insert(i);
            next = std::max(next, i + 1);
        }
        close(fds[0]);
        // The write in flight when the child died may or may not be there;
        // the next round starts after it so that it is never repeated.
        ++next;

        ASSERT_EQ(teva_open(project.c_str()), 0)
            << "seed " << seed << " round " << round << ": " << teva_last_error();
        ASSERT_EQ(DB_restruct(0), 0);
        ASSERT_EQ(teva_check(), 0) << "seed " << seed << " round " << round << ": " << teva_last_error();
        for (int w : returned)
            ASSERT_TRUE(isPresent(w)) << "seed " << seed << " round " << round << ": write " << w
                                      << " had returned but is lost";
        teva_close();
    }
    EXPECT_EQ(killedMidway, rounds);
    EXPECT_GT(returned.size(), 20u) << "the writer hardly wrote: the kills came too early to test much";
    robustness::FileWatcher watcher(project);
    EXPECT_EQ(watcher.integrityCheck(), "ok");
    std::printf("%zu writes returned over %d kills\n", returned.size(), rounds);
}

} // namespace
