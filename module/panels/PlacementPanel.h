#pragma once
// The content of the Control pane ("GLPlaceView"): the six range selectors
// that choose the part of the building the editor view works on, and the
// nine display items. Wide panels (170 pixels and more) arrange the
// selectors like a small plan, narrow ones stack them. The panel scrolls
// vertically by an offset (0 or less) that its pane drives.

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "panels/PlacementAccess.h"
#include "panels/SessionContext.h"
#include "panels/RangeChoices.h"
#include "settings/DisplayItemStates.h"
#include "settings/SettingsFilePath.h"

class DisplayCheckItem;
class RangeComboBox;

class PlacementPanel : public QWidget, public PlacementAccess, public DisplayItemSource {
    Q_OBJECT
public:
    static constexpr int kTopMargin = 20;
    // Below this width the selectors are stacked.
    static constexpr int kWideWidth = 170;

    // Creates the selectors, then the display items (reading their states
    // from `settingsPath`), then fills the selectors from the model. The
    // panel puts itself in `context` as its placement and its display items
    // while it exists.
    PlacementPanel(QWidget* parent, SessionContext& context, std::string settingsPath = SettingsFilePath());
    ~PlacementPanel() override;

    RangeComboBox* Box(RangeBox box) const { return boxes_[static_cast<int>(box) - 1]; }
    const std::array<RangeComboBox*, kRangeBoxCount>& Boxes() const { return boxes_; }
    // Display item 1 to 9.
    DisplayCheckItem* Item(int index) const { return items_[index - 1]; }

    // Fills the selectors from the model, keeping earlier texts the new lists
    // still hold. Returns true.
    bool Fill(const EarlierSelections& earlier);
    // The texts the selectors show now.
    EarlierSelections CurrentTexts() const;

    int Offset() const { return offset_; }
    int ContentHeight() const { return contentHeight_; }
    // The content height the layout would give at `width`, moving nothing.
    int ContentHeightFor(int width) const;
    // Sets the offset without laying out (the pane does before a resize).
    void SetOffset(int offset) { offset_ = offset; }
    // Places the selectors and items for the current width and offset.
    void Relayout();
    // One wheel notch: 10 pixels up (delta > 0) or down, kept between the
    // bottom of the content and the top. True when the offset changed.
    bool ScrollByWheel(int delta);
    // The scroll bar's thumb at fraction `r` of its free track.
    void ScrollToFraction(double r);

    // Told the offset, the visible height and the content height after
    // every layout (the pane's scroll bar).
    void SetMetricsListener(std::function<void(int, int, int)> listener) { metricsListener_ = std::move(listener); }

    // RangeSource, PlacementAccess, DisplayItemSource.
    bool RangeShown() const override;
    int32_t SelectionCode(RangeSelection which) const override;
    void RefillKeepingChoices() override;
    bool IsItemChecked(int index) const override;
    void TurnItemsOff(std::initializer_list<int> items) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    struct Arrangement {
        std::array<QRect, kRangeBoxCount> boxes;  // by control code - 1
        std::array<QPoint, display_items::kCount> items;
        int contentHeight = 0;
    };
    Arrangement Arrange(int width, int offset) const;

    SessionContext& context_;
    std::string settingsPath_;
    std::array<RangeComboBox*, kRangeBoxCount> boxes_{};
    std::array<DisplayCheckItem*, display_items::kCount> items_{};
    bool filledFromModel_ = false;
    int offset_ = 0;
    int contentHeight_ = 0;
    std::function<void(int, int, int)> metricsListener_;
};
