#include "ProjectFile.h"

#include "NameText.h"
#include "SqlStatement.h"
#include "tevalib.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace teva {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE project(id INTEGER PRIMARY KEY CHECK (id = 1),"
    " title TEXT NOT NULL, header BLOB NOT NULL);"
    "CREATE TABLE storeys(number INTEGER PRIMARY KEY, height REAL NOT NULL);"
    "CREATE TABLE names(kind INTEGER NOT NULL, number INTEGER NOT NULL, text TEXT NOT NULL,"
    " PRIMARY KEY (kind, number), UNIQUE (kind, text));"
    "CREATE TABLE records(kind INTEGER NOT NULL, key1 INTEGER NOT NULL, key2 INTEGER NOT NULL,"
    " data BLOB NOT NULL, PRIMARY KEY (kind, key1, key2)) WITHOUT ROWID;";

bool exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Reads an integer pragma; false (and the SQLite code in `code`) on failure.
bool pragmaInt(sqlite3* db, const char* sql, long long& value, int& code)
{
    SqlStatement stmt(db, sql);
    code = stmt.ok() ? stmt.step() : sqlite3_errcode(db);
    if (code != SQLITE_ROW)
        return false;
    value = stmt.columnInt(0);
    return true;
}

bool isRegularFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Reads every table into `data`, refusing contents no write of this library
// can produce.
bool load(sqlite3* db, ProjectData& data, std::string& problem)
{
    {
        SqlStatement stmt(db, "SELECT header FROM project WHERE id = 1");
        if (!stmt.ok() || stmt.step() != SQLITE_ROW) {
            problem = "the project header is missing";
            return false;
        }
        int size = 0;
        const unsigned char* blob = stmt.columnBlob(0, size);
        if (size != TEVA_SIZE_PROJECT || !blob) {
            problem = "the project header has the wrong size";
            return false;
        }
        data.header.assign(blob, blob + size);
    }
    {
        SqlStatement stmt(db, "SELECT number, height FROM storeys ORDER BY number");
        if (!stmt.ok()) {
            problem = "the storey table is missing";
            return false;
        }
        int rc;
        while ((rc = stmt.step()) == SQLITE_ROW) {
            const long long number = stmt.columnInt(0);
            const double height = stmt.columnDouble(1);
            if (number != static_cast<long long>(data.storeyHeights.size()) + 1 ||
                number > 32767 || !std::isfinite(height) ||
                (!data.storeyHeights.empty() && height <= data.storeyHeights.back())) {
                problem = "the storeys are not numbered 1 ... K in ascending height";
                return false;
            }
            data.storeyHeights.push_back(height);
        }
        if (rc != SQLITE_DONE) {
            problem = "the storey table cannot be read";
            return false;
        }
    }
    {
        SqlStatement stmt(db, "SELECT kind, number, text FROM names");
        if (!stmt.ok()) {
            problem = "the name table is missing";
            return false;
        }
        int rc;
        while ((rc = stmt.step()) == SQLITE_ROW) {
            const long long kind = stmt.columnInt(0);
            const long long number = stmt.columnInt(1);
            const std::string text = stmt.columnText(2);
            if (kind < 1 || kind > kNameKinds || number < 1 || number > 32767 || text.empty() ||
                text.size() > kMaxNameBytes || text.find('\0') != std::string::npos ||
                !isUtf8(text) || data.names[kind].byText.count(text)) {
                problem = "the name table holds an invalid name";
                return false;
            }
            data.names[kind].insert(static_cast<int>(number), text);
        }
        if (rc != SQLITE_DONE) {
            problem = "the name table cannot be read";
            return false;
        }
    }
    {
        SqlStatement stmt(db, "SELECT kind, key1, key2, data FROM records");
        if (!stmt.ok()) {
            problem = "the record table is missing";
            return false;
        }
        int rc;
        while ((rc = stmt.step()) == SQLITE_ROW) {
            const long long kind = stmt.columnInt(0);
            int size = 0;
            const unsigned char* blob = stmt.columnBlob(3, size);
            const std::size_t expected =
                kind > 1 && kind <= TEVA_REC_MESH_FILE ? recordSize(static_cast<int>(kind)) : 0;
            const auto key = expected && blob && static_cast<std::size_t>(size) == expected
                                 ? recordKey(static_cast<int>(kind), blob)
                                 : std::nullopt;
            if (!key || key->first != stmt.columnInt(1) || key->second != stmt.columnInt(2)) {
                problem = "the record table holds an invalid record";
                return false;
            }
            data.records[static_cast<int>(kind)][*key] = RecordBytes(blob, blob + size);
        }
        if (rc != SQLITE_DONE) {
            problem = "the record table cannot be read";
            return false;
        }
    }
    return true;
}

// An SQLite URI naming `path`, read as immutable: SQLite then takes no
// locks and makes no -wal or -shm file beside it.
std::string immutableUri(const std::string& path)
{
    std::string uri = "file:";
    for (const char c : path) {
        if (c == '?' || c == '#' || c == '%') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

std::string describe(int code)
{
    return sqlite3_errstr(code);
}

} // namespace

ProjectFile::ProjectFile(sqlite3* db, std::string path)
    : db_(db), history_(db), path_(std::move(path))
{
}

ProjectFile::~ProjectFile()
{
    // close_v2: the connection ends once the history's prepared statement
    // is finalized, right after this.
    sqlite3_close_v2(db_);
}

bool ProjectFile::create(const std::string& path, const std::string& title, std::string& error)
{
    if (path.empty()) {
        error = "no project file name given";
        return false;
    }
    RecordBytes header(ProjectHeader::size, 0);
    if (title.size() > ProjectHeader::maxTitle) {
        error = "the project title is longer than 199 bytes";
        return false;
    }
    if (!encode(ProjectHeader{title}, header.data())) {
        error = "the project title holds a zero byte";
        return false;
    }
    // O_EXCL: an existing file is never touched, even one made a moment ago.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        error = isRegularFile(path) ? path + ": the file exists already"
                                    : path + ": the file cannot be created";
        return false;
    }
    ::close(fd);

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    bool done = rc == SQLITE_OK;
    if (done) {
        char pragmas[160];
        std::snprintf(pragmas, sizeof pragmas,
                      "PRAGMA application_id = %d; PRAGMA user_version = %d;", kApplicationId,
                      kSchemaVersion);
        done = exec(db, "PRAGMA journal_mode = WAL") && exec(db, "BEGIN IMMEDIATE") &&
               exec(db, pragmas) && exec(db, kSchema);
        if (done) {
            SqlStatement insert(db, "INSERT INTO project(id, title, header) VALUES (1, ?, ?)");
            done = insert.bind(1, title)
                       .bindBlob(2, header.data(), static_cast<int>(header.size()))
                       .run();
        }
        done = done && exec(db, "COMMIT");
        if (!done)
            error = path + ": the project cannot be written: " + sqlite3_errmsg(db);
    } else {
        error = path + ": the project cannot be written: " + describe(rc);
    }
    sqlite3_close_v2(db);
    if (!done) {
        ::unlink(path.c_str());
        ::unlink((path + "-wal").c_str());
        ::unlink((path + "-shm").c_str());
    }
    return done;
}

std::unique_ptr<ProjectFile> ProjectFile::open(const std::string& path, ProjectData& data,
                                               std::string& error)
{
    if (path.empty()) {
        error = "no project file name given";
        return nullptr;
    }
    if (!isRegularFile(path)) {
        error = path + ": no such project file";
        return nullptr;
    }

    // Everything is checked through a read-only connection first, so a file
    // that is refused is never written to (not even a journal mode change).
    // Without a write-ahead log beside it the file is read as immutable, so
    // not even an empty log is created; with one (a project that was not
    // closed cleanly) the log holds committed writes and must be read.
    {
        sqlite3* ro = nullptr;
        const bool logPresent = ::access((path + "-wal").c_str(), F_OK) == 0;
        int rc = logPresent
                     ? sqlite3_open_v2(path.c_str(), &ro, SQLITE_OPEN_READONLY, nullptr)
                     : sqlite3_open_v2(immutableUri(path).c_str(), &ro,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
        std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(ro, sqlite3_close_v2);
        if (rc != SQLITE_OK) {
            error = path + ": the file cannot be opened: " + describe(rc);
            return nullptr;
        }
        long long applicationId = 0;
        long long version = 0;
        if (!pragmaInt(ro, "PRAGMA application_id", applicationId, rc)) {
            error = rc == SQLITE_NOTADB ? path + ": not a project file"
                                        : path + ": damaged project file (" + describe(rc) + ")";
            return nullptr;
        }
        if (applicationId != kApplicationId) {
            error = path + ": not a project file";
            return nullptr;
        }
        if (!pragmaInt(ro, "PRAGMA user_version", version, rc)) {
            error = path + ": damaged project file (" + describe(rc) + ")";
            return nullptr;
        }
        if (version > kSchemaVersion) {
            error = path + ": the project was written by a newer program (schema version " +
                    std::to_string(version) + ", this library reads up to " +
                    std::to_string(kSchemaVersion) + ")";
            return nullptr;
        }
        if (version < 1) {
            error = path + ": not a project file (no schema version)";
            return nullptr;
        }
        {
            // The full check, not quick_check: an index that no longer
            // matches its table (a changed byte in a name index) passes the
            // quick one, and would later make writes of that name fail for
            // good. Such a file is refused like any other damage rather than
            // reindexed: opening writes nothing, and a changed byte means the
            // file was changed behind the library's back, possibly in table
            // pages no check can tell apart from sound data.
            SqlStatement check(ro, "PRAGMA integrity_check(1)");
            rc = check.step();
            if (rc != SQLITE_ROW || check.columnText(0) != "ok") {
                error = path + ": damaged project file (" +
                        (rc == SQLITE_ROW ? check.columnText(0) : describe(rc)) + ")";
                return nullptr;
            }
        }
        std::string problem;
        ProjectData loaded;
        if (!load(ro, loaded, problem)) {
            error = path + ": damaged project file (" + problem + ")";
            return nullptr;
        }
        data = std::move(loaded);
    }

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK || !exec(db, "PRAGMA journal_mode = WAL") ||
        !exec(db, "PRAGMA synchronous = FULL")) {
        error = path + ": the project cannot be opened for writing: " +
                (db ? sqlite3_errmsg(db) : describe(rc));
        sqlite3_close_v2(db);
        return nullptr;
    }
    // SQLite falls back to reading a file it may not write; every write
    // would then fail, so such a project is refused at once.
    if (sqlite3_db_readonly(db, "main") != 0) {
        error = path + ": the project file is read-only";
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 2000);
    // The undo history lives in this connection's temporary database: it
    // is new with every open and never written to the file.
    std::string problem;
    if (!UndoLog::install(db, problem)) {
        error = path + ": the project cannot be opened for writing: " + problem;
        sqlite3_close_v2(db);
        return nullptr;
    }
    return std::unique_ptr<ProjectFile>(new ProjectFile(db, path));
}

template <typename Body> bool ProjectFile::transaction(const char* entry, Body&& body)
{
    if (!exec(db_, "BEGIN IMMEDIATE")) {
        lastError_ = std::string("the project cannot be written: ") + sqlite3_errmsg(db_);
        return false;
    }
    UndoLog::Range logged;
    if (history_.beforeWrite() && body() && history_.logged(logged) && exec(db_, "COMMIT")) {
        history_.committed(logged, entry);
        lastError_.clear();
        return true;
    }
    lastError_ = std::string("the project cannot be written: ") + sqlite3_errmsg(db_);
    exec(db_, "ROLLBACK");
    return false;
}

SqlStatement& ProjectFile::statement(const char* sql)
{
    auto& stmt = statements_[sql];
    if (!stmt || !stmt->ok())
        stmt = std::make_unique<SqlStatement>(db_, sql);
    stmt->reset();
    return *stmt;
}

bool ProjectFile::putHeader(const RecordBytes& header)
{
    return transaction("DB_put", [&] {
        SqlStatement& stmt = statement("UPDATE project SET title = ?, header = ? WHERE id = 1");
        return stmt.bind(1, decodeProjectHeader(header.data()).title)
                   .bindBlob(2, header.data(), static_cast<int>(header.size()))
                   .run() &&
               sqlite3_changes(db_) == 1;
    });
}

bool ProjectFile::putRecord(int kind, const RecordKey& key, const RecordBytes& bytes)
{
    return transaction("DB_put", [&] {
        SqlStatement& stmt =
            statement("INSERT INTO records(kind, key1, key2, data) VALUES (?, ?, ?, ?)"
                      " ON CONFLICT (kind, key1, key2) DO UPDATE SET data = excluded.data");
        return stmt.bind(1, static_cast<long long>(kind))
            .bind(2, static_cast<long long>(key.first))
            .bind(3, static_cast<long long>(key.second))
            .bindBlob(4, bytes.data(), static_cast<int>(bytes.size()))
            .run();
    });
}

bool ProjectFile::deleteRecord(int kind, const RecordKey& key)
{
    return transaction("DB_del", [&] {
        SqlStatement& stmt = statement("DELETE FROM records WHERE kind = ? AND key1 = ? AND key2 = ?");
        return stmt.bind(1, static_cast<long long>(kind))
                   .bind(2, static_cast<long long>(key.first))
                   .bind(3, static_cast<long long>(key.second))
                   .run() &&
               sqlite3_changes(db_) == 1;
    });
}

bool ProjectFile::insertName(int kind, int number, const std::string& text)
{
    return transaction("DB_Usno", [&] {
        SqlStatement& stmt = statement("INSERT INTO names(kind, number, text) VALUES (?, ?, ?)");
        return stmt.bind(1, static_cast<long long>(kind))
            .bind(2, static_cast<long long>(number))
            .bind(3, text)
            .run();
    });
}

bool ProjectFile::renameName(int kind, int number, const std::string& text)
{
    return transaction("DB_Usren", [&] {
        SqlStatement& stmt = statement("UPDATE names SET text = ? WHERE kind = ? AND number = ?");
        return stmt.bind(1, text)
                   .bind(2, static_cast<long long>(kind))
                   .bind(3, static_cast<long long>(number))
                   .run() &&
               sqlite3_changes(db_) == 1;
    });
}

bool ProjectFile::deleteName(int kind, int number)
{
    return transaction("DB_Usdel", [&] {
        SqlStatement& stmt = statement("DELETE FROM names WHERE kind = ? AND number = ?");
        return stmt.bind(1, static_cast<long long>(kind))
                   .bind(2, static_cast<long long>(number))
                   .run() &&
               sqlite3_changes(db_) == 1;
    });
}

bool ProjectFile::addStorey(int number, const std::string& name, double height)
{
    return transaction("teva_add_storey", [&] {
        SqlStatement storey(db_, "INSERT INTO storeys(number, height) VALUES (?, ?)");
        SqlStatement label(db_, "INSERT INTO names(kind, number, text) VALUES (1, ?, ?)");
        return storey.bind(1, static_cast<long long>(number)).bind(2, height).run() &&
               label.bind(1, static_cast<long long>(number)).bind(2, name).run();
    });
}

bool ProjectFile::replay(UndoLog::Side side, ProjectData& data)
{
    if (!exec(db_, "BEGIN IMMEDIATE")) {
        lastError_ = std::string("the project cannot be written: ") + sqlite3_errmsg(db_);
        return false;
    }
    // The file is read again inside the transaction, so that a copy that
    // cannot be read leaves the file as it was.
    UndoLog::Range inverse;
    std::string problem;
    ProjectData replayed;
    if (history_.replay(side, inverse, problem) && load(db_, replayed, problem) &&
        exec(db_, "COMMIT")) {
        history_.replayed(side, inverse);
        data = std::move(replayed);
        lastError_.clear();
        return true;
    }
    lastError_ = "the project cannot be written: " + (problem.empty() ? sqlite3_errmsg(db_) : problem);
    exec(db_, "ROLLBACK");
    return false;
}

std::vector<std::string> ProjectFile::integrityProblems()
{
    std::vector<std::string> problems;
    SqlStatement stmt(db_, "PRAGMA integrity_check");
    int rc;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        const std::string line = stmt.columnText(0);
        if (line != "ok")
            problems.push_back(line);
    }
    if (rc != SQLITE_DONE)
        problems.push_back(std::string("integrity check failed: ") + sqlite3_errmsg(db_));
    return problems;
}

} // namespace teva
