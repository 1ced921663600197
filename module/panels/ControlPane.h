#pragma once
// The Control pane: holds the placement panel and the scroll bar that
// appears beside it when the panel's content is taller than the pane. A
// wheel turn goes first to an open list of a range selector, otherwise it
// scrolls the panel by 10 pixels.

#include <string>

#include "settings/SettingsFilePath.h"
#include "toolkit/PaneWindow.h"

class PlacementPanel;
struct SessionContext;
namespace toolkit {
class ScrollBar;
}

class ControlPane : public toolkit::PaneWindow {
    Q_OBJECT
public:
    ControlPane(QWidget* parent, toolkit::LayoutManager* manager, SessionContext& context,
                const std::string& settingsPath = SettingsFilePath());

    PlacementPanel* Panel() const { return panel_; }
    toolkit::ScrollBar* Bar() const { return scrollBar_; }
    // Whether the scroll bar is placed inside the pane.
    bool ScrollBarShown() const;

    bool HandleWheel(int delta, const QPoint& globalPos) override;

protected:
    QRect ContentRect(const QSize& size) const override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Whether the panel's content fits a pane of this size without a bar.
    bool ContentFits(const QSize& size) const;
    // Before the panel is resized: rescales its offset so that the same
    // fraction of the scrollable range stays above the view.
    void KeepScrolledFraction();
    void PlaceScrollBar();
    void UpdateScrollBar(int offset, int visible, int content);

    PlacementPanel* panel_ = nullptr;
    toolkit::ScrollBar* scrollBar_ = nullptr;
};
