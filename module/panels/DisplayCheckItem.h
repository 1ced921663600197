#pragma once
// One display item of the placement panel ("CheckItem"): a check item whose
// state lives in section Check of the settings file. It reads its key when it
// is made (a missing key keeps the default given), and a click inverts it,
// tells the parent (WM_USER + 4 with its index, on which the parent stores
// the state) and makes the editor view rebuild its scene.

#include <string>

#include "panels/SessionContext.h"
#include "settings/SettingsFilePath.h"
#include "toolkit/CheckItem.h"

class DisplayCheckItem : public toolkit::CheckItem {
    Q_OBJECT
public:
    // `index` 1 to 9 selects the settings key; `settingsPath` is the file
    // read here (and written by the parent).
    DisplayCheckItem(QWidget* parent, SessionContext& context, const QPoint& origin, const QString& text, int index,
                     bool defaultChecked, const std::string& settingsPath = SettingsFilePath());

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    SessionContext& context_;
};
