#pragma once
// The environment settings dialog ("環境設定"): every display preference,
// written to the settings file on 適用 and then reloaded by the editor view.

#include <QDialog>

#include <string>

#include "settings/SettingsFilePath.h"

class EditorViewLink;
class EnvironmentSettingsPanel;

class EnvironmentSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Without a view the dialog starts from the settings file's values.
    EnvironmentSettingsDialog(QWidget* parent, EditorViewLink* view,
                              const std::string& settingsPath = SettingsFilePath());

    EnvironmentSettingsPanel* Panel() const { return panel_; }

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    EnvironmentSettingsPanel* panel_;
};
