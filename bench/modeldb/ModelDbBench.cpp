// Model database speed on a large building: 100 x 100 axes, 30 storeys and
// 200 slopes. DB_restruct recomputes the whole model (target: under 2 s);
// the editor's per-element queries must each answer in well under a
// microsecond (target: median under 1 us).
#include "BuildingDescription.h"
#include "ProjectWriter.h"
#include "tevalib.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kAxesEachWay = 100;
constexpr int kStoreys = 30;
constexpr int kSlopes = 200;
constexpr double kPitch = 3000.0;  // mm between grid lines
constexpr int kSamples = 4096;     // arguments prepared per query benchmark

// The large building, made once in a temporary folder and left open.
class LargeModel {
public:
    static LargeModel& instance()
    {
        static LargeModel model;
        return model;
    }

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }
    const std::vector<int>& storeyLayers() const { return storeyLayers_; }
    const std::vector<int>& slopeLayers() const { return slopeLayers_; }
    const std::vector<int>& allLayers() const { return allLayers_; }
    const std::string& file() const { return file_; }

    ~LargeModel()
    {
        teva_close();
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((file_ + suffix).c_str());
        ::rmdir(dir_.c_str());
    }

private:
    LargeModel()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/modeldb-bench-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            error_ = "cannot make a temporary folder";
            return;
        }
        dir_ = pattern;
        file_ = dir_ + "/large.teva";

        teva::BuildingDescription d;
        d.title = "Benchmark building";
        for (int k = 0; k < kStoreys; ++k)
            d.storeys.push_back({std::to_string(k + 1) + "F", 3500.0 * k, 0});
        const double extent = kPitch * (kAxesEachWay - 1);
        for (int i = 0; i < kAxesEachWay; ++i)
            d.axes.push_back({"X" + std::to_string(i + 1), {{kPitch * i, 0}, {kPitch * i, extent}}, 0, 0});
        for (int j = 0; j < kAxesEachWay; ++j)
            d.axes.push_back({"Y" + std::to_string(j + 1), {{0, kPitch * j}, {extent, kPitch * j}}, 0, 0});
        // Slopes over single grid cells of the top storey, rising from
        // Y(j) at the storey below the top to Y(j+1) at the top.
        for (int s = 0; s < kSlopes; ++s) {
            const int i = 1 + (s * 7) % (kAxesEachWay - 1);
            const int j = 1 + (s * 13) % (kAxesEachWay - 1);
            const std::string xi = "X" + std::to_string(i), xi1 = "X" + std::to_string(i + 1);
            const std::string yj = "Y" + std::to_string(j), yj1 = "Y" + std::to_string(j + 1);
            teva::SlopeEntry e;
            e.name = "slope " + std::to_string(s + 1);
            e.edges = {yj, xi1, yj1, xi};
            e.lower.storey = std::to_string(kStoreys - 1) + "F";
            e.upper.storey = std::to_string(kStoreys) + "F";
            e.bottom = yj;
            e.top = yj1;
            d.slopes.push_back(e);
        }
        teva::ResolvedDescription r;
        teva::DescriptionError problem;
        if (!teva::resolveDescription(d, r, problem)) {
            error_ = problem.text();
            return;
        }
        if (teva_create(file_.c_str(), d.title.c_str()) != 0) {
            error_ = teva_last_error();
            return;
        }
        if (!teva::writeDescription(d, r, error_))
            return;
        for (int i = 1;; ++i) {
            const int code = sp_lslay(i);
            if (code == 0)
                break;
            allLayers_.push_back(code);
            (code > 0 ? storeyLayers_ : slopeLayers_).push_back(code);
        }
        ok_ = storeyLayers_.size() == kStoreys && slopeLayers_.size() == kSlopes &&
              sp_GetMaxCros() == kAxesEachWay * kAxesEachWay;
        if (!ok_)
            error_ = "the model does not have the expected layers and crossings";
    }

    bool ok_ = false;
    std::string error_;
    std::string dir_;
    std::string file_;
    std::vector<int> storeyLayers_;
    std::vector<int> slopeLayers_;
    std::vector<int> allLayers_;
};

bool ready(benchmark::State& state)
{
    LargeModel& m = LargeModel::instance();
    if (!m.ok()) {
        state.SkipWithError(("large model: " + m.error()).c_str());
        return false;
    }
    return true;
}

std::mt19937& rng()
{
    static std::mt19937 r(12345);
    return r;
}

int pick(const std::vector<int>& v)
{
    return v[rng()() % v.size()];
}

int uniform(int lo, int hi)
{
    return lo + static_cast<int>(rng()() % static_cast<unsigned>(hi - lo + 1));
}

void BM_DB_restruct(benchmark::State& state)
{
    if (!ready(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(DB_restruct(0));
    state.counters["crossings"] = sp_GetMaxCros();
    state.counters["layers"] = static_cast<double>(LargeModel::instance().allLayers().size());
}
BENCHMARK(BM_DB_restruct)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

// Each query benchmark walks a table of prepared random arguments, so the
// figure is the cost of one call on arguments the editor would pass.
void BM_sp_nno(benchmark::State& state)
{
    if (!ready(state))
        return;
    const int crossings = sp_GetMaxCros();
    std::vector<std::pair<int, int>> args(kSamples);
    for (auto& a : args)
        a = {pick(LargeModel::instance().allLayers()), uniform(1, crossings)};
    size_t i = 0;
    for (auto _ : state) {
        const auto& a = args[i++ % kSamples];
        benchmark::DoNotOptimize(sp_nno(a.first, a.second));
    }
}
BENCHMARK(BM_sp_nno)->Repetitions(5);

void BM_sp_xnow(benchmark::State& state)
{
    if (!ready(state))
        return;
    std::vector<std::pair<int, int>> args(kSamples);
    for (auto& a : args)
        a = {uniform(1, kAxesEachWay), uniform(kAxesEachWay + 1, 2 * kAxesEachWay)};
    size_t i = 0;
    for (auto _ : state) {
        const auto& a = args[i++ % kSamples];
        benchmark::DoNotOptimize(sp_xnow(a.first, a.second));
    }
}
BENCHMARK(BM_sp_xnow)->Repetitions(5);

void BM_sp_GetCord3d(benchmark::State& state)
{
    if (!ready(state))
        return;
    const int crossings = sp_GetMaxCros();
    std::vector<std::pair<int, int>> args(kSamples);
    for (auto& a : args)
        a = {pick(LargeModel::instance().allLayers()), uniform(1, crossings)};
    size_t i = 0;
    float x, y, z;
    for (auto _ : state) {
        const auto& a = args[i++ % kSamples];
        benchmark::DoNotOptimize(sp_GetCord3d(a.first, a.second, &x, &y, &z));
    }
    benchmark::DoNotOptimize(x + y + z);
}
BENCHMARK(BM_sp_GetCord3d)->Repetitions(5);

void BM_sp_nnox_L(benchmark::State& state)
{
    if (!ready(state))
        return;
    const int nodes = sp_GetMaxNode(1);
    std::vector<std::pair<int, int>> args(kSamples);
    for (auto& a : args)
        a = {pick(LargeModel::instance().allLayers()), uniform(1, nodes)};
    size_t i = 0;
    std::vector<int> list(512);
    for (auto _ : state) {
        const auto& a = args[i++ % kSamples];
        benchmark::DoNotOptimize(sp_nnox_L(a.first, a.second, list.data()));
    }
}
BENCHMARK(BM_sp_nnox_L)->Repetitions(5);

void BM_sp_snox(benchmark::State& state)
{
    if (!ready(state))
        return;
    std::vector<std::pair<int, int>> args(kSamples);
    for (auto& a : args) {
        const int layer = pick(LargeModel::instance().storeyLayers());
        a = {layer, uniform(1, sp_GetMaxSpan(layer))};
    }
    size_t i = 0;
    int axis, a1, a2;
    for (auto _ : state) {
        const auto& a = args[i++ % kSamples];
        benchmark::DoNotOptimize(sp_snox(a.first, a.second, &axis, &a1, &a2));
    }
}
BENCHMARK(BM_sp_snox)->Repetitions(5);

void BM_DB_get_slope(benchmark::State& state)
{
    if (!ready(state))
        return;
    std::vector<short> keys(kSamples);
    for (auto& k : keys)
        k = static_cast<short>(uniform(1, kSlopes));
    size_t i = 0;
    unsigned char rec[TEVA_SIZE_SLOPE] = {};
    for (auto _ : state) {
        const short key = keys[i++ % kSamples];
        rec[0] = static_cast<unsigned char>(key & 0xFF);
        rec[1] = static_cast<unsigned char>(key >> 8);
        benchmark::DoNotOptimize(DB_get(TEVA_REC_SLOPE, rec));
    }
}
BENCHMARK(BM_DB_get_slope)->Repetitions(5);

// teva_open of the large building: its full integrity check, reading every
// record and deriving the model. The model is reopened afterwards for the
// other benchmarks.
void BM_teva_open(benchmark::State& state)
{
    if (!ready(state))
        return;
    const std::string& file = LargeModel::instance().file();
    for (auto _ : state) {
        if (teva_open(file.c_str()) != 0) {
            state.SkipWithError(teva_last_error());
            return;
        }
    }
}
BENCHMARK(BM_teva_open)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

// One committed record write: a level record replaced in place (WAL,
// synchronous FULL: one fsync per write), alternating between two heights.
void BM_DB_put_level(benchmark::State& state)
{
    if (!ready(state))
        return;
    const short number = DB_Usno(TEVA_NAME_SUBLAYER, "bench level");
    unsigned char level[TEVA_SIZE_LEVEL] = {};
    level[0] = 2;
    level[2] = static_cast<unsigned char>(number & 0xFF);
    level[3] = static_cast<unsigned char>(number >> 8);
    level[4] = 1;
    int i = 0;
    for (auto _ : state) {
        const double height = 1000.0 + (i++ & 1);
        std::memcpy(level + 8, &height, sizeof height);
        if (DB_put(TEVA_REC_LEVEL, level) != 0) {
            state.SkipWithError("DB_put failed");
            return;
        }
    }
}
BENCHMARK(BM_DB_put_level)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// Undo and then redo of one step of 1,000 record writes (mesh file
// records): each replays the step's 1,000 logged statements, logs their
// inverse and reads the project again, in one committed transaction. The
// step is made once (1,000 committed writes) before the timing.
void BM_teva_undo_redo_1000(benchmark::State& state)
{
    if (!ready(state))
        return;
    if (std::strcmp(teva_undo_label(), "1000 writes") != 0) {
        teva_step_begin("1000 writes");
        for (int i = 1; i <= 1000; ++i) {
            unsigned char mesh[TEVA_SIZE_MESH_FILE] = {};
            mesh[0] = static_cast<unsigned char>(i & 0xFF);
            mesh[1] = static_cast<unsigned char>(i >> 8);
            std::snprintf(reinterpret_cast<char*>(mesh + 2), 64, "meshes/%d.msh", i);
            if (DB_put(TEVA_REC_MESH_FILE, mesh) != 0) {
                state.SkipWithError("DB_put failed");
                return;
            }
        }
        teva_step_end();
    }
    for (auto _ : state) {
        if (teva_undo() != 0 || teva_redo() != 0) {
            state.SkipWithError(teva_last_error());
            return;
        }
    }
}
BENCHMARK(BM_teva_undo_redo_1000)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

// The two SQLite checks on the large building's file alone, on a separate
// read-only connection: what teva_open's full check costs against the quick
// one it replaced.
void runCheck(benchmark::State& state, const char* pragma)
{
    if (!ready(state))
        return;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(LargeModel::instance().file().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        state.SkipWithError("cannot open the file");
        sqlite3_close_v2(db);
        return;
    }
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, pragma, -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
}

void BM_integrity_check(benchmark::State& state) { runCheck(state, "PRAGMA integrity_check(1)"); }
BENCHMARK(BM_integrity_check)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_quick_check(benchmark::State& state) { runCheck(state, "PRAGMA quick_check"); }
BENCHMARK(BM_quick_check)->Unit(benchmark::kMillisecond)->Repetitions(3);

} // namespace
