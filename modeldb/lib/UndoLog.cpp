#include "UndoLog.h"

#include "SqlStatement.h"

#include <sqlite3.h>

namespace teva {

namespace {

// A table whose writes can be taken back: its key columns (which identify a
// row) and the others.
struct LoggedTable {
    const char* name;
    std::vector<const char*> keys;
    std::vector<const char*> values;
};

const std::vector<LoggedTable>& loggedTables()
{
    static const std::vector<LoggedTable> tables = {
        {"project", {"id"}, {"title", "header"}},
        {"storeys", {"number"}, {"height"}},
        {"names", {"kind", "number"}, {"text"}},
        {"records", {"kind", "key1", "key2"}, {"data"}},
    };
    return tables;
}

// SQL text (an SQL expression) that renders `row`'s columns as
// "a=<value> AND b=<value>" (or with `separator` between them); quote()
// renders blobs as hex and reals with all their digits.
std::string assignments(const std::vector<const char*>& columns, const char* row,
                        const char* separator)
{
    std::string sql;
    for (const char* column : columns) {
        if (!sql.empty())
            sql += " || '" + std::string(separator) + "' || ";
        sql += "'" + std::string(column) + "=' || quote(" + row + "." + column + ")";
    }
    return sql;
}

std::string triggersOf(const LoggedTable& t)
{
    std::vector<const char*> all = t.keys;
    all.insert(all.end(), t.values.begin(), t.values.end());
    const std::string table = std::string("main.") + t.name;
    const std::string prefix = std::string("CREATE TEMP TRIGGER teva_undo_") + t.name;
    const char* log = " BEGIN INSERT INTO teva_undo_log(sql) VALUES(";

    std::string names;
    std::string values;
    for (const char* column : all) {
        names += std::string(names.empty() ? "" : ",") + column;
        values += std::string(values.empty() ? "" : " || ',' || ") + "quote(old." + column + ")";
    }
    // An insert is taken back by deleting the row, an update by writing
    // the old values back, a delete by inserting the old row again.
    return prefix + "_insert AFTER INSERT ON " + table + log + "'DELETE FROM " + table +
           " WHERE ' || " + assignments(t.keys, "new", " AND ") + "); END;" +
           prefix + "_update AFTER UPDATE ON " + table + log + "'UPDATE " + table +
           " SET ' || " + assignments(all, "old", ", ") + " || ' WHERE ' || " +
           assignments(t.keys, "new", " AND ") + "); END;" +
           prefix + "_delete BEFORE DELETE ON " + table + log + "'INSERT INTO " + table + "(" +
           names + ") VALUES(' || " + values + " || ')'); END;";
}

} // namespace

bool UndoLog::install(sqlite3* db, std::string& error)
{
    std::string sql = "CREATE TEMP TABLE teva_undo_log(seq INTEGER PRIMARY KEY, sql TEXT NOT NULL);";
    for (const LoggedTable& t : loggedTables())
        sql += triggersOf(t);
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    error = sqlite3_errmsg(db);
    return false;
}

UndoLog::UndoLog(sqlite3* db) : db_(db) {}

UndoLog::~UndoLog() = default;

void UndoLog::openStep(std::string label)
{
    stepOpen_ = true;
    stepFresh_ = true;
    stepLabel_ = std::move(label);
}

void UndoLog::closeStep()
{
    stepOpen_ = false;
    stepFresh_ = false;
    stepLabel_.clear();
}

bool UndoLog::largestSequence(long long& value)
{
    if (!largest_)
        largest_ = std::make_unique<SqlStatement>(db_, "SELECT coalesce(max(seq), 0) FROM temp.teva_undo_log");
    const bool found = largest_->step() == SQLITE_ROW;
    if (found)
        value = largest_->columnInt(0);
    largest_->reset();
    return found;
}

bool UndoLog::beforeWrite()
{
    for (const Step& step : redo_) {
        SqlStatement drop(db_, "DELETE FROM temp.teva_undo_log WHERE seq BETWEEN ? AND ?");
        if (!drop.bind(1, step.entries.first).bind(2, step.entries.last).run())
            return false;
    }
    return largestSequence(writeBase_);
}

bool UndoLog::logged(Range& range)
{
    range.first = writeBase_ + 1;
    return largestSequence(range.last);
}

void UndoLog::committed(const Range& range, const char* entry)
{
    redo_.clear();
    if (range.empty())
        return;
    if (stepOpen_ && !stepFresh_) {
        undo_.back().entries.last = range.last;
        return;
    }
    undo_.push_back({stepOpen_ ? stepLabel_ : std::string(entry), range});
    stepFresh_ = false;
}

bool UndoLog::replay(Side side, Range& inverse, std::string& error)
{
    const Step& step = stack(side).back();
    std::vector<std::string> statements;
    {
        SqlStatement read(db_, "SELECT sql FROM temp.teva_undo_log WHERE seq BETWEEN ? AND ?"
                               " ORDER BY seq DESC");
        read.bind(1, step.entries.first).bind(2, step.entries.last);
        int rc;
        while ((rc = read.step()) == SQLITE_ROW)
            statements.push_back(read.columnText(0));
        SqlStatement drop(db_, "DELETE FROM temp.teva_undo_log WHERE seq BETWEEN ? AND ?");
        if (rc != SQLITE_DONE || !drop.bind(1, step.entries.first).bind(2, step.entries.last).run() ||
            !largestSequence(inverse.first)) {
            error = sqlite3_errmsg(db_);
            return false;
        }
        ++inverse.first;
    }
    for (const std::string& sql : statements) {
        SqlStatement stmt(db_, sql.c_str());
        if (!stmt.run()) {
            error = sqlite3_errmsg(db_);
            return false;
        }
        // Each entry changes exactly its one row; anything else means the
        // file was written past this history (by another program).
        if (sqlite3_changes(db_) != 1) {
            error = "the project was changed by another program";
            return false;
        }
    }
    if (!largestSequence(inverse.last)) {
        error = sqlite3_errmsg(db_);
        return false;
    }
    return true;
}

void UndoLog::replayed(Side side, const Range& inverse)
{
    std::vector<Step>& from = stack(side);
    Step step = std::move(from.back());
    from.pop_back();
    step.entries = inverse;
    stack(side == Side::Undo ? Side::Redo : Side::Undo).push_back(std::move(step));
}

const std::string& UndoLog::label(Side side) const
{
    static const std::string none;
    const std::vector<Step>& s = stack(side);
    return s.empty() ? none : s.back().label;
}

} // namespace teva
