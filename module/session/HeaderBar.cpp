#include "HeaderBar.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QPainter>
#include <QSettings>
#include <QUrl>

#include "PostedMessage.h"
#include "session/ButtonPictures.h"
#include "panels/EditorViewLink.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/PushButton.h"

namespace {
// Where the installer records the program's folder (read only).
constexpr const char* kInstallConfig = "/etc/xdg/Brenhold/Tormel.conf";
}  // namespace

HeaderBar::HeaderBar(QDialog* dialog, QWidget* parent) : QWidget(parent), dialog_(dialog) {
    setObjectName(QStringLiteral("HeaderBar"));
    const QRect start(0, 0, kButtonSize, kButtonSize);
    using toolkit::PushButton;
    settings_ = new PushButton(this, start, kSettings, {}, DrawButtonPicture(ButtonPicture::Settings));
    manual_ = new PushButton(this, start, kManual, {}, DrawButtonPicture(ButtonPicture::Manual));
    close_ = new PushButton(this, start, kClose, {}, DrawButtonPicture(ButtonPicture::Close));
    mode_ = new PushButton(this, start, kMode, {}, DrawButtonPicture(ButtonPicture::SlopeMode),
                           DrawButtonPicture(ButtonPicture::MeshMode));
    UpdateModeButton();
}

toolkit::PushButton* HeaderBar::Button(Code code) const {
    switch (code) {
        case kSettings: return settings_;
        case kManual: return manual_;
        case kClose: return close_;
        case kMode: return mode_;
    }
    return nullptr;
}

QString HeaderBar::VersionLine() { return QString::asprintf("%s ver %d.%d.%d", "Tormel", 7, 6, 7); }

void HeaderBar::resizeEvent(QResizeEvent*) {
    const int cx = width(), cy = height();
    const int y = cy / 2 - (kButtonSize - 12) / 2;
    settings_->move(2, y);
    mode_->move(kButtonSize + 4, y);
    manual_->move(cx - 2 * kButtonSize - 6, y);
    close_->move(cx - kButtonSize - 4, y);
    update();
}

bool HeaderBar::event(QEvent* event) {
    if (const auto* message = platform::AsWindowMessage(event)) {
        if (message->message == toolkit::PushButton::kReleasedMessage) {
            OnButton(static_cast<int>(message->wParam));
            return true;
        }
    }
    return QWidget::event(event);
}

void HeaderBar::OnButton(int code) {
    switch (code) {
        case kSettings:
            if (settingsAction_) settingsAction_();
            break;
        case kManual:
            OpenManual();
            break;
        case kClose:
            if (dialog_) dialog_->done(QDialog::Rejected);
            break;
        case kMode:
            if (!editor_) break;
            if (editor_->Mode() == InteractionMode::Slope) editor_->EnterMeshMode();
            else editor_->LeaveMeshMode();
            update();
            break;
        default:
            break;
    }
}

void HeaderBar::OpenManual() {
    QSettings install(QString::fromLatin1(kInstallConfig), QSettings::IniFormat);
    const QString folder = install.value(QStringLiteral("install_path")).toString();
    // No recorded folder, or one too long to be real: nothing to open.
    if (folder.isEmpty() || folder.toUtf8().size() >= 256) return;
    const QString manual = folder + QStringLiteral("tormel_manual.pdf");
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void HeaderBar::UpdateModeButton() {
    const bool meshMode = editor_ && editor_->Mode() == InteractionMode::Mesh;
    mode_->SetLatched(meshMode);
    mode_->SetDisabled(!(meshMode || (editor_ && editor_->HasSelectedSlope())));
}

void HeaderBar::paintEvent(QPaintEvent*) {
    UpdateModeButton();
    QPainter p(this);
    const int w = width(), h = height();
    p.fillRect(rect(), QColor(15, 15, 15));
    p.fillRect(QRect(1, 1, w - 2, h - 2), QColor(40, 40, 40));
    p.setPen(QColor(100, 100, 100));
    p.drawLine(1, h - 2, 1, 13);
    p.drawLine(1, 13, w - 2, 13);
    for (int i = 0; i < 12; ++i) {
        const int g = 30 - 2 * i;
        p.setPen(QColor(g, g, g));
        p.drawLine(1, 1 + i, w - 2, 1 + i);
    }
    p.setFont(toolkit::UiFont(12));
    p.setPen(QColor(200, 200, 200));
    // The text's cell has its top-left corner at (1, 1).
    p.drawText(QPoint(1, 1 + p.fontMetrics().ascent()), VersionLine());
}
