#include "ScreenshotTaker.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {
constexpr int kPollMs = 50;
// After this many polls the window is taken as it is (20 s).
constexpr int kMaxPolls = 400;
// The window must stay ready for a few polls so queued repaints are done.
constexpr int kSettlePolls = 4;
}  // namespace

ScreenshotTaker::ScreenshotTaker(QString path, QString windowName, QObject* parent)
    : QObject(parent), path_(std::move(path)), windowName_(std::move(windowName)),
      timer_(new QTimer(this)) {
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &ScreenshotTaker::Poll);
    qApp->installEventFilter(this);
}

bool ScreenshotTaker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->objectName() == windowName_ && !timer_->isActive() &&
        !saved_) {
        polls_ = 0;
        readyPolls_ = 0;
        timer_->start();
    }
    return QObject::eventFilter(watched, event);
}

bool ScreenshotTaker::IsReady(QWidget* window) const {
    if (!window->isVisible() || !window->windowHandle() || !window->windowHandle()->isExposed())
        return false;
    // A view still waiting for its first frame marks itself "framePending".
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->property("framePending").toBool()) return false;
    }
    return true;
}

void ScreenshotTaker::Poll() {
    QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == windowName_ && top->isVisible()) window = top;
    }
    if (!window) {
        timer_->stop();
        return;
    }
    ++polls_;
    readyPolls_ = IsReady(window) ? readyPolls_ + 1 : 0;
    if (readyPolls_ >= kSettlePolls || polls_ >= kMaxPolls) {
        timer_->stop();
        Capture(window);
    }
}

void ScreenshotTaker::Capture(QWidget* window) {
    QImage image = window->grab().toImage();
    saved_ = !image.isNull() && image.save(path_, "PNG");
    if (!saved_) {
        std::fprintf(stderr, "tormel-host: cannot write the screenshot %s\n", qPrintable(path_));
    }
    window->close();
}
