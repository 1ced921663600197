#pragma once
// A button showing a colour ("colobtn"); a click opens the colour chooser,
// and the chosen colour replaces it. Colours are 0x00BBGGRR.

#include <QWidget>

#include <cstdint>

namespace toolkit {

class ColourButton : public QWidget {
    Q_OBJECT
public:
    ColourButton(QWidget* parent, const QRect& rect, uint32_t colour);

    uint32_t Colour() const { return colour_; }
    void SetColour(uint32_t colour);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    uint32_t colour_;
    bool pressed_ = false;
};

}  // namespace toolkit
