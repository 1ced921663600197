// A prepared SQLite statement that finalizes itself.
#pragma once

#include <sqlite3.h>

#include <string>

namespace teva {

class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~SqlStatement() { sqlite3_finalize(stmt_); }
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }

    SqlStatement& bind(int index, long long value)
    {
        if (stmt_)
            sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }
    SqlStatement& bind(int index, double value)
    {
        if (stmt_)
            sqlite3_bind_double(stmt_, index, value);
        return *this;
    }
    SqlStatement& bind(int index, const std::string& text)
    {
        if (stmt_)
            sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        return *this;
    }
    SqlStatement& bindBlob(int index, const void* data, int size)
    {
        if (stmt_)
            sqlite3_bind_blob(stmt_, index, data, size, SQLITE_TRANSIENT);
        return *this;
    }

    // Makes the statement ready to run again (bindings stay).
    void reset()
    {
        if (stmt_)
            sqlite3_reset(stmt_);
    }

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }
    // Runs a statement that returns no rows: true when it completed.
    bool run() { return step() == SQLITE_DONE; }

    long long columnInt(int column) const { return sqlite3_column_int64(stmt_, column); }
    double columnDouble(int column) const { return sqlite3_column_double(stmt_, column); }
    int columnType(int column) const { return sqlite3_column_type(stmt_, column); }
    std::string columnText(int column) const
    {
        const auto* text = sqlite3_column_text(stmt_, column);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                    : std::string();
    }
    const unsigned char* columnBlob(int column, int& size) const
    {
        const auto* data = static_cast<const unsigned char*>(sqlite3_column_blob(stmt_, column));
        size = sqlite3_column_bytes(stmt_, column);
        return data;
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace teva
