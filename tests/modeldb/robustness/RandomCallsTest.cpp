// Every library entry called at random with hostile arguments (null
// pointers, extreme and negative numbers, unknown kinds, random texts and
// records within their documented sizes) against a small project: no
// crash, no memory error (run it in the sanitizer build), answers within
// their documented ranges, and no write when an entry answers an error.
#include "RobustnessSupport.h"
#include "TempDir.h"
#include "tevalib.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

namespace {

using robustness::FileWatcher;

// The number of calls, $TORMEL_ROBUSTNESS_CALLS to change it.
int callCount()
{
    if (const char* s = std::getenv("TORMEL_ROBUSTNESS_CALLS"); s && *s)
        return std::max(1, std::atoi(s));
    return 100000;
}

class Hostile {
public:
    explicit Hostile(uint64_t seed) : rng_(seed) {}

    int below(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    // Numbers a caller might pass: small valid-looking ones most often,
    // then the edges of 16 and 32 bits, then anything.
    int integer()
    {
        static const int edges[] = {0,      1,       -1,      2,        -2,       32767,   32768, -32768,
                                    -32769, 65535,   65536,   INT_MAX,  INT_MIN,  INT_MAX - 1, 512, 513,
                                    -32772, 32769,   98305,   -65540,   1 << 30,  -(1 << 30)};
        switch (below(4)) {
        case 0: return below(12);
        case 1: return edges[below(static_cast<int>(sizeof edges / sizeof edges[0]))];
        case 2: return known_.empty() ? below(40) - 5 : known_[static_cast<size_t>(below(static_cast<int>(known_.size())))];
        default: return static_cast<int>(static_cast<uint32_t>(rng_()));
        }
    }

    short shortNumber() { return static_cast<short>(chance(70) ? below(40) - 3 : integer()); }

    int kind()
    {
        static const int kinds[] = {1, 12, 15, 17, 18, 19, 171, 0, -1, 2, 13, 16, 170, 172, 65536 + 12, INT_MIN};
        return chance(85) ? kinds[below(7)] : kinds[below(static_cast<int>(sizeof kinds / sizeof kinds[0]))];
    }

    int nameKind() { return chance(85) ? 1 + below(4) : integer(); }

    static size_t recordSize(int kind)
    {
        switch (kind) {
        case TEVA_REC_PROJECT: return TEVA_SIZE_PROJECT;
        case TEVA_REC_LEVEL: return TEVA_SIZE_LEVEL;
        case TEVA_REC_AXIS_LINE: return TEVA_SIZE_AXIS_LINE;
        case TEVA_REC_AXIS_POINT: return TEVA_SIZE_AXIS_POINT;
        case TEVA_REC_SLOPE: return TEVA_SIZE_SLOPE;
        case TEVA_REC_SLOPE_EDGE: return TEVA_SIZE_SLOPE_EDGE;
        case TEVA_REC_MESH_FILE: return TEVA_SIZE_MESH_FILE;
        default: return TEVA_SIZE_MESH_FILE;  // the largest record: unknown kinds are not read
        }
    }

    // A heap buffer of exactly the record's documented size, so that the
    // sanitizer sees any access past it. Mostly small keys, so that
    // records of the project are hit; contents random or zero.
    std::unique_ptr<unsigned char[]> record(int kind, size_t& size)
    {
        size = recordSize(kind);
        auto buf = std::make_unique<unsigned char[]>(size);
        const int fill = below(3);
        for (size_t i = 0; i < size; ++i)
            buf[i] = fill == 0 ? 0 : static_cast<unsigned char>(rng_());
        if (chance(70)) {
            // Small keys: the first one or two 16-bit words.
            const int key = below(12);
            buf[0] = static_cast<unsigned char>(key);
            buf[1] = 0;
            if (size > 3 && chance(50)) {
                buf[2] = static_cast<unsigned char>(below(6));
                buf[3] = 0;
            }
        }
        if (fill == 2 && size > 8) {
            // Fields that are small numbers, doubles that are huge or NaN.
            for (size_t off = 4; off + 2 <= size && off < 34; off += 2) {
                if (chance(50)) {
                    buf[off] = static_cast<unsigned char>(below(12));
                    buf[off + 1] = 0;
                }
            }
        }
        return buf;
    }

    // A 64-byte text buffer, always zero-terminated within its 64 bytes:
    // empty, a known name, 63 random non-zero bytes, invalid UTF-8, ...
    std::unique_ptr<char[]> text()
    {
        auto buf = std::make_unique<char[]>(64);
        std::memset(buf.get(), 0, 64);
        static const char* known[] = {"1F", "2F", "RF", "X1", "X2", "X3", "Y1", "Y2", "Y3", "M", "S", "南屋根"};
        switch (below(6)) {
        case 0: break;  // empty
        case 1: std::strcpy(buf.get(), known[below(12)]); break;
        case 2:
            for (int i = 0; i < 63; ++i)
                buf[static_cast<size_t>(i)] = static_cast<char>(1 + below(255));
            break;
        case 3:
            for (int i = 0; i < 63; ++i)
                buf[static_cast<size_t>(i)] = static_cast<char>(chance(50) ? 0xFF : 0xC3);
            break;
        case 4: {
            const int n = below(63);
            for (int i = 0; i < n; ++i)
                buf[static_cast<size_t>(i)] = static_cast<char>('a' + below(26));
            break;
        }
        default: std::snprintf(buf.get(), 64, "n%d", below(50)); break;
        }
        return buf;
    }

    // Refreshes the numbers that mean something in the current model.
    void learn()
    {
        known_.clear();
        for (int i = 1; i < 64; ++i) {
            const int code = sp_lslay(i);
            if (code == 0)
                break;
            known_.push_back(code);
        }
        const int c = sp_GetMaxCros();
        for (int i = 1; i <= std::min(c, 40); ++i)
            known_.push_back(i);
        known_.push_back(c + 1);
    }

    std::mt19937_64& rng() { return rng_; }

private:
    std::mt19937_64 rng_;
    std::vector<int> known_;
};

// The answer of the last writing entry called: a negative answer (an
// error) must not have written anything.
int lastWriteResult = 0;

int noted(int result)
{
    lastWriteResult = result;
    return result;
}

struct Entry {
    const char* name;
    bool writes;                 // may commit when it succeeds
    std::function<std::string(Hostile&)> call;  // "" or what was wrong
};

template <typename T>
T* maybe(Hostile& h, T* p)
{
    return h.chance(10) ? nullptr : p;
}

std::string expectIn(const char* what, long result, std::initializer_list<long> allowed)
{
    for (long a : allowed) {
        if (result == a)
            return {};
    }
    std::ostringstream s;
    s << what << " answered " << result;
    return s.str();
}

// A name buffer the library filled must hold a zero-terminated text.
std::string terminated(const char* what, const char* buf)
{
    return std::memchr(buf, 0, 64) ? std::string() : std::string(what) + " left its text unterminated";
}

std::vector<Entry> entries()
{
    std::vector<Entry> e;
    auto stub = [&](const char* name, int (*f)()) {
        e.push_back({name, false, [name, f](Hostile&) { return expectIn(name, f(), {-1}); }});
    };
    stub("DB_initset", DB_initset);
    stub("DB_textread", DB_textread);
    stub("DB_textwrite", DB_textwrite);
    stub("sp_st_spn_get", sp_st_spn_get);
    stub("sp_GetMaxLinG", sp_GetMaxLinG);
    stub("sp_GetMaxEdge", sp_GetMaxEdge);

    e.push_back({"DB_restruct", false, [](Hostile& h) { return expectIn("DB_restruct", DB_restruct(h.integer()), {0, -3}); }});
    e.push_back({"DB_getr", false, [](Hostile& h) {
                     const int kind = h.kind();
                     if (h.chance(20))
                         return expectIn("DB_getr rewind", DB_getr(kind, nullptr), {0, -1, -3, -4});
                     size_t size;
                     auto rec = h.record(kind, size);
                     return expectIn("DB_getr", DB_getr(kind, rec.get()), {0, -1, -3, -4});
                 }});
    e.push_back({"DB_get", false, [](Hostile& h) {
                     const int kind = h.kind();
                     size_t size;
                     auto rec = h.record(kind, size);
                     return expectIn("DB_get", DB_get(kind, maybe(h, rec.get())), {0, -1, -3, -4});
                 }});
    e.push_back({"DBp_get", false, [](Hostile& h) {
                     const int kind = h.kind();
                     size_t size;
                     auto rec = h.record(kind, size);
                     int a = 0, b = 0;
                     const int r = DBp_get(kind, maybe(h, rec.get()), maybe(h, &a), maybe(h, &b));
                     return r >= 0 ? std::string() : "DBp_get answered " + std::to_string(r);
                 }});
    e.push_back({"DB_put", true, [](Hostile& h) {
                     const int kind = h.kind();
                     size_t size;
                     auto rec = h.record(kind, size);
                     return expectIn("DB_put", noted(DB_put(kind, maybe(h, rec.get()))), {0, -3, -4});
                 }});
    e.push_back({"DB_del", true, [](Hostile& h) {
                     // Deleting the grid would leave little to query: mostly
                     // keys that do not exist or kinds the grid does not use.
                     const int kind = h.chance(50) ? TEVA_REC_MESH_FILE : h.kind();
                     size_t size;
                     auto rec = h.record(kind, size);
                     if (kind != TEVA_REC_MESH_FILE && h.chance(80)) {
                         rec[0] = 0x70;
                         rec[1] = 0x11;
                     }
                     return expectIn("DB_del", noted(DB_del(kind, maybe(h, rec.get()))), {0, -3, -4});
                 }});
    e.push_back({"DB_Usno", true, [](Hostile& h) {
                     auto t = h.text();
                     const short r = static_cast<short>(noted(DB_Usno(h.nameKind(), maybe(h, t.get()))));
                     return r >= 1 || r == -1 || r == -3 ? std::string() : "DB_Usno answered " + std::to_string(r);
                 }});
    e.push_back({"DB_Usnam", false, [](Hostile& h) {
                     auto out = std::make_unique<char[]>(64);
                     std::memset(out.get(), 'Z', 64);
                     char* given = maybe(h, out.get());
                     const short r = DB_Usnam(h.nameKind(), h.shortNumber(), given);
                     std::string bad = expectIn("DB_Usnam", r, {0, -1, -3});
                     return !bad.empty() || r != 0 || !given ? bad : terminated("DB_Usnam", out.get());
                 }});
    e.push_back({"DB_Usfind", false, [](Hostile& h) {
                     auto t = h.text();
                     const short r = DB_Usfind(h.nameKind(), maybe(h, t.get()));
                     return r >= 1 || r == -1 || r == -2 || r == -3 ? std::string()
                                                                    : "DB_Usfind answered " + std::to_string(r);
                 }});
    e.push_back({"DB_Usren", true, [](Hostile& h) {
                     auto t = h.text();
                     // Renaming storeys and axes away is allowed, but keep
                     // the project mostly as it was.
                     const int kind = h.chance(70) ? TEVA_NAME_SLOPE : h.nameKind();
                     return expectIn("DB_Usren", noted(DB_Usren(kind, h.shortNumber(), maybe(h, t.get()))), {0, -1, -3});
                 }});
    e.push_back({"DB_Usino", false, [](Hostile& h) {
                     auto out = std::make_unique<char[]>(64);
                     std::memset(out.get(), 'Z', 64);
                     char* given = maybe(h, out.get());
                     const short r = DB_Usino(h.nameKind(), h.shortNumber(), given);
                     std::string bad = expectIn("DB_Usino", r, {0, -1, -3});
                     return !bad.empty() || r != 0 || !given ? bad : terminated("DB_Usino", out.get());
                 }});
    e.push_back({"DB_Usdel", true, [](Hostile& h) {
                     const int kind = h.chance(70) ? TEVA_NAME_SLOPE : h.nameKind();
                     short number = h.shortNumber();
                     if (h.chance(80))
                         number = static_cast<short>(100 + h.below(30000));  // mostly names that do not exist
                     return expectIn("DB_Usdel", noted(DB_Usdel(kind, number)), {0, -1, -3});
                 }});
    e.push_back({"DB_Uhgget", false, [](Hostile& h) {
                     auto rec = std::make_unique<unsigned char[]>(16);
                     return expectIn("DB_Uhgget", DB_Uhgget(h.chance(80) ? 1 : h.integer(), h.integer(),
                                                             maybe(h, rec.get())),
                                     {0, -3, -4, -1});
                 }});

    auto int1 = [&](const char* name, int (*f)(int)) {
        e.push_back({name, false, [f](Hostile& h) { f(h.integer()); return std::string(); }});
    };
    int1("sp_lslay", sp_lslay);
    int1("sp_layls", sp_layls);
    int1("sp_cpnam", sp_cpnam);
    int1("sp_cpno", sp_cpno);
    int1("sp_GetMaxLin", sp_GetMaxLin);
    int1("sp_wnam", sp_wnam);
    int1("sp_wno", sp_wno);
    int1("sp_GetMaxNode", sp_GetMaxNode);
    int1("sp_GetMaxSpan", sp_GetMaxSpan);
    int1("sp_GetMaxBayS", sp_GetMaxBayS);
    auto int0 = [&](const char* name, int (*f)()) {
        e.push_back({name, false, [f](Hostile&) { f(); return std::string(); }});
    };
    int0("sp_GetMaxSeqLay", sp_GetMaxSeqLay);
    int0("sp_GetMaxLevel", sp_GetMaxLevel);
    int0("sp_GetMaxCros", sp_GetMaxCros);
    auto int2 = [&](const char* name, int (*f)(int, int)) {
        e.push_back({name, false, [f](Hostile& h) { f(h.integer(), h.integer()); return std::string(); }});
    };
    int2("sp_GetSubLayNo", sp_GetSubLayNo);
    int2("sp_xnow", sp_xnow);
    int2("sp_nno", sp_nno);
    int2("sp_nnox_N", sp_nnox_N);
    e.push_back({"sp_Pnt2ToSpanFB", false, [](Hostile& h) { sp_Pnt2ToSpanFB(h.integer(), h.integer(), h.integer()); return std::string(); }});
    e.push_back({"sp_lslevel", false, [](Hostile& h) { sp_lslevel(h.integer(), h.integer(), h.integer()); return std::string(); }});
    e.push_back({"sp_GetTwoPntCord", false, [](Hostile& h) {
                     float a, b, c, d;
                     sp_GetTwoPntCord(h.integer(), h.integer(), maybe(h, &a), maybe(h, &b), maybe(h, &c), maybe(h, &d));
                     return std::string();
                 }});
    e.push_back({"sp_xwno2", false, [](Hostile& h) {
                     int a, b;
                     sp_xwno2(h.integer(), maybe(h, &a), maybe(h, &b));
                     return std::string();
                 }});
    e.push_back({"sp_nnox_L", false, [](Hostile& h) {
                     auto list = std::make_unique<int[]>(512);
                     const int r = sp_nnox_L(h.integer(), h.integer(), maybe(h, list.get()));
                     return r <= 512 ? std::string() : "sp_nnox_L answered " + std::to_string(r);
                 }});
    e.push_back({"sp_GetCord3d", false, [](Hostile& h) {
                     float x, y, z;
                     sp_GetCord3d(h.integer(), h.integer(), maybe(h, &x), maybe(h, &y), maybe(h, &z));
                     return std::string();
                 }});
    e.push_back({"sp_GetMaxMinCord", false, [](Hostile& h) {
                     float a, b, c, d;
                     sp_GetMaxMinCord(h.integer(), maybe(h, &a), maybe(h, &b), maybe(h, &c), maybe(h, &d));
                     return std::string();
                 }});
    e.push_back({"sp_snox", false, [](Hostile& h) {
                     int a, b, c;
                     sp_snox(h.integer(), h.integer(), maybe(h, &a), maybe(h, &b), maybe(h, &c));
                     return std::string();
                 }});
    e.push_back({"sp_scon", false, [](Hostile& h) {
                     int a, b;
                     sp_scon(h.integer(), h.integer(), maybe(h, &a), maybe(h, &b));
                     return std::string();
                 }});
    e.push_back({"sp_snon", false, [](Hostile& h) {
                     int a, b;
                     sp_snon(h.integer(), h.integer(), maybe(h, &a), maybe(h, &b));
                     return std::string();
                 }});
    e.push_back({"sp_sno", false, [](Hostile& h) {
                     auto w1 = std::make_unique<int[]>(512);
                     auto w2 = std::make_unique<int[]>(512);
                     int span;
                     sp_sno(h.integer(), h.integer(), h.integer(), h.integer(), maybe(h, &span), maybe(h, w1.get()),
                            maybe(h, w2.get()), h.chance(80) ? 0 : h.integer());
                     return std::string();
                 }});
    e.push_back({"sp_pwno_N", false, [](Hostile& h) {
                     // The index list holds n + 1 entries as the editor
                     // allocates it; for absurd n none is passed.
                     const int n = h.chance(70) ? h.below(10) - 2 : h.integer();
                     std::unique_ptr<int[]> list;
                     if (n >= 0 && n < 4096) {
                         list = std::make_unique<int[]>(static_cast<size_t>(n) + 1);
                         for (int i = 0; i <= n; ++i)
                             list[static_cast<size_t>(i)] = i + 1;
                     }
                     sp_pwno_N(h.integer(), n, h.chance(10) ? nullptr : list.get());
                     return std::string();
                 }});
    e.push_back({"sp_pwno_L", false, [](Hostile& h) {
                     // `out` has room for n entries only: an outline with
                     // more edges than n must not be written past it.
                     const int n = h.chance(70) ? h.below(10) - 2 : h.integer();
                     std::unique_ptr<int[]> list, out;
                     if (n >= 0 && n < 4096) {
                         list = std::make_unique<int[]>(static_cast<size_t>(n) + 1);
                         out = std::make_unique<int[]>(static_cast<size_t>(std::max(n, 1)));
                         for (int i = 0; i <= n; ++i)
                             list[static_cast<size_t>(i)] = i + 1;
                     }
                     sp_pwno_L(h.integer(), n, h.chance(10) ? nullptr : list.get(), h.chance(10) ? nullptr : out.get());
                     return std::string();
                 }});
    e.push_back({"teva_last_error", false, [](Hostile&) {
                     const char* s = teva_last_error();
                     return s ? std::string() : std::string("teva_last_error answered null");
                 }});
    e.push_back({"teva_check", false, [](Hostile&) {
                     return expectIn("teva_check", teva_check(), {0, -1});
                 }});
    e.push_back({"teva_add_storey", true, [](Hostile& h) {
                     auto t = h.text();
                     const double heights[] = {0.0, -1.0, 1e300, -1e300, NAN, INFINITY, 9000.0 + h.below(100000), 6000.0};
                     const int r = noted(teva_add_storey(maybe(h, t.get()), heights[h.below(8)]));
                     return r >= 1 || r == -1 ? std::string() : "teva_add_storey answered " + std::to_string(r);
                 }});
    e.push_back({"teva_step_begin", false, [](Hostile& h) {
                     auto t = h.text();
                     return expectIn("teva_step_begin", teva_step_begin(maybe(h, t.get())), {0, -3, -4});
                 }});
    e.push_back({"teva_step_end", false, [](Hostile&) {
                     return expectIn("teva_step_end", teva_step_end(), {0, -3, -4});
                 }});
    // Undo and redo write the file; answering anything but 0 they must not.
    e.push_back({"teva_undo", true, [](Hostile&) {
                     return expectIn("teva_undo", noted(teva_undo()), {0, -3, -4});
                 }});
    e.push_back({"teva_redo", true, [](Hostile&) {
                     return expectIn("teva_redo", noted(teva_redo()), {0, -3, -4});
                 }});
    e.push_back({"teva_undo_label", false, [](Hostile&) {
                     const char* undo = teva_undo_label();
                     const char* redo = teva_redo_label();
                     return undo && redo && std::strlen(undo) < 64 && std::strlen(redo) < 64
                                ? std::string()
                                : std::string("a step label is null or longer than 63 bytes");
                 }});
    return e;
}

TEST(ModeldbRobustness, RandomHostileCallsOfEveryEntry)
{
    const uint64_t seed = robustness::chooseSeed();
    std::printf("seed %llu (replay with TORMEL_SEED=%llu)\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(seed));
    testing_support::TempDir dir("modeldb-robustness");
    const std::string project = dir.File("small.teva");
    ASSERT_EQ(robustness::makeSmallProject(project), "");
    FileWatcher watcher(project);
    ASSERT_TRUE(watcher.ok());

    Hostile h(seed);
    h.learn();
    const std::vector<Entry> list = entries();
    const int calls = callCount();
    bool open = true;
    std::vector<int> perEntry(list.size(), 0);
    for (int i = 0; i < calls; ++i) {
        // Host-side entries that change which project is open come now and
        // then; every other call is one entry of the list.
        const int special = h.below(1000);
        if (special == 0) {
            teva_close();
            open = false;
            continue;
        }
        if (special == 1 || (!open && h.chance(5))) {
            const std::string bad[] = {"", dir.Path(), dir.File("missing.teva"), dir.File("nodir/x.teva")};
            const bool good = h.chance(70);
            const int r = good ? teva_open(project.c_str())
                               : teva_open(h.chance(20) ? nullptr : bad[h.below(4)].c_str());
            if (good) {
                ASSERT_EQ(r, 0) << "seed " << seed << " call " << i << ": " << teva_last_error();
                open = true;
                h.learn();
            } else {
                ASSERT_EQ(r, -1) << "seed " << seed << " call " << i;
                ASSERT_STRNE(teva_last_error(), "") << "seed " << seed;
                open = false;
            }
            continue;
        }
        if (special == 2) {
            // Creating over the open project must be refused and write nothing.
            const long long before = watcher.dataVersion();
            const char* paths[] = {nullptr, "", project.c_str(), dir.Path().c_str()};
            ASSERT_EQ(teva_create(paths[h.below(4)], "x"), -1) << "seed " << seed << " call " << i;
            ASSERT_EQ(watcher.dataVersion(), before) << "seed " << seed << " call " << i;
            // Whether a refused create keeps the open project is the
            // library's choice: ask it.
            unsigned char header[TEVA_SIZE_PROJECT];
            open = DB_get(TEVA_REC_PROJECT, header) == 0;
            continue;
        }
        if (special == 3 && open) {
            h.learn();
            continue;
        }

        const size_t which = static_cast<size_t>(h.below(static_cast<int>(list.size())));
        const Entry& entry = list[which];
        // The full check lists every problem of the hostile records written
        // so far, which grows with them: it is asked now and then only.
        if (std::string(entry.name) == "teva_check" && !h.chance(5))
            continue;
        ++perEntry[which];
        const long long before = open ? watcher.dataVersion() : 0;
        lastWriteResult = 0;
        const std::string problem = entry.call(h);
        ASSERT_EQ(problem, "") << "seed " << seed << " call " << i << " (" << entry.name << ")";
        if (open && (!entry.writes || lastWriteResult < 0)) {
            ASSERT_EQ(watcher.dataVersion(), before)
                << "seed " << seed << " call " << i << ": " << entry.name << " wrote to the file"
                << (entry.writes ? " although it answered " + std::to_string(lastWriteResult) : std::string());
        }
        if (!open && std::string(entry.name) == "DB_get") {
            // Without a project every record answer is "not found" (or a
            // refusal of the arguments).
            unsigned char header[TEVA_SIZE_PROJECT];
            ASSERT_EQ(DB_get(TEVA_REC_PROJECT, header), TEVA_NOT_FOUND) << "seed " << seed;
        }
    }
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_GT(perEntry[i], 0) << list[i].name << " was never called";

    // Whatever the records now say, the file is a sound database that
    // opens again.
    teva_close();
    EXPECT_EQ(watcher.integrityCheck(), "ok") << "seed " << seed;
    ASSERT_EQ(teva_open(project.c_str()), 0) << "seed " << seed << ": " << teva_last_error();
    EXPECT_EQ(DB_restruct(0), 0);
    const int check = teva_check();
    EXPECT_TRUE(check == 0 || check == -1);
    teva_close();
}

TEST(ModeldbRobustness, ErrorsOfWritingEntriesWriteNothing)
{
    // Targeted: each refused write leaves the file's data version alone.
    testing_support::TempDir dir("modeldb-nowrite");
    const std::string project = dir.File("small.teva");
    ASSERT_EQ(robustness::makeSmallProject(project), "");
    FileWatcher watcher(project);
    ASSERT_TRUE(watcher.ok());
    char longName[80];
    std::memset(longName, 'a', 64);
    longName[64] = 0;
    unsigned char rec[TEVA_SIZE_MESH_FILE] = {};
    struct Case {
        const char* name;
        std::function<int()> call;
    } cases[] = {
        {"DB_put null", [] { return DB_put(TEVA_REC_LEVEL, nullptr); }},
        {"DB_put unknown kind", [&] { return DB_put(13, rec); }},
        {"DB_del null", [] { return DB_del(TEVA_REC_SLOPE, nullptr); }},
        {"DB_del missing key", [&] { rec[0] = 99; return DB_del(TEVA_REC_SLOPE, rec) == -3 ? -1 : 0; }},
        {"DB_Usno empty", [] { return DB_Usno(TEVA_NAME_AXIS, ""); }},
        {"DB_Usno null", [] { return DB_Usno(TEVA_NAME_AXIS, nullptr); }},
        {"DB_Usno unknown kind", [] { return DB_Usno(5, "x"); }},
        {"DB_Usno too long", [&] { return DB_Usno(TEVA_NAME_AXIS, longName); }},
        {"DB_Usren taken", [] { return DB_Usren(TEVA_NAME_AXIS, 1, "X2"); }},
        {"DB_Usren missing", [] { return DB_Usren(TEVA_NAME_SLOPE, 999, "new"); }},
        {"DB_Usdel missing", [] { return DB_Usdel(TEVA_NAME_SLOPE, 999); }},
        {"DB_Usdel negative", [] { return DB_Usdel(TEVA_NAME_SLOPE, -1); }},
        {"teva_add_storey below", [] { return teva_add_storey("B1", -3000); }},
        {"teva_add_storey NaN", [] { return teva_add_storey("NaN", NAN); }},
        {"teva_add_storey taken name", [] { return teva_add_storey("2F", 9000); }},
    };
    for (const Case& c : cases) {
        const long long before = watcher.dataVersion();
        EXPECT_LT(c.call(), 0) << c.name;
        EXPECT_EQ(watcher.dataVersion(), before) << c.name << " wrote";
    }
    teva_close();
}

} // namespace
