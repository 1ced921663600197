#pragma once
// A captioned pane of the view container: a 20-pixel caption strip with the
// pane's text and, below it, one content window.

#include <QWidget>

#include "PaneLayout.h"

namespace toolkit {

class PaneWindow : public QWidget, public LayoutPane {
    Q_OBJECT
public:
    PaneWindow(QWidget* parent, const QString& caption, DockSide side);

    // The content window, placed at (4, 24) and (width - 7) × (height - 27).
    void SetContent(QWidget* content);
    QWidget* Content() const { return content_; }

    // Rolls the pane up to its caption or back to its last open height.
    void SetCollapsed(bool collapsed);

    DockSide Side() const override { return side_; }
    bool IsDocked() const override { return side_ != DockSide::Floating; }
    bool IsCollapsed() const override { return collapsed_; }
    PaneRect Rect() const override;
    void SetRect(const PaneRect& rect) override;

protected:
    // Where the content goes within a pane of the given size.
    virtual QRect ContentRect(const QSize& size) const;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    DockSide side_;
    bool collapsed_ = false;
    int openHeight_ = 0;
    QWidget* content_ = nullptr;
};

}  // namespace toolkit
