// Costs of mesh mode's geometry on large meshes: grouping the vertices of a
// divided slope into nodes, ordering a many-cornered outline, and a division
// up to the element budget.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <random>

#include "mesh/ElementOrder.h"
#include "mesh/MeshDivision.h"
#include "mesh/MeshNodes.h"

namespace {

// A slope of 20 m × 12 m rising 3 m, corners clockwise in plan, in mm.
MeshElement Slope() { return {0, {{0, 0, 0}, {0, 12000, 3000}, {20000, 12000, 3000}, {20000, 0, 0}}}; }

// The triangles an n × m AutoDivide makes, built without the budget so that
// it can be doubled.
MeshList Triangles(int n, int m) {
    MeshList triangles;
    for (const MeshElement& cell : DivideQuadGrid(Slope(), n, m))
        for (MeshElement& triangle : FanTriangulate(cell)) triangles.push_back(std::move(triangle));
    return triangles;
}

void ReportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["max_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Counts 200 × 200 (160,000 triangles) and 200 × 400 (double).
void BM_BuildNodesAfterAutoDivide(benchmark::State& state) {
    const MeshList list = Triangles(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::vector<MeshNode> nodes;
    for (auto _ : state) {
        BuildNodes(list, nodes);
        benchmark::DoNotOptimize(nodes.data());
    }
    state.counters["elements"] = static_cast<double>(list.size());
    state.counters["nodes"] = static_cast<double>(nodes.size());
}
BENCHMARK(BM_BuildNodesAfterAutoDivide)->Args({200, 200})->Args({200, 400})->Unit(benchmark::kMillisecond);

// 14 corners, each run in another scrambled order; the slowest order is
// reported apart. Arg 0: round an irregular outline. Arg 1: on one line in
// plan (a vertical face), where rounding leaves most orders, or all, refused.
void BM_OrderElementClockwise14(benchmark::State& state) {
    std::mt19937 random(14);
    std::uniform_real_distribution<double> jitter(0.7, 1.0);
    MeshElement outline;
    for (int k = 0; k < 14; ++k) {
        const double angle = 2.0 * M_PI * (k + 0.3 * jitter(random)) / 14.0, radius = 5000.0 * jitter(random);
        if (state.range(0) == 0)
            outline.vertices.push_back({radius * std::cos(angle), radius * std::sin(angle), 0.0});
        else
            outline.vertices.push_back({radius - 4250.0, 0.3 * (radius - 4250.0) + 7.0, 0.0});
    }
    std::vector<MeshElement> scrambled(64, outline);
    for (MeshElement& element : scrambled) std::shuffle(element.vertices.begin(), element.vertices.end(), random);
    double slowest = 0.0;
    int refused = 0;
    for (const MeshElement& element : scrambled) {
        double fastest = INFINITY;  // of 5 runs, against the machine's noise
        for (int run = 0; run < 5; ++run) {
            MeshElement copy = element;
            const auto start = std::chrono::steady_clock::now();
            const bool ordered = OrderElementClockwise(copy);
            fastest = std::min(fastest,
                               std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            if (run == 0) refused += !ordered;
        }
        slowest = std::max(slowest, fastest);
    }
    if (state.range(0) == 0 && refused > 0) state.SkipWithError("an outline without a clockwise order");
    size_t i = 0;
    for (auto _ : state) {
        MeshElement copy = scrambled[i++ % scrambled.size()];
        benchmark::DoNotOptimize(OrderElementClockwise(copy));
    }
    state.counters["slowest_order_ms"] = slowest;
    state.counters["refused_of_64"] = refused;
}
BENCHMARK(BM_OrderElementClockwise14)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// QuadDivide 500 × 500 or AutoDivide 250 × 250 of the outline element:
// exactly 250,000 elements, the budget; the nodes are regrouped.
void BM_DivideToBudget(benchmark::State& state) {
    const bool triangles = state.range(0) != 0;
    const int count = triangles ? 250 : 500;
    for (auto _ : state) {
        state.PauseTiming();
        MeshWorkspace ws;
        ws.kind = MeshKind::Outline;
        ws.working = {Slope()};
        ws.Group(GroupedList::Working);
        ws.selectedElement = 0;
        state.ResumeTiming();
        if (DivideSelectedElement(ws, count, count, triangles) != DivisionResult::Done ||
            ws.working.size() != kMaxMeshElements)
            state.SkipWithError("division refused");
        state.counters["nodes"] = static_cast<double>(ws.nodes.size());
        state.PauseTiming();
        ws.Clear();
        state.ResumeTiming();
    }
    ReportPeakMemory(state);
}
BENCHMARK(BM_DivideToBudget)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
