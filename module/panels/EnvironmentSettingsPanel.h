#pragma once
// The panel of the environment settings dialog: edits, line type lists,
// colour buttons and the camera items in five framed groups, and the
// defaults, apply and cancel buttons.

#include <QWidget>

#include <functional>
#include <string>

#include "settings/DisplaySettings.h"
#include "settings/DisplaySettingsFile.h"

namespace toolkit {
class CheckItem;
class ColourButton;
class DropDownBox;
class NumericEdit;
class PushButton;
}  // namespace toolkit

class EnvironmentSettingsPanel : public QWidget {
    Q_OBJECT
public:
    enum ButtonCode { kApply = 1, kCancel = 2, kDefaults = 3 };

    // Fills the controls from the settings in effect and the view's own
    // preferences. `apply` runs after the settings were written; `finish`
    // ends the dialog with its result (1 applied, 2 cancelled).
    EnvironmentSettingsPanel(QWidget* parent, const DisplaySettings& settings, const ViewPreferences& view,
                             std::string settingsPath, std::function<void()> apply,
                             std::function<void(int)> finish);

    // The controls' texts and values as they stand.
    DisplaySettingsTexts Texts() const;
    void ApplySettings();
    void RestoreDefaultSettings();

    toolkit::NumericEdit* nodeSize = nullptr;
    toolkit::NumericEdit* ridgeWidth = nullptr;
    toolkit::DropDownBox* ridgeType = nullptr;
    toolkit::NumericEdit* gridWidth = nullptr;
    toolkit::DropDownBox* gridType = nullptr;
    toolkit::NumericEdit* gridOrigin[3] = {nullptr, nullptr, nullptr};
    toolkit::NumericEdit* gridSpacing = nullptr;
    toolkit::NumericEdit* gridCount[2] = {nullptr, nullptr};
    toolkit::ColourButton* colours[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};
    toolkit::CheckItem* inheritPosition = nullptr;
    toolkit::NumericEdit* perspectiveAngle = nullptr;
    toolkit::PushButton* buttons[3] = {nullptr, nullptr, nullptr};  // defaults, apply, cancel

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void Fill(const DisplaySettings& settings, const ViewPreferences& view);

    std::string settingsPath_;
    std::function<void()> apply_;
    std::function<void(int)> finish_;
};
