#pragma once
// The Camera pane: fixed views of the editor view's camera and the choice of
// projection, in a scroller that the wheel moves.

#include <string>

#include "settings/SettingsFilePath.h"
#include "toolkit/PaneWindow.h"

class CameraScroller;
struct SessionContext;

class CameraPane : public toolkit::PaneWindow {
    Q_OBJECT
public:
    CameraPane(QWidget* parent, toolkit::LayoutManager* manager, SessionContext& context,
               const std::string& settingsPath = SettingsFilePath());

    CameraScroller* Scroller() const { return scroller_; }

    bool HandleWheel(int delta, const QPoint& globalPos) override;

private:
    CameraScroller* scroller_ = nullptr;
};
