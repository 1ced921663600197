#pragma once
// A vertical scroll bar of the dark style ("scrol"). Its owner tells it the
// offset, the visible height and the content height; dragging the thumb posts
// WM_USER to the parent, which reads the thumb's place back as a fraction.

#include <QWidget>

namespace toolkit {

class ScrollBar : public QWidget {
    Q_OBJECT
public:
    ScrollBar(QWidget* parent, const QRect& rect);

    void SetMetrics(int offset, int visible, int content);
    // The thumb's place within the free track: 0 at the top, 1 at the bottom.
    double ThumbFraction() const;
    int ThumbLength() const;
    int ThumbTop() const { return thumbTop_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void PlaceThumb();

    int offset_ = 0;
    int visible_ = 1;
    int content_ = 1;
    int thumbTop_ = 0;
    bool dragging_ = false;
    int grabY_ = 0;
};

}  // namespace toolkit
