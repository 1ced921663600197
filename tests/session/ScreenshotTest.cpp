// The windows as drawn: pixels that must hold the dark style's colours. With
// TORMEL_SCREENSHOT_DIR set, the pictures are also saved there (the user
// guide's screenshots are made this way).

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

#include <cstdlib>

#include "TempDir.h"
#include "session/HeaderBar.h"
#include "session/MainDialog.h"
#include "session/ViewContainer.h"
#include "panels/EnvironmentSettingsDialog.h"
#include "toolkit/DockingMenu.h"

namespace {

void Save(const QImage& image, const char* name) {
    const char* dir = std::getenv("TORMEL_SCREENSHOT_DIR");
    if (dir && *dir) image.save(QString::fromUtf8(dir) + "/" + name);
}

QImage ScreenArea(QWidget* window) {
    QApplication::processEvents();
    QTest::qWait(50);
    const QPoint at = window->mapToGlobal(QPoint(0, 0));
    return window->screen()->grabWindow(0, at.x(), at.y(), window->width(), window->height()).toImage();
}

QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

TEST(Screenshots, MainWindow) {
    MainDialog dialog;
    dialog.move(20, 20);
    dialog.show();
    QApplication::processEvents();
    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(image.pixel(0, 0), Rgb(15, 15, 15)) << "the header's frame";
    EXPECT_EQ(image.pixel(400, 13), Rgb(100, 100, 100)) << "the header's highlight line";
    EXPECT_EQ(image.pixel(400, 1), Rgb(30, 30, 30)) << "the top row of the band";
    EXPECT_EQ(image.pixel(400, 40), Rgb(40, 40, 40)) << "the header's face";
    EXPECT_EQ(image.pixel(60, 62 + 5), Rgb(60, 60, 60)) << "the Control pane's caption strip";
    Save(image, "main-window.png");
}

TEST(Screenshots, DockingMenuOpen) {
    MainDialog dialog;
    dialog.move(20, 20);
    dialog.show();
    QApplication::processEvents();
    auto* camera = dialog.Container()->CameraPane();
    camera->OpenDockingMenu(camera->mapToGlobal(QPoint(170, 60)));
    toolkit::DockingMenu* menu = camera->OpenMenu();
    ASSERT_NE(menu, nullptr);
    const QImage before = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 38), menu->mapToGlobal(QPointF(20, 38)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(menu, &move);
    ASSERT_EQ(menu->HoveredRow(), 2);
    const QImage hovered = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The hovered row is a blue band blended at half strength.
    const QColor band = QColor(hovered.pixel(95, 15 * 2 + 4));
    EXPECT_GT(band.blue(), 100);
    EXPECT_LT(band.red(), 60);
    EXPECT_NE(before.pixel(95, 34), hovered.pixel(95, 34));
    Save(ScreenArea(&dialog), "docking-menu.png");
    camera->CloseDockingMenu();
}

TEST(Screenshots, SettingsDialog) {
    testing_support::TempDir dir;
    EnvironmentSettingsDialog dialog(nullptr, nullptr, dir.File("Vorna3D.ini"));
    dialog.show();
    QApplication::processEvents();
    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(250, 300), Rgb(40, 40, 40)) << "the panel's face";
    EXPECT_EQ(image.pixel(2, 100), Rgb(100, 100, 100)) << "the highlight line";
    // The node colour button shows RGB(80, 100, 200).
    EXPECT_EQ(image.pixel(180 + 100 + 10, 5 + 80 + 10), Rgb(80, 100, 200));
    Save(image, "settings-dialog.png");
}

}  // namespace
