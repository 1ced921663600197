#pragma once
// Text drawn at a 3D position as white bitmaps, line by line (lighting must
// be off); white stays the current colour afterwards.

#include <array>
#include <string>

#include "model/Vec3d.h"
#include "view/LabelRasterizer.h"

enum class LabelAnchor {
    TopLeft,       // lines hang below the position
    BottomCentre,  // the last line sits on the position, centred 13 pixels left
};

// Splits `text` at "\n" (a trailing "\r" of a line is dropped, empty lines
// skipped) and draws each line with glBitmap, in `rgb` (white unless told).
void DrawLabel(LabelRasterizer& rasterizer, const Vec3d& position, const std::string& text, LabelAnchor anchor,
               const std::array<float, 3>& rgb = {1.0f, 1.0f, 1.0f});
