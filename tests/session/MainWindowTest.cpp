// The main window driven with real mouse and key events: layout, key
// routing, header buttons and closing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "ScriptedDialogs.h"
#include "session/HeaderBar.h"
#include "session/MainDialog.h"
#include "session/Session.h"
#include "panels/EnvironmentSettingsDialog.h"
#include "session/ViewContainer.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/PaneWindow.h"
#include "toolkit/PushButton.h"

namespace {

std::string StubDir(const std::string& variant) { return std::string(TORMEL_STUB_ROOT) + "/" + variant; }

// Counts the key presses a widget receives.
class KeyCounter : public QObject {
public:
    std::vector<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) keys.push_back(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
};

QRect Geometry(QWidget* w) { return w->geometry(); }

TEST(MainWindow, ClientOf400By300) {
    MainDialog dialog;
    dialog.show();
    dialog.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(Geometry(dialog.Header()), QRect(0, 0, 400, 62));
    EXPECT_EQ(Geometry(dialog.Container()), QRect(0, 62, 400, 238));
}

TEST(MainWindow, StartUpLayout) {
    MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.size(), QSize(800, 600));
    ViewContainer* c = dialog.Container();
    EXPECT_EQ(c->ControlPane()->geometry(), QRect(0, 0, 200, 269));
    EXPECT_EQ(c->CameraPane()->geometry(), QRect(0, 269, 200, 269));
    EXPECT_EQ(c->EditorPane()->geometry(), QRect(200, 0, 600, 537));
    // The content windows carry the names the rest of the editor finds them by.
    EXPECT_EQ(c->EditorView()->objectName(), "GLitem");
    EXPECT_EQ(c->ControlPane()->Content()->objectName(), "GLPlaceView");
    EXPECT_EQ(c->CameraPane()->Content()->objectName(), "GLCameraView");
    EXPECT_EQ(c->EditorView()->geometry(), QRect(4, 24, 593, 510));
}

TEST(MainWindow, EnterAndEscapeDoNotCloseAndReachTheEditorView) {
    MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    KeyCounter counter;
    dialog.Container()->EditorView()->installEventFilter(&counter);
    QWidget* elsewhere = dialog.Container()->CameraPane()->Content();
    QTest::keyClick(elsewhere, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(dialog.Container()->EditorView(), Qt::Key_C);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(counter.keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Escape, Qt::Key_C}));
}

// A pane floating out of the container is a window of its own; its keys
// still go to the editor view and close nothing.
TEST(MainWindow, KeysInAFloatingPaneReachTheEditorView) {
    MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    toolkit::PaneWindow* camera = dialog.Container()->CameraPane();
    camera->ChooseDocking(toolkit::DockSide::Floating);
    QApplication::processEvents();
    ASSERT_TRUE(camera->isWindow());
    QApplication::setActiveWindow(camera);
    KeyCounter counter;
    dialog.Container()->EditorView()->installEventFilter(&counter);
    KeyCounter paneCounter;
    camera->Content()->installEventFilter(&paneCounter);
    QTest::keyClick(camera->Content(), Qt::Key_C);
    QTest::keyClick(camera, Qt::Key_Return);
    QTest::keyClick(camera, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(counter.keys, (std::vector<int>{Qt::Key_C, Qt::Key_Return, Qt::Key_Escape}));
    EXPECT_TRUE(paneCounter.keys.empty()) << "the pane's own widgets do not see them";
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(camera->isVisible());
}

// Keys of a dialog opened over the main window stay that dialog's.
TEST(MainWindow, SettingsDialogKeepsItsOwnKeys) {
    MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    KeyCounter counter;
    dialog.Container()->EditorView()->installEventFilter(&counter);
    EnvironmentSettingsDialog settings(&dialog, nullptr, "/nonexistent/Vorna3D.ini");
    settings.show();
    QApplication::setActiveWindow(&settings);
    QApplication::processEvents();
    QTest::keyClick(&settings, Qt::Key_Escape);
    EXPECT_TRUE(counter.keys.empty());
    EXPECT_FALSE(settings.isVisible());
    EXPECT_TRUE(dialog.isVisible());
}

// The bright pixels of an image within `area`.
QRect Ink(const QImage& image, const QRect& area) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) > 150) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The version line's text cell starts at (1, 1): its ink is that of the same
// text drawn with its cell at (0, 0), one pixel right and down.
TEST(HeaderBar, VersionLineDrawnAtOneOne) {
    MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    const QImage shot = dialog.Header()->grab().toImage();
    const QRect drawn = Ink(shot, QRect(0, 0, 200, 14));  // above the buttons
    QImage alone(200, 20, QImage::Format_RGB32);
    alone.fill(Qt::black);
    {
        QPainter p(&alone);
        p.setFont(toolkit::UiFont(12));
        p.setPen(QColor(200, 200, 200));
        p.drawText(QPoint(0, p.fontMetrics().ascent()), HeaderBar::VersionLine());
    }
    const QRect cell = Ink(alone, alone.rect());
    ASSERT_FALSE(cell.isEmpty());
    EXPECT_EQ(drawn, cell.translated(1, 1));
}

TEST(HeaderBar, ButtonPositionsFor800Wide) {
    MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    HeaderBar* bar = dialog.Header();
    EXPECT_EQ(bar->Button(HeaderBar::kSettings)->pos(), QPoint(2, 15));
    EXPECT_EQ(bar->Button(HeaderBar::kMode)->pos(), QPoint(48, 15));
    EXPECT_EQ(bar->Button(HeaderBar::kManual)->pos(), QPoint(706, 15));
    EXPECT_EQ(bar->Button(HeaderBar::kClose)->pos(), QPoint(752, 15));
    EXPECT_EQ(bar->Button(HeaderBar::kClose)->size(), QSize(44, 44));
    EXPECT_EQ(HeaderBar::VersionLine(), "Tormel ver 7.6.7");
}

TEST(HeaderBar, ModeButtonDisabledWithoutASelectedSlope) {
    MainDialog dialog;
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.Header()->Button(HeaderBar::kMode)->IsDisabled());
    EXPECT_FALSE(dialog.Header()->Button(HeaderBar::kMode)->IsLatched());
}

// Closing a session's window either way makes the session end with 0.
void CloseSessionWith(const std::function<void(MainDialog*)>& close) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    int closed = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<MainDialog*>(QApplication::activeModalWidget());
        if (!dialog || closed) return;
        ++closed;
        close(dialog);
    });
    timer.start();
    EXPECT_EQ(RunSession(StubDir("stub_open")), 0);
    EXPECT_EQ(closed, 1);
}

TEST(SessionClose, HeaderCloseButton) {
    CloseSessionWith([](MainDialog* dialog) {
        QTest::mouseClick(dialog->Header()->Button(HeaderBar::kClose), Qt::LeftButton, {}, QPoint(20, 20));
    });
}

TEST(SessionClose, WindowCloseBox) {
    CloseSessionWith([](MainDialog* dialog) { dialog->close(); });
}

}  // namespace
