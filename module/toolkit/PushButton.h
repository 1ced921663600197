#pragma once
// The owner-drawn push button ("btn"). A press and a release over the button
// post WM_USER + 3 with its code to the parent; dragging off before the
// release, or a disabled button, posts nothing.

#include <QImage>
#include <QWidget>

namespace toolkit {

class PushButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kReleasedMessage = 1024 + 3;

    PushButton(QWidget* parent, const QRect& rect, int code, const QString& text = {},
               QImage picture = {}, QImage latchedPicture = {});

    int Code() const { return code_; }
    bool IsHover() const { return hover_; }
    bool IsPressed() const { return pressed_; }
    bool IsLatched() const { return latched_; }
    bool IsDisabled() const { return disabled_; }
    void SetLatched(bool latched);
    void SetDisabled(bool disabled);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    void SetPressed(bool pressed);

    int code_;
    QString text_;
    QImage picture_;
    QImage latchedPicture_;
    bool hover_ = false;
    bool pressed_ = false;
    bool latched_ = false;
    bool disabled_ = false;
};

}  // namespace toolkit
