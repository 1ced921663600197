#pragma once
// The pane's docking menu ("popup"): five rows choosing where the pane goes,
// drawn half-transparent over a capture of the screen beneath it.

#include <QImage>
#include <QWidget>

namespace toolkit {

class PaneWindow;

class DockingMenu : public QWidget {
    Q_OBJECT
public:
    static const char* const kRows[5];

    // Opens the menu for a cursor at a screen position.
    DockingMenu(PaneWindow* pane, const QPoint& cursor);

    // The opacity (of 255) of the dark layer over the captured screen.
    static constexpr int kLayerOpacity = 128;

    int HoveredRow() const { return hovered_; }
    // The screen beneath the menu as it was when the menu opened.
    const QImage& Capture() const { return beneath_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    PaneWindow* pane_;
    QImage beneath_;
    int hovered_ = -1;
};

}  // namespace toolkit
