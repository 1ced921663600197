#include "panels/ControlPane.h"

#include <algorithm>

#include "PostedMessage.h"
#include "panels/PlacementPanel.h"
#include "panels/RangeComboBox.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/ToolkitMessages.h"

namespace {
// The panel sits 22 pixels down and 23 pixels shorter than the pane.
constexpr int kPanelTop = 22;
constexpr int kHeightInset = 23;
}  // namespace

ControlPane::ControlPane(QWidget* parent, toolkit::LayoutManager* manager, SessionContext& context,
                         const std::string& settingsPath)
    : toolkit::PaneWindow(parent, manager, QStringLiteral("Control"), toolkit::DockSide::Left) {
    setObjectName(QStringLiteral("ControlPane"));
    panel_ = new PlacementPanel(this, context, settingsPath);
    scrollBar_ = new toolkit::ScrollBar(this, QRect(0, 0, 100, 100));
    panel_->SetMetricsListener([this](int offset, int visible, int content) {
        UpdateScrollBar(offset, visible, content);
    });
    SetContent(panel_);
    PlaceScrollBar();
    panel_->Relayout();
}

bool ControlPane::ContentFits(const QSize& size) const {
    return size.height() - kHeightInset >= panel_->ContentHeightFor(size.width() - 40);
}

bool ControlPane::ScrollBarShown() const { return scrollBar_->x() < width(); }

QRect ControlPane::ContentRect(const QSize& size) const {
    const int h = size.height() - kHeightInset;
    if (!panel_) return QRect(4, kPanelTop, size.width() - 7, h);
    // A rolled-up pane hides the panel and keeps its place and offset.
    if (IsCollapsed()) return panel_->geometry();
    return QRect(4, kPanelTop, ContentFits(size) ? size.width() - 7 : size.width() - 40, h);
}

void ControlPane::resizeEvent(QResizeEvent* event) {
    if (panel_ && !IsCollapsed()) KeepScrolledFraction();
    PlaceScrollBar();
    toolkit::PaneWindow::resizeEvent(event);  // the panel goes to ContentRect
    // A hidden panel gets its resize event only when shown; lay it out now.
    if (panel_ && !IsCollapsed()) panel_->Relayout();
}

void ControlPane::KeepScrolledFraction() {
    const QRect target = ContentRect(size());
    const int oldOffset = panel_->Offset();
    const int oldVisible = panel_->height();
    const int oldContent = panel_->ContentHeight();
    const int newContent = panel_->ContentHeightFor(target.width());
    int offset = 0;
    if (oldVisible != oldContent)
        offset = static_cast<int>(static_cast<long long>(target.height() - newContent) * oldOffset /
                                  (oldVisible - oldContent));
    panel_->SetOffset(std::clamp(offset, std::min(0, target.height() - newContent), 0));
}

void ControlPane::PlaceScrollBar() {
    if (!scrollBar_) return;
    const int cx = width(), cy = height();
    if (!panel_ || IsCollapsed() || ContentFits(size())) {
        scrollBar_->setGeometry(cx + 20, 20, 20, cy - 28);  // out of sight
    } else {
        scrollBar_->setGeometry(cx - 23, 24, 20, cy - 28);
        scrollBar_->update();
    }
}

void ControlPane::UpdateScrollBar(int offset, int visible, int content) {
    scrollBar_->SetMetrics(-offset, visible, content);
}

bool ControlPane::HandleWheel(int delta, const QPoint&) {
    // An open list scrolls itself and takes the turn.
    for (RangeComboBox* box : panel_->Boxes())
        if (box->OfferWheel(delta)) return true;
    if (panel_->ScrollByWheel(delta)) {
        scrollBar_->update();
        for (QWidget* child : panel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->update();
    }
    return true;
}

bool ControlPane::event(QEvent* event) {
    if (const auto* message = platform::AsWindowMessage(event)) {
        if (message->message == toolkit::kScrollThumbDragged) panel_->ScrollToFraction(scrollBar_->ThumbFraction());
        return true;
    }
    return toolkit::PaneWindow::event(event);
}
