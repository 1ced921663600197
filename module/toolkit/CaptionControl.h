#pragma once
// The three small controls at the right end of a pane's caption strip: the
// docking menu, the collapse toggle and the close control. A click is a
// release less than 2 pixels from the press in both directions.

#include <QWidget>

namespace toolkit {

class PaneWindow;

class CaptionControl : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Docking, Collapse, Close };
    static constexpr int kSize = 16;

    CaptionControl(PaneWindow* pane, Kind kind);
    Kind ControlKind() const { return kind_; }
    bool IsHover() const { return hover_; }
    void ResetState();

protected:
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    PaneWindow* pane_;
    Kind kind_;
    bool hover_ = false;
    bool pressed_ = false;
    QPoint pressAt_;
};

}  // namespace toolkit
