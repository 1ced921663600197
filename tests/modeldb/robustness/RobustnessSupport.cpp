#include "RobustnessSupport.h"

#include "tevalib.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace robustness {

namespace {

void put16(unsigned char* r, int off, int v)
{
    r[off] = static_cast<unsigned char>(v & 0xFF);
    r[off + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

void putDouble(unsigned char* r, int off, double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
        r[off + i] = static_cast<unsigned char>(bits >> (8 * i));
}

} // namespace

uint64_t chooseSeed()
{
    if (const char* s = std::getenv("TORMEL_SEED"); s && *s)
        return std::strtoull(s, nullptr, 10);
    std::random_device rd;
    return (static_cast<uint64_t>(rd()) << 32) ^ rd();
}

std::string makeSmallProject(const std::string& path)
{
    if (teva_create(path.c_str(), "robustness") != 0)
        return std::string("teva_create: ") + teva_last_error();
    if (teva_add_storey("1F", 0) != 1 || teva_add_storey("2F", 3000) != 2 || teva_add_storey("RF", 6000) != 3)
        return std::string("teva_add_storey: ") + teva_last_error();
    const char* names[] = {"X1", "X2", "X3", "Y1", "Y2", "Y3"};
    int nameNumber[6];
    for (int i = 0; i < 6; ++i) {
        nameNumber[i] = DB_Usno(TEVA_NAME_AXIS, names[i]);
        if (nameNumber[i] < 1)
            return "DB_Usno axis";
        const double c = 5000.0 * (i % 3);
        const bool alongY = i < 3;
        unsigned char line[TEVA_SIZE_AXIS_LINE] = {};
        put16(line, 0, i + 1);
        put16(line, 2, 0);
        put16(line, 4, nameNumber[i]);
        put16(line, 6, 1);
        put16(line, 8, 2);
        putDouble(line, 16, alongY ? c : 0.0);
        putDouble(line, 24, alongY ? 0.0 : c);
        unsigned char point[TEVA_SIZE_AXIS_POINT] = {};
        put16(point, 0, i + 1);
        put16(point, 2, 2);
        putDouble(point, 8, alongY ? c : 10000.0);
        putDouble(point, 16, alongY ? 10000.0 : c);
        if (DB_put(TEVA_REC_AXIS_POINT, point) != 0 || DB_put(TEVA_REC_AXIS_LINE, line) != 0)
            return "DB_put axis";
    }
    const int m = DB_Usno(TEVA_NAME_SUBLAYER, "M");
    unsigned char level[TEVA_SIZE_LEVEL] = {};
    put16(level, 0, 2);
    put16(level, 2, m);
    put16(level, 4, 1);
    putDouble(level, 8, 1500.0);
    if (m < 1 || DB_put(TEVA_REC_LEVEL, level) != 0)
        return "level";
    const int s = DB_Usno(TEVA_NAME_SLOPE, "S");
    unsigned char slope[TEVA_SIZE_SLOPE] = {};
    put16(slope, 0, s);
    put16(slope, 2, nameNumber[3]);  // Y1
    put16(slope, 4, nameNumber[2]);  // X3
    put16(slope, 6, nameNumber[5]);  // Y3
    put16(slope, 8, nameNumber[0]);  // X1
    put16(slope, 10, 4);
    put16(slope, 14, 2);
    put16(slope, 18, nameNumber[3]);
    put16(slope, 20, 1);
    put16(slope, 24, 3);
    put16(slope, 28, nameNumber[5]);
    put16(slope, 30, 1);
    if (s < 1 || DB_put(TEVA_REC_SLOPE, slope) != 0)
        return "slope";
    if (DB_restruct(0) != 0)
        return "DB_restruct";
    if (teva_check() != 0)
        return std::string("teva_check: ") + teva_last_error();
    return {};
}

FileWatcher::FileWatcher(const std::string& path)
{
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    if (db_)
        sqlite3_busy_timeout(db_, 2000);
}

FileWatcher::~FileWatcher()
{
    sqlite3_close_v2(db_);
}

long long FileWatcher::dataVersion()
{
    if (!db_)
        return -1;
    sqlite3_stmt* st = nullptr;
    long long v = -1;
    if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return v;
}

std::string FileWatcher::integrityCheck()
{
    if (!db_)
        return "not open";
    sqlite3_stmt* st = nullptr;
    std::string result = "no answer";
    if (sqlite3_prepare_v2(db_, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        result = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return result;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace robustness
