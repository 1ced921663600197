// Deriving the model (DB_restruct's work) from in-memory records at scale:
// full grids of N axes (half each way, N²/4 crossings) and a model of many
// short axes scattered over a wide site, each crossing a handful of others.
// Targets: under 0.5 µs per crossing on the 2,000-axis grid; 20,000 short
// axes in under 200 ms.
#include "ModelTopology.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

using namespace teva;

void addAxis(ProjectData& data, int id, double x1, double y1, double x2, double y2)
{
    const auto i16 = static_cast<std::int16_t>(id);
    RecordBytes line(AxisLineRecord::size);
    encode(AxisLineRecord{i16, 0, i16, 1, 2, x1, y1}, line.data());
    data.records[TEVA_REC_AXIS_LINE][RecordKey{id, 0}] = line;
    RecordBytes point(AxisPointRecord::size);
    encode(AxisPointRecord{i16, 2, x2, y2}, point.data());
    data.records[TEVA_REC_AXIS_POINT][RecordKey{id, 2}] = point;
}

ProjectData gridModel(int axes)
{
    ProjectData data;
    data.storeyHeights = {0.0};
    const int half = axes / 2;
    const double pitch = 3000.0, extent = pitch * (half - 1);
    for (int i = 0; i < half; ++i)
        addAxis(data, i + 1, pitch * i, 0, pitch * i, extent);
    for (int j = 0; j < half; ++j)
        addAxis(data, half + j + 1, 0, pitch * j, extent, pitch * j);
    return data;
}

// Axes of 5 m in random directions over a square site sized so that each
// crosses about four others on average.
ProjectData shortAxesModel(int axes)
{
    ProjectData data;
    data.storeyHeights = {0.0};
    const double length = 5000.0;
    const double side = std::sqrt(axes * 2.0 * length * length / (3.14159265 * 4.0));
    std::mt19937 rng(777);
    std::uniform_real_distribution<double> pos(0.0, side), angle(0.0, 3.14159265);
    for (int i = 0; i < axes; ++i) {
        const double x = pos(rng), y = pos(rng), a = angle(rng);
        addAxis(data, i + 1, x, y, x + length * std::cos(a), y + length * std::sin(a));
    }
    return data;
}

void runBuild(benchmark::State& state, const ProjectData& data)
{
    std::size_t crossings = 0;
    for (auto _ : state) {
        const ModelTopology model = ModelTopology::build(data);
        crossings = model.crossings().size();
        benchmark::DoNotOptimize(crossings);
    }
    state.counters["crossings"] = static_cast<double>(crossings);
    state.counters["per_crossing"] = benchmark::Counter(
        static_cast<double>(crossings) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_RestructGrid(benchmark::State& state)
{
    runBuild(state, gridModel(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RestructGrid)->Arg(100)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_RestructShortAxes(benchmark::State& state)
{
    runBuild(state, shortAxesModel(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RestructShortAxes)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace
