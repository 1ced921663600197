// Frame time of the editor view's renderer, offscreen on Mesa, with every
// display list built and with the lists rebuilt each frame (node spheres as
// impostors, and to compare as meshes); and the number
// of model library calls a frame with built lists makes (it must be 0).
//
// Run under a display: xvfb-run -a build/bench/bin/view_bench

#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "model/SlopeShapeList.h"
#include "model/ModelDbLibrary.h"
#include "view/CameraFit.h"
#include "view/CompassFaces.h"
#include "view/QtLabelRasterizer.h"
#include "TestBuilding.h"
#include "model/SceneContent.h"
#include "view/SceneRenderer.h"
#include "view/ScenePicker.h"
#include "mesh/MeshDivision.h"

#include <sys/resource.h>

namespace {

// Every call through the bound entries is counted.
long g_calls = 0;
ModelDbEntries g_original;

template <typename T, T ModelDbEntries::*Member>
struct Counting;
template <typename R, typename... A, R (*ModelDbEntries::*Member)(A...)>
struct Counting<R (*)(A...), Member> {
    static R Call(A... a) {
        ++g_calls;
        return (g_original.*Member)(a...);
    }
};

void CountCalls() {
    g_original = Db();
    ModelDbEntries counted = g_original;
#define TORMEL_MODELDB_ENTRY(name) \
    counted.name = &Counting<decltype(ModelDbEntries::name), &ModelDbEntries::name>::Call;
#include "model/ModelDbEntryList.h"
#undef TORMEL_MODELDB_ENTRY
    ModelDbLibrary::Instance().ReplaceEntries(counted);
}

std::string Bin() {
    const char* bin = std::getenv("TORMEL_BIN_DIR");
    return bin ? bin : (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path().parent_path() / "bin").string();
}

struct Scene {
    explicit Scene(const std::string& teva) {
        const std::string path = (std::filesystem::temp_directory_path() / "tormel-frame-bench.tvp").string();
        std::filesystem::remove(path);
        const std::string command = "'" + Bin() + "/teva' " + teva + " '" + path + "' > /dev/null";
        ok = std::system(command.c_str()) == 0 && ModelDbLibrary::Instance().LoadFrom(Bin());
        if (!ok) return;
        library.Open(Bin() + "/tevalib.so");
        auto open = reinterpret_cast<int (*)(const char*)>(library.Resolve("teva_open"));
        ok = open && open(path.c_str()) == 0;
        if (!ok) return;
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setVersion(2, 1);
        format.setDepthBufferSize(24);
        format.setStencilBufferSize(8);
        surface.setFormat(format);
        surface.create();
        context.setFormat(format);
        ok = context.create() && context.makeCurrent(&surface);
        if (!ok) return;
        fbo = std::make_unique<QOpenGLFramebufferObject>(800, 600, QOpenGLFramebufferObject::CombinedDepthStencil);
        fbo->bind();
        renderer = std::make_unique<SceneRenderer>(MakeCompassImages());
        renderer->Initialise(settings);
        StartCamera(camera);
        shapes.BuildShapesFromModel();
        for (int i = 2; i <= 9; ++i) frame.items[static_cast<size_t>(i)] = true;
        frame.camera = &camera;
        frame.settings = &settings;
        frame.shapes = &shapes;
        frame.picked = &picked;
        frame.hiddenAxes = &hiddenAxes;
        frame.hiddenLayers = &hiddenLayers;
        frame.range = &range;
        frame.width = 800;
        frame.height = 600;
        frame.labels = &labels;
    }
    ~Scene() {
        if (renderer) renderer->DiscardDisplayLists();
        fbo.reset();
        context.doneCurrent();
        ModelDbLibrary::Instance().Unload();
        if (auto close = reinterpret_cast<void (*)()>(library.Resolve("teva_close"))) close();
    }
    void Frame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_BLEND);
        renderer->SetupProjection(camera, 800, 600);
        renderer->DrawScene(frame);
        glFinish();
    }

    bool ok = false;
    platform::DynamicLibrary library;
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> fbo;
    std::unique_ptr<SceneRenderer> renderer;
    DisplaySettings settings;
    Camera camera;
    SlopeShapeList shapes;
    std::vector<NodeRef> picked;
    std::set<int32_t> hiddenAxes;
    std::set<LayerCode> hiddenLayers;
    EffectiveRange range;
    QtLabelRasterizer labels;
    SceneFrame frame;
};

std::string List(const char* prefix, int count, int step) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i) text += ",";
        text += prefix + std::to_string(i + 1) + ":" + std::to_string(i * step);
    }
    return text;
}

std::string LargeModel() {
    return "new --storeys '" + List("S", 10, 3500) + "' --x '" + List("X", 40, 6000) + "' --y '" +
           List("Y", 40, 6000) + "'";
}

// meshes: every node sphere a mesh, as before impostors (to compare).
void Frames(benchmark::State& state, const std::string& teva, bool rebuild, bool meshes = false) {
    Scene scene(teva);
    if (!scene.ok) {
        state.SkipWithError("no project or no OpenGL context");
        return;
    }
    scene.renderer->SetNodeImpostors(!meshes);
    scene.Frame();  // builds the lists
    for (auto _ : state) {
        if (rebuild) scene.renderer->DiscardDisplayLists();
        scene.Frame();
    }
    // Model calls of one frame whose lists are built.
    CountCalls();
    g_calls = 0;
    scene.Frame();
    state.counters["model_calls_cached_frame"] = static_cast<double>(g_calls);
}

void BM_DemoCached(benchmark::State& state) { Frames(state, "demo", false); }
void BM_DemoRebuilt(benchmark::State& state) { Frames(state, "demo", true); }
void BM_Large10x40x40Cached(benchmark::State& state) { Frames(state, LargeModel(), false); }
void BM_Large10x40x40Rebuilt(benchmark::State& state) { Frames(state, LargeModel(), true); }
void BM_DemoCachedMeshes(benchmark::State& state) { Frames(state, "demo", false, true); }
void BM_Large10x40x40CachedMeshes(benchmark::State& state) { Frames(state, LargeModel(), false, true); }

// A node pick at a node in the middle of the view: the spheres that can
// reach the click drawn in selection mode, or (to compare) every sphere.
void NodePicks(benchmark::State& state, const std::string& teva, bool cull) {
    Scene scene(teva);
    if (!scene.ok) {
        state.SkipWithError("no project or no OpenGL context");
        return;
    }
    scene.Frame();
    ScenePicker picker(*scene.renderer, [](const std::string&) { return std::make_pair(40, 13); });
    picker.SetNodeCulling(cull);
    // The visible node nearest the middle of the view.
    const auto& r = *scene.renderer;
    int x = 400, y = 300;
    double best = 1e300;
    for (const SceneNode& n : VisibleNodes({})) {
        double wx, wy, wz;
        gluProject(n.position.x, n.position.y, n.position.z, r.Modelview().data(), r.Projection().data(),
                   r.Viewport().data(), &wx, &wy, &wz);
        const double d = (wx - 400) * (wx - 400) + (wy - 300) * (wy - 300);
        if (d < best) {
            best = d;
            x = static_cast<int>(wx);
            y = 600 - static_cast<int>(wy);
        }
    }
    bool hit = false;
    for (auto _ : state) hit = picker.PickNode(scene.frame, x, y).has_value();
    state.counters["hit"] = hit;
    state.counters["spheres_drawn"] = static_cast<double>(picker.LastNodesDrawn());
}

// A slope pick (every face drawn in selection mode) over 1,000 registered
// slopes, one in each grid cell of the lowest storeys.
void BM_SlopePick1000(benchmark::State& state) {
    Scene scene(LargeModel());
    if (!scene.ok) {
        state.SkipWithError("no project or no OpenGL context");
        return;
    }
    std::vector<std::string> names;
    int added = 0;
    for (int j = 1; j < 40 && added < 1000; ++j) {
        for (int i = 1; i < 40 && added < 1000; ++i, ++added) {
            const std::string xi = "X" + std::to_string(i), xn = "X" + std::to_string(i + 1);
            const std::string yj = "Y" + std::to_string(j), yn = "Y" + std::to_string(j + 1);
            names.push_back("s" + std::to_string(added));
            modeldbtest::SlopeSpec spec;
            spec.name = names.back().c_str();
            spec.edges = {yj.c_str(), xn.c_str(), yn.c_str(), xi.c_str()};
            spec.bottom = yj.c_str();
            spec.top = yn.c_str();
            if (modeldbtest::addSlope(spec) < 1) {
                state.SkipWithError("slopes not written");
                return;
            }
        }
    }
    DB_restruct(0);
    scene.shapes.RebuildRegisteredShapes();
    scene.Frame();
    ScenePicker picker(*scene.renderer, [](const std::string&) { return std::make_pair(40, 13); });
    bool hit = false;
    for (auto _ : state) hit = picker.PickSlope(scene.frame, 400, 300).shapeId.has_value();
    state.counters["hit"] = hit;
    state.counters["slopes"] = static_cast<double>(scene.shapes.Size());
}

// Mesh mode on the demo with South roof's outline divided into 500 × 500
// quadrilaterals, the most a division may make (250,000 elements, 251,001
// nodes): a frame with its lists built, one rebuilding list 8, and a pick.
struct MeshScene {
    MeshScene() : scene("demo") {
        if (!scene.ok) return;
        MeshElement roof{0, {{0, 0, 10500}, {0, 9000, 10500}, {24000, 9000, 10500}, {24000, 0, 10500}}};
        ws.kind = MeshKind::Outline;
        ws.working = {roof};
        ws.selectedElement = 0;
        divided = DivideSelectedElement(ws, 500, 500, false) == DivisionResult::Done;
        for (size_t i = 1; i <= 9; ++i) scene.frame.items[i] = i == display_items::kGrid || i == display_items::kCompass;
        scene.frame.mode = InteractionMode::Mesh;
        scene.frame.mesh = &ws;
        scene.camera.target = Vec3d(12000, 4500, 10500);
        scene.camera.distance = 30000;
    }
    bool Ready(benchmark::State& state) {
        if (!scene.ok || !divided) state.SkipWithError("no OpenGL context or no division");
        return scene.ok && divided;
    }
    Scene scene;
    MeshWorkspace ws;
    bool divided = false;
};

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void MeshFrames(benchmark::State& state, bool rebuild) {
    MeshScene mesh;
    if (!mesh.Ready(state)) return;
    mesh.scene.Frame();
    for (auto _ : state) {
        if (rebuild) mesh.scene.renderer->DiscardDisplayList(kListMeshNodes);
        mesh.scene.Frame();
    }
    state.counters["elements"] = static_cast<double>(mesh.ws.working.size());
    state.counters["nodes"] = static_cast<double>(mesh.ws.nodes.size());
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_MeshModeFrameAtBudget(benchmark::State& state) { MeshFrames(state, false); }
void BM_MeshModeFrameAtBudgetRebuilt(benchmark::State& state) { MeshFrames(state, true); }

// A click in the middle of the roof: the node pick, which misses, then the
// element pick.
void BM_MeshPickAtBudget(benchmark::State& state) {
    MeshScene mesh;
    if (!mesh.Ready(state)) return;
    mesh.scene.Frame();
    ScenePicker picker(*mesh.scene.renderer, [](const std::string&) { return std::make_pair(40, 13); });
    const auto& r = *mesh.scene.renderer;
    double wx, wy, wz;
    gluProject(12011, 4507, 10500, r.Modelview().data(), r.Projection().data(), r.Viewport().data(), &wx, &wy, &wz);
    bool hit = false;
    for (auto _ : state) {
        const bool node = !picker.PickMeshNodes(mesh.scene.frame, static_cast<int>(wx), 600 - static_cast<int>(wy)).empty();
        hit = node || picker.PickMeshElement(mesh.scene.frame, static_cast<int>(wx), 600 - static_cast<int>(wy));
    }
    state.counters["hit"] = hit;
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_NodePickLarge(benchmark::State& state) { NodePicks(state, LargeModel(), true); }
void BM_NodePickLargeEverySphere(benchmark::State& state) { NodePicks(state, LargeModel(), false); }
void BM_NodePickDemo(benchmark::State& state) { NodePicks(state, "demo", true); }

BENCHMARK(BM_NodePickDemo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshModeFrameAtBudget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshModeFrameAtBudgetRebuilt)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MeshPickAtBudget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlopePick1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NodePickLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NodePickLargeEverySphere)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DemoCached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemoRebuilt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Large10x40x40Cached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Large10x40x40Rebuilt)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DemoCachedMeshes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Large10x40x40CachedMeshes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
