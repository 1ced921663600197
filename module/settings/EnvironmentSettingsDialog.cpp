#include "EnvironmentSettingsDialog.h"

#include "session/EditorViewLink.h"
#include "settings/DisplaySettingsFile.h"
#include "settings/EnvironmentSettingsPanel.h"

EnvironmentSettingsDialog::EnvironmentSettingsDialog(QWidget* parent, EditorViewLink* view,
                                                     const std::string& settingsPath)
    : QDialog(parent) {
    setObjectName(QStringLiteral("EnvironmentSettingsDialog"));
    setWindowTitle(QStringLiteral("環境設定"));
    DisplaySettings settings = CurrentDisplaySettings();
    ViewPreferences preferences;
    if (view) {
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

void EnvironmentSettingsDialog::resizeEvent(QResizeEvent*) { panel_->setGeometry(rect()); }
