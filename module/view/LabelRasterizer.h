#pragma once
// Turns label text into the monochrome bitmaps labels are drawn with.

#include <cstdint>
#include <string>
#include <vector>

// One line of text as a bitmap: `height` rows from the bottom up, each
// width / 8 bytes, most significant bit leftmost; width is a multiple of 32.
struct LabelBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bits;
};

class LabelRasterizer {
public:
    virtual ~LabelRasterizer() = default;
    virtual const LabelBitmap& Rasterize(const std::string& utf8Line) = 0;
    virtual int LineHeight() const = 0;
};
