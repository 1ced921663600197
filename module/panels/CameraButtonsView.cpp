#include "panels/CameraButtonsView.h"

#include <QMouseEvent>
#include <QPainter>

#include <bit>
#include <cstdint>
#include <functional>

#include "PostedMessage.h"
#include "mesh/NumberText.h"
#include "settings/ProfileValue.h"
#include "panels/RotationPad.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/PushButton.h"
#include "toolkit/RadioItem.h"
#include "toolkit/ToolkitMessages.h"
#include "panels/EditorViewAccess.h"

namespace {

constexpr int kFirstViewCode = 3;
constexpr int kViewButtonWidth = 50;
constexpr int kViewButtonHeight = 20;
constexpr int kImageButtonSize = 16;
constexpr int kRadioWidth = 80;

// Just above 90 degrees, not exactly 90: a camera looking straight down or
// up would have no "up" direction.
const float kTopElevation = std::bit_cast<float>(uint32_t{0x42B4000D});
const float kBottomElevation = std::bit_cast<float>(uint32_t{0xC2B4000D});

const char* const kViewTexts[6] = {"X+", "X-", "Y+", "Y-", "Z+", "Z-"};

// The 10 × 10 picture of the two image buttons: a ring round a dot.
QImage CameraButtonPicture() {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(toolkit::FaceColour());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toolkit::TextColour(), 1));
    p.drawEllipse(QRectF(1.5, 1.5, 7, 7));
    p.fillRect(QRect(4, 4, 2, 2), toolkit::TextColour());
    return image;
}

// A push button that also runs an action when a press on it is released
// over it.
class ActionButton : public toolkit::PushButton {
public:
    ActionButton(QWidget* parent, const QRect& rect, QImage picture, std::function<void()> action)
        : toolkit::PushButton(parent, rect, 0, {}, std::move(picture)), action_(std::move(action)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = event->button() == Qt::LeftButton && !IsDisabled() && IsPressed() &&
                           rect().contains(event->position().toPoint());
        toolkit::PushButton::mouseReleaseEvent(event);
        if (click) action_();
    }

private:
    std::function<void()> action_;
};

}  // namespace

void CameraButtonsView::WithView(const std::function<void(EditorViewAccess&)>& request) {
    if (EditorViewAccess* view = context_.view) {
        request(*view);
        view->Invalidate();
    }
}

CameraButtonsView::CameraButtonsView(QWidget* parent, SessionContext& context, const std::string& settingsPath)
    : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("GLCameraView"));
    setGeometry(100, 100, 200, kHeight);
    setCursor(Qt::ArrowCursor);
    const QImage picture = CameraButtonPicture();
    const QRect imageRect(0, 0, kImageButtonSize, kImageButtonSize);
    reset_ = new ActionButton(this, imageRect, picture, [this] { WithView([](EditorViewAccess& v) { v.ResetCamera(); }); });
    centre_ = new ActionButton(this, imageRect, picture,
                               [this] { WithView([](EditorViewAccess& v) { v.CentreOnPickedNodes(); }); });
    for (int i = 0; i < 6; ++i)
        views_[i] = new toolkit::PushButton(this, QRect(0, 0, kViewButtonWidth, kViewButtonHeight), kFirstViewCode + i,
                                            QString::fromLatin1(kViewTexts[i]));
    pad_ = new RotationPad(this, context_);
    // The radios only show the stored choice; the view reads its own.
    bool parallel = false;
    if (const auto stored = settings::ReadKey(settingsPath, "CameraPos", "TOUEI", 128))
        parallel = textnum::AtoI(*stored) != 0;
    radios_[0] = new toolkit::RadioItem(this, QRect(0, 0, kRadioWidth, 15), QStringLiteral("透視投影"), !parallel,
                                        kPerspective);
    radios_[1] = new toolkit::RadioItem(this, QRect(0, 0, kRadioWidth, 15), QStringLiteral("平行投影"), parallel,
                                        kParallel);
}

toolkit::PushButton* CameraButtonsView::ViewButton(int code) const {
    const int i = code - kFirstViewCode;
    return (i >= 0 && i < 6) ? views_[i] : nullptr;
}

bool CameraButtonsView::ViewAngles(int code, float& azimuth, float& elevation) {
    switch (code) {
        case 3: azimuth = 0; elevation = 0; return true;
        case 4: azimuth = 180; elevation = 0; return true;
        case 5: azimuth = 90; elevation = 0; return true;
        case 6: azimuth = 270; elevation = 0; return true;
        case 7: azimuth = 270; elevation = kTopElevation; return true;
        case 8: azimuth = 270; elevation = kBottomElevation; return true;
        default: return false;
    }
}

void CameraButtonsView::ShowView(int code) {
    WithView([code](EditorViewAccess& view) {
        float azimuth = 0, elevation = 0;
        if (!ViewAngles(code, azimuth, elevation)) return;  // still redrawn
        view.SetAzimuth(azimuth);
        view.SetElevation(elevation);
    });
}

void CameraButtonsView::ChooseProjection(int code) {
    projection_ = code;
    for (toolkit::RadioItem* radio : radios_) {
        radio->SetChecked(radio->Code() == code);
        radio->update();
    }
    if (code != kPerspective && code != kParallel) return;
    WithView([code](EditorViewAccess& view) { view.SetParallelProjection(code == kParallel); });
}

bool CameraButtonsView::event(QEvent* event) {
    if (const auto* message = platform::AsWindowMessage(event)) {
        switch (message->message) {
            case toolkit::kRadioChosen: ChooseProjection(static_cast<int>(message->wParam)); break;
            case toolkit::kButtonReleased: ShowView(static_cast<int>(message->wParam)); break;
            case kRepaintMessage:
                for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->update();
                update();
                break;
            default: break;
        }
        return true;
    }
    return QWidget::event(event);
}

void CameraButtonsView::resizeEvent(QResizeEvent*) {
    const int c = width() / 2;
    pad_->move(c - pad_->width() / 2 - 5, 5);
    reset_->move(c + 50, 4);
    centre_->move(c + 50, 25);
    radios_[0]->move(c - radios_[0]->width() / 2 - 5, 120);
    radios_[1]->move(c - radios_[1]->width() / 2 - 5, 150);
    for (int i = 0; i < 6; ++i) views_[i]->move(c - 75 + 50 * (i / 2), 185 + 20 * (i % 2));
    platform::PostWindowMessage(this, kRepaintMessage);
}

void CameraButtonsView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toolkit::FaceColour());
}
