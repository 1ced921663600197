// The undo history of one open project file. Temporary triggers on the
// project's tables write, inside each write's own transaction, the SQL that
// takes the change back into a temporary log table; undoing a step replays
// its entries backwards inside one transaction, and the same triggers then
// log the SQL that takes the undo back again: the step's redo. The log lives
// in the connection's temporary database, so nothing of it reaches the file
// and it ends with the connection.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace teva {

class SqlStatement;

class UndoLog {
public:
    enum class Side { Undo, Redo };

    // The log entries of one transaction, by sequence number.
    struct Range {
        long long first = 0;
        long long last = -1;
        bool empty() const { return last < first; }
    };

    // Creates the temporary log table and its triggers on `db`; false (with
    // SQLite's message in `error`) when SQLite refuses.
    static bool install(sqlite3* db, std::string& error);

    explicit UndoLog(sqlite3* db);
    ~UndoLog();
    UndoLog(const UndoLog&) = delete;
    UndoLog& operator=(const UndoLog&) = delete;

    // Steps made by the caller: the writes between open and close are one.
    bool stepOpen() const { return stepOpen_; }
    void openStep(std::string label);
    void closeStep();

    // Inside a write's transaction, before its statements: the redo side
    // is dropped, since the write starts a new history after an undo.
    bool beforeWrite();
    // Inside the write's transaction, after its statements: the entries its
    // triggers logged.
    bool logged(Range& range);
    // Once the write has committed: its entries join the open step or make a
    // step of their own named `entry`.
    void committed(const Range& range, const char* entry);

    // Inside a transaction: replays the last step of `side` backwards,
    // logging its inverse. False (SQLite's message in `error`) on failure;
    // the caller rolls back.
    bool replay(Side side, Range& inverse, std::string& error);
    // Once the replay has committed: the step moves to the other side.
    void replayed(Side side, const Range& inverse);

    bool empty(Side side) const { return stack(side).empty(); }
    // The label of the step undo or redo would take, "" when none.
    const std::string& label(Side side) const;

private:
    struct Step {
        std::string label;
        Range entries;
    };

    std::vector<Step>& stack(Side side) { return side == Side::Undo ? undo_ : redo_; }
    const std::vector<Step>& stack(Side side) const { return side == Side::Undo ? undo_ : redo_; }
    bool largestSequence(long long& value);

    sqlite3* db_;
    // The largest sequence number, prepared once: it runs twice per write.
    std::unique_ptr<SqlStatement> largest_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    bool stepOpen_ = false;
    // True while the open step has no entries yet: its first write begins it.
    bool stepFresh_ = false;
    // The last log entry before the write in progress.
    long long writeBase_ = 0;
    std::string stepLabel_;
};

} // namespace teva
