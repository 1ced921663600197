#pragma once
// A captioned pane of the view container: a 20-pixel caption strip with the
// pane's text and its caption controls and, below it, one content window.
// Docked panes are arranged by the layout manager; the user rolls a pane up,
// drags its inner edges, closes it, or moves it to another side or out of
// the container through its docking menu.

#include <QImage>
#include <QWidget>

#include "PaneLayout.h"

namespace toolkit {

class CaptionControl;
class DockingMenu;
class LayoutManager;

class PaneWindow : public QWidget, public LayoutPane {
    Q_OBJECT
public:
    // With `withCaptionControls` false the caption strip has no controls
    // (the Editor pane).
    PaneWindow(QWidget* parent, LayoutManager* manager, const QString& caption, DockSide side,
               bool withCaptionControls = true);
    ~PaneWindow() override;

    // The content window, placed below the caption strip.
    void SetContent(QWidget* content);
    QWidget* Content() const { return content_; }

    void SetCollapsed(bool collapsed);
    void ToggleCollapsed() { SetCollapsed(!collapsed_); }
    void OpenDockingMenu(const QPoint& cursor);
    void CloseDockingMenu();
    DockingMenu* OpenMenu() const { return menu_; }
    void ChooseDocking(DockSide side);
    void CloseByUser();
    bool IsClosed() const { return closed_; }

    // Called by the layout manager when the pane changes place.
    void MakeFloating(const QRect& screenRect);
    void MakeDocked(QWidget* container, DockSide side, const QSize& size);
    void MakeClosed();

    // A wheel turn over the pane: true when the pane used it.
    virtual bool HandleWheel(int delta, const QPoint& globalPos);

    DockSide Side() const override { return side_; }
    bool IsDocked() const override { return side_ != DockSide::Floating && !closed_; }
    bool IsCollapsed() const override { return collapsed_; }
    PaneRect Rect() const override;
    void SetRect(const PaneRect& rect) override;

protected:
    // Where the content goes within a pane of the given size.
    virtual QRect ContentRect(const QSize& size) const;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Edges EdgesAt(const QPoint& local) const;
    void ShowOutline(const QRect& rect);
    void HideOutline();
    void PlaceCaptionControls();

    LayoutManager* manager_;
    DockSide side_;
    bool collapsed_ = false;
    bool closed_ = false;
    int openHeight_ = 200;
    QWidget* content_ = nullptr;
    CaptionControl* controls_[3] = {nullptr, nullptr, nullptr};
    DockingMenu* menu_ = nullptr;

    // A resize or a move in progress.
    Edges grabbed_;
    bool moving_ = false;
    QPoint pressGlobal_;
    QRect pressGeometry_;
    QWidget* outline_ = nullptr;
};

}  // namespace toolkit
