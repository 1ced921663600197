#pragma once
// Sections init, Glid, Color and Camera of Vorna3D.ini: the 18 display keys.

#include <string>

#include "settings/DisplaySettings.h"
#include "settings/SettingsFilePath.h"
#include "settings/SettingsResult.h"

// Names of the line types in the environment settings dialog's combo boxes,
// in code order 0, 1, 2.
inline constexpr const char* kLineTypeNames[3] = {"ｿﾘｯﾄﾞ", "ﾄﾞｯﾄ", "ｻｾﾝ"};

// What the environment settings dialog hands over on apply: the texts of its
// edit boxes and combo boxes as they stand, its colour buttons' values and
// its inherit-position check item.
struct DisplaySettingsTexts {
    std::string nodeWidth;      // NodeWidth
    std::string lineWidth;      // LineWidth
    std::string lineType;       // LineType, one of kLineTypeNames
    std::string gridWidth;      // GlidWidth
    std::string gridType;       // GlidType, one of kLineTypeNames
    std::string gridPosX;       // GlidPosX
    std::string gridPosY;       // GlidPosY
    std::string gridPosZ;       // GlidPosZ
    std::string gridSpacing;    // GlidSpsWidth
    std::string gridCountX;     // GlidSpsX
    std::string gridCountY;     // GlidSpsY
    Colour backgroundColour = 0;  // BGACOLOR
    Colour nodeColour = 0;        // NODECOLOR
    Colour lineColour = 0;        // LINECOLOR
    Colour gridColour = 0;        // GLIDCOLOR
    Colour textColour = 0;        // TEXTCOLOR
    bool inheritPosition = false;  // RePos
    std::string perspectiveAngle;  // PSPTV, clamped before it is written
};

// Reads the file once and the 18 keys from it into `settings` and `view`. A
// missing key (or file) keeps the current value; present texts convert like
// atoi/atof/atol, floats are narrowed to 32 bits, nothing is range-checked.
// A file that exists but cannot be read changes nothing and answers
// Unreadable with a message to show; every later save then refuses to
// replace that file.
SettingsResult LoadDisplaySettings(DisplaySettings& settings, ViewPreferences& view,
                                   const std::string& path = SettingsFilePath());

// Writes the 18 keys with one replace of the file (other sections and lines
// kept). Edit texts go out as typed; a line type name becomes "0", "1" or
// "2" (any other text, the empty one of a list without a choice, is written
// as the empty text); colours and RePos as decimal integers; PSPTV as
// ClampPerspectiveAngle with one decimal. On failure (unknown path,
// unreadable file, failed write) no key is written and the result carries
// the message to show.
SettingsResult SaveDisplaySettings(const DisplaySettingsTexts& texts,
                                   const std::string& path = SettingsFilePath());

// The perspective angle a PSPTV edit text is stored as: atof narrowed to 32
// bits; above 200.0 it becomes 199.9, then below 0.1 it becomes 1.0.
float ClampPerspectiveAngle(const std::string& text);

// The line type code of a combo box text ("ｿﾘｯﾄﾞ" 0, "ﾄﾞｯﾄ" 1, "ｻｾﾝ" 2; 0 for any
// other text).
LineTypeCode LineTypeOfName(const std::string& name);
