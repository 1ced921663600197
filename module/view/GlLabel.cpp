#include "GlLabel.h"

#include <GL/gl.h>

#include <vector>

namespace {
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}
}  // namespace

void DrawLabel(LabelRasterizer& rasterizer, const Vec3d& position, const std::string& text, LabelAnchor anchor,
               const std::array<float, 3>& rgb) {
    const std::vector<std::string> lines = Lines(text);
    const int n = static_cast<int>(lines.size());
    const int lineHeight = rasterizer.LineHeight();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The colour is latched by the raster position and stays current
    // afterwards.
    glColor3f(rgb[0], rgb[1], rgb[2]);
    for (int i = 1; i <= n; ++i) {
        const LabelBitmap& bitmap = rasterizer.Rasterize(lines[static_cast<size_t>(i - 1)]);
        if (bitmap.bits.empty()) continue;
        float xorig = 0.0f, yorig = 0.0f;
        if (anchor == LabelAnchor::TopLeft) {
            yorig = static_cast<float>(i * lineHeight);
        } else {
            xorig = static_cast<float>(bitmap.width / 2 - 13);
            yorig = static_cast<float>((i - n) * lineHeight);
        }
        // Each line starts at the label's position: the raster position
        // moves only by the bitmaps' zero advance.
        glRasterPos3d(position.x, position.y, position.z);
        glBitmap(bitmap.width, bitmap.height, xorig, yorig, 0.0f, 0.0f, bitmap.bits.data());
    }
}
