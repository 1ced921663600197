// The main window on the demo building, from the start camera and from the
// "Z+" button. With TORMEL_SCREENSHOT_DIR set the pictures are saved there
// (the README's and the user guide's screenshots are made this way).

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "TempDir.h"
#include "session/MainDialog.h"
#include "model/ModelDbLibrary.h"
#include "session/ViewContainer.h"
#include "panels/CameraButtonsView.h"
#include "DemoViewFixture.h"
#include "tevalib.h"
#include "toolkit/PushButton.h"
#include "view/SlopeEditorView.h"

namespace {

// Pixels of the editor view that are not background.
int DrawnPixels(const QImage& image, const QRect& area) {
    int drawn = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (QColor(image.pixel(x, y)) != QColor(0, 0, 0)) ++drawn;
        }
    }
    return drawn;
}

TEST(DemoScreenshots, StartCameraAndZPlus) {
    testing_support::TempDir dir;
    const std::string project = dir.File("demo.tvp");
    const std::string bin = testing_support::BinDir();
    ASSERT_EQ(testing_support::RunProcess(bin + "/teva", {"demo", project}).exitCode, 0);
    ASSERT_EQ(teva_open(project.c_str()), 0) << teva_last_error();
    ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(bin));
    {
        MainDialog dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        auto* view = qobject_cast<SlopeEditorView*>(dialog.Container()->EditorView());
        ASSERT_NE(view, nullptr);
        view->grabFramebuffer();
        QApplication::processEvents();
        const QRect viewArea(view->mapTo(&dialog, QPoint(0, 0)), view->size());
        QImage start = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_GT(DrawnPixels(start, viewArea), viewArea.width() * viewArea.height() / 20);
        SaveScreenshot(start, "editor-demo.png");

        auto* buttons = dialog.findChild<CameraButtonsView*>();
        ASSERT_NE(buttons, nullptr);
        QTest::mouseClick(buttons->ViewButton(7), Qt::LeftButton, {}, QPoint(10, 10));  // "Z+"
        QApplication::processEvents();
        EXPECT_FLOAT_EQ(view->ViewCamera().azimuth, 270.0f);
        EXPECT_GT(view->ViewCamera().elevation, 90.0f);
        QTest::keyClick(view, Qt::Key_C);  // the fitted camera keeps no angle: set it again
        QTest::mouseClick(buttons->ViewButton(7), Qt::LeftButton, {}, QPoint(10, 10));
        QApplication::processEvents();
        view->grabFramebuffer();
        QImage top = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_GT(DrawnPixels(top, viewArea), viewArea.width() * viewArea.height() / 20);
        SaveScreenshot(top, "editor-demo-top.png");
    }
    teva_close();
    ModelDbLibrary::Instance().Unload();
}

}  // namespace
