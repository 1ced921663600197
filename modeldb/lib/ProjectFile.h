// One project file: an SQLite database holding the project header, the
// storeys, the names and the records. Every write is one transaction,
// committed (WAL journal, synchronous FULL) before the call returns.
#pragma once

#include "ProjectData.h"
#include "UndoLog.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace teva {

class SqlStatement;

// Application id stored in the database header ("TEVA").
inline constexpr int kApplicationId = 0x54455641;
// Schema version stored as PRAGMA user_version.
inline constexpr int kSchemaVersion = 1;

class ProjectFile {
public:
    // Creates a new project file with an empty model and `title` (at most
    // 199 bytes) and closes it again; false (`error` set) when the file
    // exists or cannot be written. A half-made file is removed.
    static bool create(const std::string& path, const std::string& title, std::string& error);

    // Opens an existing project and reads it into `data`. The file is first
    // checked through a read-only connection (application id, schema version,
    // quick_check, contents); a refused file is never written to.
    static std::unique_ptr<ProjectFile> open(const std::string& path, ProjectData& data,
                                             std::string& error);

    ~ProjectFile();
    ProjectFile(const ProjectFile&) = delete;
    ProjectFile& operator=(const ProjectFile&) = delete;

    // Each write below is one committed transaction: true when committed,
    // false (nothing changed, lastError() set) otherwise. Each is logged in
    // history(), as part of its open step or as a step of its own named
    // after the library entry that makes it.
    bool putHeader(const RecordBytes& header);
    bool putRecord(int kind, const RecordKey& key, const RecordBytes& bytes);
    bool deleteRecord(int kind, const RecordKey& key);
    bool insertName(int kind, int number, const std::string& text);
    bool renameName(int kind, int number, const std::string& text);
    bool deleteName(int kind, int number);
    bool addStorey(int number, const std::string& name, double height);

    // Takes the last step of `side` of history() back in one committed
    // transaction and reads the file again into `data`: true when committed,
    // false (nothing changed, lastError() set) otherwise.
    bool replay(UndoLog::Side side, ProjectData& data);

    UndoLog& history() { return history_; }
    const UndoLog& history() const { return history_; }

    // Problems found by SQLite's integrity_check (empty when sound).
    std::vector<std::string> integrityProblems();

    const std::string& lastError() const { return lastError_; }
    const std::string& path() const { return path_; }

private:
    ProjectFile(sqlite3* db, std::string path);
    // Runs `body` (returning true when its statements succeeded) inside one
    // BEGIN IMMEDIATE ... COMMIT; rolls back on any failure. `entry` names
    // the write in the history when no step is open.
    template <typename Body> bool transaction(const char* entry, Body&& body);

    // The statement for `sql`, prepared once for this connection (writes
    // compile the history's triggers too) and reset for another run.
    SqlStatement& statement(const char* sql);

    sqlite3* db_;
    UndoLog history_;
    std::map<std::string, std::unique_ptr<SqlStatement>> statements_;
    std::string path_;
    std::string lastError_;
};

} // namespace teva
