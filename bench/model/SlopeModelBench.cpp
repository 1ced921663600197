// Costs of the slope model core against a building with 1,000 registered
// slopes: the polygon searches a click on "定義" runs, the rebuild of the
// registered outlines after every change, and the ordering of picked nodes
// after every pick.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "TestBuilding.h"
#include "model/IntersectionLineExtraction.h"
#include "model/OrderPickedNodes.h"
#include "ScriptedDialogs.h"
#include "model/NodeSelection.h"
#include "model/RegisteredSlopeSearch.h"
#include "model/SlopeRegistration.h"
#include "model/SlopeShapeList.h"
#include "model/ModelDbLibrary.h"

namespace {

constexpr int kColumns = 40;  // cells along X
constexpr int kRows = 25;     // cells along Y: 1,000 slopes
constexpr double kSpacing = 1000.0;

std::string AxisName(char direction, int index) { return direction + std::to_string(index); }

// A grid of 41 × 26 axes at 1 m on three storeys (0, 3000, 6000), with one slope
// per cell rising from its Y(j) edge on storey 1 to its Y(j+1) edge on
// storey 2. Made once per process.
class SlopeBuilding {
public:
    static SlopeBuilding& Instance() {
        static SlopeBuilding building;
        return building;
    }
    bool ok = false;

private:
    SlopeBuilding() {
        const char* bin = std::getenv("TORMEL_BIN_DIR");
        const std::string directory = bin ? bin : "";
        if (!ModelDbLibrary::Instance().LoadFrom(directory)) return;
        const std::string path = dir_.File("slopes.teva");
        if (teva_create(path.c_str(), "1,000 slopes") != 0) return;
        if (teva_add_storey("1F", 0) != 1 || teva_add_storey("2F", 3000) != 2 ||
            teva_add_storey("3F", 6000) != 3)
            return;
        for (int i = 0; i <= kColumns; ++i) {
            const double x = i * kSpacing;
            modeldbtest::addAxis(AxisName('X', i).c_str(), x, -500, x, kRows * kSpacing + 500);
        }
        for (int j = 0; j <= kRows; ++j) {
            const double y = j * kSpacing;
            modeldbtest::addAxis(AxisName('Y', j).c_str(), -500, y, kColumns * kSpacing + 500, y);
        }
        int number = 0;
        for (int j = 0; j < kRows; ++j) {
            for (int i = 0; i < kColumns; ++i) {
                const std::string name = "sl:" + std::to_string(++number);
                const std::string x0 = AxisName('X', i), x1 = AxisName('X', i + 1);
                const std::string y0 = AxisName('Y', j), y1 = AxisName('Y', j + 1);
                modeldbtest::SlopeSpec spec;
                spec.name = name.c_str();
                spec.edges = {y0.c_str(), x1.c_str(), y1.c_str(), x0.c_str()};
                spec.bottom = y0.c_str();
                spec.top = y1.c_str();
                if (modeldbtest::addSlope(spec) < 1) return;
            }
        }
        ok = DB_restruct(0) == 0;
    }
    modeldbtest::TempDir dir_;
};

bool Ready(benchmark::State& state) {
    if (SlopeBuilding::Instance().ok) return true;
    state.SkipWithError("the 1,000-slope building could not be made (is TORMEL_BIN_DIR set?)");
    return false;
}

// Parallel to every registered slope (z rises 3000 per metre of y) but
// beside the grid: each slope's edges are tested and none overlaps, so the
// whole walk runs.
const SlopePolygon kBesideTheGrid = {
    {50000, 0, 0}, {50000, 1000, 3000}, {51000, 1000, 3000}, {51000, 0, 0}};

void BM_SlopeOverlapTest(benchmark::State& state) {
    if (!Ready(state)) return;
    for (auto _ : state) benchmark::DoNotOptimize(SlopeOverlapTest(kBesideTheGrid));
    state.SetLabel("1,000 registered slopes");
}
BENCHMARK(BM_SlopeOverlapTest)->Unit(benchmark::kMillisecond);

// Falling where the slopes rise, within their heights but beside the grid:
// every slope's intersection is computed and none qualifies.
const SlopePolygon kFallingBeside = {
    {50000, 0, 3000}, {50000, 1000, 0}, {51000, 1000, 0}, {51000, 0, 3000}};

void BM_SlopeIntersectionSearch(benchmark::State& state) {
    if (!Ready(state)) return;
    for (auto _ : state) benchmark::DoNotOptimize(SlopeIntersectionSearch(kFallingBeside, true));
    state.SetLabel("1,000 registered slopes, none found");
}
BENCHMARK(BM_SlopeIntersectionSearch)->Unit(benchmark::kMillisecond);

void BM_BuildShapesFromModel(benchmark::State& state) {
    if (!Ready(state)) return;
    SlopeShapeList list;
    for (auto _ : state) {
        list.RebuildRegisteredShapes();
        benchmark::DoNotOptimize(list.Size());
    }
    state.SetLabel(std::to_string(list.Size()) + " shapes");
}
BENCHMARK(BM_BuildShapesFromModel)->Unit(benchmark::kMillisecond);

struct NoRefresh : EditorRefresh {
    void RefreshAfterModelChange() override {}
    void Repaint() override {}
};

NodeRef GridNode(LayerCode layer, int i, int j) {
    const int a = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, AxisName('X', i).c_str()));
    const int b = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, AxisName('Y', j).c_str()));
    return {layer, Db().sp_nno(layer, Db().sp_xnow(a, b))};
}

// What the outline commands run with: the 1,000 registered shapes, the
// picked corners of the first cell one storey up (2F to 3F), and dialogs
// that record whatever they are asked.
struct OutlineCommand {
    OutlineCommand() { shapes.BuildShapesFromModel(); }
    // The outline of the picked corners, selected as a right-click leaves it.
    void SelectOutline() {
        BuildOutlineShape(picked, shapes);
        shapes.Select(shapes.FindOutlineShape());
    }
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
    NoRefresh refresh;
    SlopeShapeList shapes;
    std::vector<NodeRef> picked = {GridNode(2, 0, 0), GridNode(2, 1, 0), GridNode(3, 1, 1), GridNode(3, 0, 1)};
};

// The "定義" command on the first cell one storey up (2F to 3F, parallel to
// every registered slope): the automatic name (1,000 taken), every check
// against the 1,000 slopes, the records written, the model restructured and
// the registered shapes rebuilt. The new slope is removed again outside the
// timing.
void BM_DefineSlope(benchmark::State& state) {
    if (!Ready(state)) return;
    OutlineCommand c;
    for (auto _ : state) {
        c.SelectOutline();
        if (!DefineSlopeWithAutomaticName(c.picked, c.shapes, c.refresh) || !c.dialogs.shown.empty()) {
            state.SkipWithError("the slope was not defined");
            return;
        }
        state.PauseTiming();
        unsigned char record[TEVA_SIZE_SLOPE] = {};
        teva::putI16(record, 0, DB_Usfind(TEVA_NAME_SLOPE, "sl:1001"));
        DB_del(TEVA_REC_SLOPE, record);
        DB_Usdel(TEVA_NAME_SLOPE, teva::getI16(record, 0));
        DB_restruct(0);
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(c.shapes.Size()) + " shapes after each definition");
}
BENCHMARK(BM_DefineSlope)->Unit(benchmark::kMillisecond);

// "他斜面との交線を抽出" on a cell one storey up whose edges all lie on spans
// and which meets no slope: the edge scan, the overlap test and the
// intersection search against the 1,000 slopes, and the closing restructure
// and rebuild of the 1,000 registered shapes. Nothing is added.
void BM_ExtractIntersectionLines(benchmark::State& state) {
    if (!Ready(state)) return;
    OutlineCommand c;
    for (auto _ : state) {
        c.SelectOutline();
        if (!ExtractIntersectionLines(c.picked, c.shapes, c.refresh) || !c.dialogs.shown.empty()) {
            state.SkipWithError("the extraction did not pass quietly");
            return;
        }
    }
    state.SetLabel("1,000 registered slopes, nothing added");
}
BENCHMARK(BM_ExtractIntersectionLines)->Unit(benchmark::kMillisecond);

// The same with a triangle whose third edge runs on no axis: one axis line is
// written, the model restructured, the corners found again and the edges
// scanned once more. The axis is removed again outside the timing.
void BM_ExtractIntersectionLinesAddingAxis(benchmark::State& state) {
    if (!Ready(state)) return;
    OutlineCommand c;
    for (auto _ : state) {
        state.PauseTiming();
        // Node numbers change with every restructure: the corners are found again.
        c.picked = {GridNode(2, 0, 0), GridNode(2, 1, 0), GridNode(3, 1, 1)};
        state.ResumeTiming();
        c.SelectOutline();
        if (!ExtractIntersectionLines(c.picked, c.shapes, c.refresh) || !c.dialogs.shown.empty() ||
            DB_Usfind(TEVA_NAME_AXIS, "1'") < 1) {
            state.SkipWithError("the axis was not added quietly");
            return;
        }
        state.PauseTiming();
        const int id = modeldbtest::largestLineId();
        unsigned char line[TEVA_SIZE_AXIS_LINE] = {}, point[TEVA_SIZE_AXIS_POINT] = {};
        teva::putI16(line, 0, static_cast<int16_t>(id));
        teva::putI16(point, 0, static_cast<int16_t>(id));
        teva::putI16(point, 2, 2);
        DB_del(TEVA_REC_AXIS_POINT, point);
        DB_del(TEVA_REC_AXIS_LINE, line);
        DB_Usdel(TEVA_NAME_AXIS, DB_Usfind(TEVA_NAME_AXIS, "1'"));
        DB_restruct(0);
        state.ResumeTiming();
    }
    state.SetLabel("1,000 registered slopes, one axis added");
}
BENCHMARK(BM_ExtractIntersectionLinesAddingAxis)->Unit(benchmark::kMillisecond);

// The 20 grid nodes round a 6 × 4 cell block of storey 1, picked in grid
// order; the newest makes one earlier node redundant, as in a real session.
std::vector<NodeRef> TwentyPicks() {
    std::vector<NodeRef> picks;
    auto add = [&](int i, int j) {
        const int a = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, AxisName('X', i).c_str()));
        const int b = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, AxisName('Y', j).c_str()));
        picks.push_back({1, Db().sp_nno(1, Db().sp_xnow(a, b))});
    };
    for (int i = 0; i <= 6; ++i) add(i, 0);
    for (int j = 1; j <= 4; ++j) add(6, j);
    for (int i = 5; i >= 0; --i) add(i, 4);
    for (int j = 3; j >= 1; --j) add(0, j);
    return picks;
}

void BM_OrderPickedNodes(benchmark::State& state) {
    if (!Ready(state)) return;
    const std::vector<NodeRef> picks = TwentyPicks();
    for (auto _ : state) {
        std::vector<NodeRef> picked = picks;
        benchmark::DoNotOptimize(OrderPickedNodes(picked));
    }
    state.SetLabel(std::to_string(picks.size()) + " picked nodes");
}
BENCHMARK(BM_OrderPickedNodes)->Unit(benchmark::kMicrosecond);

}  // namespace
