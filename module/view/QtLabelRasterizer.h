#pragma once
// Label bitmaps drawn with the fixed-pitch Japanese font, 10 points.

#include <QFont>

#include <map>

#include "view/LabelRasterizer.h"

class QtLabelRasterizer : public LabelRasterizer {
public:
    // `dotsPerInchY` sets the font's pixel height: 10 points.
    explicit QtLabelRasterizer(double dotsPerInchY = 96.0);
    const LabelBitmap& Rasterize(const std::string& utf8Line) override;
    int LineHeight() const override { return lineHeight_; }

private:
    QFont font_;
    int lineHeight_ = 13;
    // A label's text is drawn many times (every frame for the info text), so
    // its bitmap is kept; the set of label texts of a model is small.
    std::map<std::string, LabelBitmap> cache_;
};
