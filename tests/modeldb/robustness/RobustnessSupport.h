#pragma once
// Shared by the model database robustness and durability tests: a seeded
// random source that reports its seed, a small project made through the
// library, and a second, read-only view of a project file.

#include <cstdint>
#include <random>
#include <string>

struct sqlite3;

namespace robustness {

// The seed from $TORMEL_SEED when set (to replay a failure), else a fresh
// one. Tests print it so a failure can be repeated.
uint64_t chooseSeed();

// Creates `path` with storeys 1F (0), 2F (3000), RF (6000), a 3 x 3 grid
// (X1..X3 at 0, 5000, 10000; Y1..Y3 likewise), the level "M" 1500 above 1F
// and one slope "S" from 2F (edge Y1) to RF (edge Y3) over X1..X3; leaves it
// open. Answers "" on success, else what failed.
std::string makeSmallProject(const std::string& path);

// A read-only SQLite connection of our own to a project file: it tells
// whether the library committed anything in between (PRAGMA data_version
// changes when another connection commits) and runs integrity checks.
class FileWatcher {
public:
    explicit FileWatcher(const std::string& path);
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    bool ok() const { return db_ != nullptr; }
    // The current data version; -1 when it cannot be read.
    long long dataVersion();
    // "ok", or SQLite's first complaint.
    std::string integrityCheck();

private:
    sqlite3* db_ = nullptr;
};

// Whole file as bytes ("" when missing).
std::string fileBytes(const std::string& path);

} // namespace robustness
