#pragma once
// The Camera pane's content ("GLCameraView"): shows the 250-pixel buttons
// view and, when the pane is shorter, a scroll bar beside it. The wheel and
// the scroll bar move the buttons view by an offset between
// -(250 - height) and 0.

#include <QWidget>

#include <string>

class CameraButtonsView;
struct SessionContext;
namespace toolkit {
class ScrollBar;
}

class CameraScroller : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRelayoutMessage = 1024 + 9;

    CameraScroller(QWidget* parent, SessionContext& context, const std::string& settingsPath);

    CameraButtonsView* ButtonsView() const { return buttons_; }
    toolkit::ScrollBar* Bar() const { return scrollBar_; }
    int Offset() const { return offset_; }
    // Whether the scroll bar is placed inside the scroller.
    bool ScrollBarShown() const;

    // One wheel notch: 10 pixels up (delta > 0) or down.
    void ScrollByWheel(int delta);
    // Places the buttons view and the scroll bar for the current size.
    void Relayout();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    CameraButtonsView* buttons_ = nullptr;
    toolkit::ScrollBar* scrollBar_ = nullptr;
    int offset_ = 0;
};
