#include "EnvironmentSettingsDialog.h"

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

void EnvironmentSettingsDialog::resizeEvent(QResizeEvent*) { panel_->setGeometry(rect()); }
