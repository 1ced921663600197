#include "EnvironmentSettingsDialog.h"

#include <QKeyEvent>

#include "panels/EditorViewLink.h"
#include "settings/DisplaySettingsFile.h"
#include "panels/EnvironmentSettingsPanel.h"

EnvironmentSettingsDialog::EnvironmentSettingsDialog(QWidget* parent, EditorViewLink* view,
                                                     const std::string& settingsPath)
    : QDialog(parent) {
    setObjectName(QStringLiteral("EnvironmentSettingsDialog"));
    setWindowTitle(QStringLiteral("環境設定"));
    DisplaySettings settings;
    ViewPreferences preferences;
    if (view) {
        settings = view->Settings();
        preferences = view->Preferences();
    } else {
        LoadDisplaySettings(settings, preferences, settingsPath);
    }
    panel_ = new EnvironmentSettingsPanel(
        this, settings, preferences, settingsPath,
        [view] {
            if (view) view->ReloadDisplaySettings();
        },
        [this](int result) { done(result); });
    resize(510, 380);
}

void EnvironmentSettingsDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->key() == Qt::Key_Enter && event->modifiers() == Qt::KeypadModifier);
    if (enter && plain) {
        // The default button is the dialog's OK (id 1), which ends the dialog;
        // the panel's 適用 button is not it.
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void EnvironmentSettingsDialog::reject() { done(EnvironmentSettingsPanel::kCancel); }

void EnvironmentSettingsDialog::resizeEvent(QResizeEvent*) { panel_->setGeometry(rect()); }
