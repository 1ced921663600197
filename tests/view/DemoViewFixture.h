#pragma once
// The editor view, 400 × 300, over a fresh demo building (`teva demo`) with
// the model library bound: the fixture the view's tests share.

#include <gtest/gtest.h>

#include <GL/glu.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <nlohmann/json.hpp>
#include <string>

#include "QtDialogs.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "tevalib.h"
#include "model/ModelDbLibrary.h"
#include "view/SlopeEditorView.h"

// With TORMEL_SCREENSHOT_DIR set, the user guide's pictures are saved there.
inline void SaveScreenshot(const QImage& image, const char* name) {
    const char* dir = std::getenv("TORMEL_SCREENSHOT_DIR");
    if (dir && *dir) image.save(QString::fromUtf8(dir) + "/" + name);
}

// Display items at their defaults, but for nodes and those a test turns off.
struct ItemSwitch : DisplayItemSource {
    bool nodes = true;
    std::set<int> off;
    bool IsItemChecked(int index) const override {
        if (off.count(index)) return false;
        return index == display_items::kNodes ? nodes : display_items::DefaultOn(index);
    }
};

class DemoViewFixture : public testing::Test {
protected:
    void SetUp() override {
        const std::string bin = testing_support::BinDir();
        ASSERT_EQ(testing_support::RunProcess(bin + "/teva", {"demo", project}).exitCode, 0);
        ASSERT_EQ(teva_open(project.c_str()), 0) << teva_last_error();
        ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(bin));
        context.items = &items;
        OpenView();
    }
    // A new view on the open project, shown and drawn once.
    void OpenView() {
        view = std::make_unique<SlopeEditorView>(context, nullptr, dir.File("Vorna3D.ini"));
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->grabFramebuffer();  // one frame drawn
    }
    void TearDown() override {
        view.reset();
        teva_close();
        ModelDbLibrary::Instance().Unload();
    }
    static LayerCode Storey(const char* name) { return DB_Usfind(TEVA_NAME_STOREY, name); }
    // The node where axes `a` and `b` cross on storey `storey`.
    static NodeRef At(const char* storey, const char* a, const char* b) {
        const LayerCode layer = Storey(storey);
        const int axisA = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, a));
        const int axisB = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, b));
        return NodeRef{layer, Db().sp_nno(layer, Db().sp_xnow(axisA, axisB))};
    }
    // The layer code of a registered slope on RF.
    static LayerCode SlopeLayer(const char* name) { return -(32768 * DB_Usfind(TEVA_NAME_SLOPE, name) + Storey("RF")); }
    // With TORMEL_SCREENSHOT_DIR set, the real popup menu `open` brings up,
    // grabbed from the screen with the view under it and `margin` more
    // pixels right and below, then dismissed unchosen.
    void SaveMenuScreenshot(const char* name, QSize margin, const std::function<void()>& open) {
        const char* folder = std::getenv("TORMEL_SCREENSHOT_DIR");
        if (!folder || !*folder) return;
        platform::QtDialogs real;
        platform::ScopedDialogs scope(real);
        QTimer::singleShot(300, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            if (!menu) return;
            const QPoint origin = view->mapToGlobal(QPoint(0, 0));
            view->screen()
                ->grabWindow(0, origin.x(), origin.y(), view->width() + margin.width(), view->height() + margin.height())
                .save(QString::fromUtf8(folder) + "/" + name);
            menu->close();
        });
        open();
    }
    // The view resized to `size`, its camera on `target` from the given
    // angles (degrees) and distance (millimetres).
    void Look(QSize size, const Vec3d& target, float azimuth, float elevation, float distance) {
        view->resize(size);
        Camera& camera = view->ViewCamera();
        camera.target = target;
        camera.azimuth = azimuth;
        camera.elevation = elevation;
        camera.distance = distance;
    }
    // Where a model point appears in the view after the last frame, y down.
    QPoint ToWindow(const Vec3d& p) {
        const SceneRenderer& r = view->Renderer();
        double x, y, z;
        gluProject(p.x, p.y, p.z, r.Modelview().data(), r.Projection().data(), r.Viewport().data(), &x, &y, &z);
        return QPoint(static_cast<int>(x), r.Viewport()[3] - static_cast<int>(y));
    }
    // A press at `at` and a release `move` pixels from it, then a frame.
    void Click(Qt::MouseButton button, QPoint at, QPoint move = {}) {
        QTest::mousePress(view.get(), button, {}, at);
        QTest::mouseRelease(view.get(), button, {}, at + move);
        view->grabFramebuffer();
    }
    // The file as `teva dump --json` reads it once the view is gone and the
    // project closed; the project is open again afterwards.
    nlohmann::json Dump() {
        view.reset();
        teva_close();
        const auto dump = testing_support::RunProcess(testing_support::BinDir() + "/teva", {"dump", "--json", project});
        EXPECT_EQ(teva_open(project.c_str()), 0);
        EXPECT_EQ(dump.exitCode, 0) << dump.err;
        return dump.exitCode == 0 ? nlohmann::json::parse(dump.out) : nlohmann::json();
    }

    testing_support::TempDir dir;
    std::string project = dir.File("demo.tvp");
    SessionContext context;
    ItemSwitch items;
    std::unique_ptr<SlopeEditorView> view;
};
