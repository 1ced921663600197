#include "MainDialog.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

#include "panels/EditorViewLink.h"
#include "session/HeaderBar.h"
#include "session/ViewContainer.h"
#include "view/SlopeEditorView.h"
#include "panels/EnvironmentSettingsDialog.h"

MainDialog::MainDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MainDialog"));
    setWindowTitle(QStringLiteral("Tormel"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    header_ = new HeaderBar(this, this);
    header_->SetSettingsAction([this] {
        EnvironmentSettingsDialog dialog(this, editorLink_);
        dialog.exec();
    });
    header_->setGeometry(0, 0, 800, HeaderBar::kHeight);
    container_ = new ViewContainer(this);
    container_->setGeometry(0, HeaderBar::kHeight, 800, 600 - HeaderBar::kHeight);
    // The editor view answers the header bar and the settings dialog.
    SetEditorLink(dynamic_cast<EditorViewLink*>(container_->EditorView()));
    // A left click may select a slope or change the picks: the mesh button
    // follows at once.
    if (auto* view = qobject_cast<SlopeEditorView*>(container_->EditorView())) {
        connect(view, &SlopeEditorView::LeftButtonReleased, header_, [this] { header_->update(); });
        connect(view, &SlopeEditorView::ModeChanged, header_, [this] { header_->update(); });
    }
    resize(800, 600);
    qApp->installEventFilter(this);
}

MainDialog::~MainDialog() { qApp->removeEventFilter(this); }

void MainDialog::resizeEvent(QResizeEvent*) {
    header_->setGeometry(0, 0, width(), HeaderBar::kHeight);
    container_->setGeometry(0, HeaderBar::kHeight, width(), height() - HeaderBar::kHeight);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !RoutesKeysOf(widget->window())) return false;  // another window's keys
    QWidget* view = container_->EditorView();
    if (forwarding_) return watched != view;  // only the view sees the forwarded key
    if (event->type() == QEvent::KeyPress && view) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                       static_cast<ushort>(key->count()));
        forwarding_ = true;
        QCoreApplication::sendEvent(view, &copy);
        forwarding_ = false;
    }
    return true;
}

bool MainDialog::RoutesKeysOf(const QWidget* window) const {
    if (window == this) return true;
    // A floating pane is a window of its own but still part of the editor;
    // dialogs opened from here (the settings) keep their own keys.
    const auto& panes = container_->Layout().Panes();
    return std::find(panes.begin(), panes.end(), window) != panes.end();
}

void MainDialog::SetEditorLink(EditorViewLink* link) {
    editorLink_ = link;
    header_->SetEditor(link);
}
