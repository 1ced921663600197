#include "panels/CameraScroller.h"

#include <QPainter>

#include <algorithm>

#include "PostedMessage.h"
#include "panels/CameraButtonsView.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/ToolkitMessages.h"

namespace {
constexpr int kContent = CameraButtonsView::kHeight;
constexpr int kWheelStep = 10;
constexpr int kBarWidth = 20;
}  // namespace

CameraScroller::CameraScroller(QWidget* parent, SessionContext& context, const std::string& settingsPath)
    : QWidget(parent) {
    setObjectName(QStringLiteral("GLCameraView"));
    setGeometry(100, 100, 200, 200);
    buttons_ = new CameraButtonsView(this, context, settingsPath);
    scrollBar_ = new toolkit::ScrollBar(this, QRect(0, 0, 100, 100));
    offset_ = 0;
    Relayout();
}

bool CameraScroller::ScrollBarShown() const { return scrollBar_->x() < width(); }

void CameraScroller::Relayout() {
    const int w = width(), h = height();
    // The offset stays within the range of the current height.
    offset_ = std::clamp(offset_, std::min(0, h - kContent), 0);
    if (h >= kContent) {
        buttons_->setGeometry(0, 0, w, kContent);
        scrollBar_->setGeometry(w + 10, 0, 10, 10);
    } else {
        buttons_->setGeometry(0, offset_, w - kBarWidth, kContent);
        scrollBar_->setGeometry(w - kBarWidth, 0, kBarWidth, h);
        scrollBar_->SetMetrics(-offset_, h, kContent);
    }
    platform::PostWindowMessage(this, kRelayoutMessage, 1);
}

void CameraScroller::ScrollByWheel(int delta) {
    const int overflow = kContent - height();
    int offset = offset_ + (delta <= 0 ? -kWheelStep : kWheelStep);
    if (overflow <= 0) offset = 0;
    offset_ = std::clamp(offset, std::min(0, -overflow), 0);
    Relayout();
}

bool CameraScroller::event(QEvent* event) {
    if (const auto* message = platform::AsWindowMessage(event)) {
        if (message->message == toolkit::kScrollThumbDragged) {
            const int overflow = std::max(0, kContent - height());
            offset_ = -static_cast<int>(overflow * scrollBar_->ThumbFraction());
            buttons_->setGeometry(0, offset_, width() - kBarWidth, kContent);
            platform::PostWindowMessage(this, kRelayoutMessage, 1);
        } else if (message->message == kRelayoutMessage) {
            scrollBar_->update();
            buttons_->update();
            platform::PostWindowMessage(buttons_, CameraButtonsView::kRepaintMessage);
        }
        return true;
    }
    return QWidget::event(event);
}

void CameraScroller::resizeEvent(QResizeEvent*) { Relayout(); }

void CameraScroller::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toolkit::FaceColour());
}
