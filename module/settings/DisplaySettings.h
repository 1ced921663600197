#pragma once
// The display preferences the renderer reads and the settings file stores.

#include <cstdint>
#include <optional>

// A colour as 0x00BBGGRR: red in the low byte, then green, then blue.
using Colour = uint32_t;

constexpr Colour Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}
constexpr uint8_t RedOf(Colour c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GreenOf(Colour c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(Colour c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

// Line type of ridge and grid lines: 0 solid, 1 dotted, 2 chain. Any other
// value is drawn solid.
using LineTypeCode = int32_t;
inline constexpr LineTypeCode kLineSolid = 0;
inline constexpr LineTypeCode kLineDotted = 1;
inline constexpr LineTypeCode kLineChain = 2;

struct LineStipple {
    int factor;
    uint16_t pattern;
};

// The stipple a line type is drawn with; nothing for a solid line (stipple
// disabled), which is also the answer for every unknown code.
std::optional<LineStipple> StippleOf(LineTypeCode type);

struct DisplaySettings {
    int32_t nodeSize = 100;  // sphere radius of a node, millimetres
    float ridgeLineWidth = 1.0f;
    float gridLineWidth = 1.0f;
    float gridSpacing = 1000.0f;  // millimetres between grid lines
    int32_t gridCountX = 10;
    int32_t gridCountY = 10;
    Colour ridgeLineColour = Rgb(204, 204, 204);
    Colour nodeColour = Rgb(80, 100, 200);
    Colour gridColour = Rgb(255, 255, 255);
    Colour textColour = Rgb(255, 255, 255);
    // Outline loops of the registered slopes: fixed, never stored.
    Colour outlineColour = Rgb(100, 255, 255);
    float gridOriginX = 0.0f;
    float gridOriginY = 0.0f;
    float gridOriginZ = 0.0f;
    LineTypeCode gridLineType = kLineSolid;
    LineTypeCode ridgeLineType = kLineSolid;
    Colour backgroundColour = Rgb(0, 0, 0);
};

// The two preferences the editor view keeps itself; each view starts from
// these values and then loads the file.
struct ViewPreferences {
    bool inheritCameraPosition = false;  // restore the saved camera at start
    float perspectiveAngle = 40.0f;      // vertical field of view, degrees
};
