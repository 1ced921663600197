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
    // Enter outside an edit is the dialog's own OK: it closes the dialog with
    // result 1 and applies nothing (only 適用 writes). Inside an edit Enter
    // moves the focus on.
    void keyPressEvent(QKeyEvent* event) override;
    // Escape and the close box end the dialog with result 2, as ｷｬﾝｾﾙ does,
    // and write nothing.
    void reject() override;
    void resizeEvent(QResizeEvent*) override;

private:
    EnvironmentSettingsPanel* panel_;
};
