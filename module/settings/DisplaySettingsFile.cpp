#include "settings/DisplaySettingsFile.h"

#include "mesh/NumberText.h"
#include "settings/ProfileValue.h"

namespace {

// The reader's buffer: 128 characters with the terminator.
constexpr size_t kValueBuffer = 128;

template <typename Assign>
void ReadInto(const std::string& path, const char* section, const char* key, Assign assign) {
    if (auto text = settings::ReadKey(path, section, key, kValueBuffer)) assign(*text);
}

void ReadInt(const std::string& path, const char* section, const char* key, int32_t& target) {
    ReadInto(path, section, key, [&](const std::string& t) { target = textnum::AtoI(t); });
}

void ReadFloat(const std::string& path, const char* section, const char* key, float& target) {
    ReadInto(path, section, key,
             [&](const std::string& t) { target = static_cast<float>(textnum::AtoF(t)); });
}

void ReadColour(const std::string& path, const char* section, const char* key, Colour& target) {
    // atol into a 32-bit long, then taken as the colour's bit pattern.
    ReadInto(path, section, key,
             [&](const std::string& t) { target = static_cast<Colour>(textnum::AtoL(t)); });
}

std::string ColourText(Colour c) {
    // "%d" of the colour value; every colour fits in 24 bits.
    return textnum::FormatInt(static_cast<int32_t>(c));
}

}  // namespace

void LoadDisplaySettings(DisplaySettings& s, ViewPreferences& view, const std::string& path) {
    ReadInt(path, "init", "NodeWidth", s.nodeSize);
    ReadFloat(path, "init", "LineWidth", s.ridgeLineWidth);
    ReadInt(path, "init", "LineType", s.ridgeLineType);
    ReadFloat(path, "Glid", "GlidWidth", s.gridLineWidth);
    ReadInt(path, "Glid", "GlidType", s.gridLineType);
    ReadFloat(path, "Glid", "GlidPosX", s.gridOriginX);
    ReadFloat(path, "Glid", "GlidPosY", s.gridOriginY);
    ReadFloat(path, "Glid", "GlidPosZ", s.gridOriginZ);
    ReadFloat(path, "Glid", "GlidSpsWidth", s.gridSpacing);
    ReadInt(path, "Glid", "GlidSpsX", s.gridCountX);
    ReadInt(path, "Glid", "GlidSpsY", s.gridCountY);
    ReadColour(path, "Color", "BGACOLOR", s.backgroundColour);
    ReadColour(path, "Color", "NODECOLOR", s.nodeColour);
    ReadColour(path, "Color", "LINECOLOR", s.ridgeLineColour);
    ReadColour(path, "Color", "GLIDCOLOR", s.gridColour);
    ReadColour(path, "Color", "TEXTCOLOR", s.textColour);
    ReadInto(path, "Camera", "RePos",
             [&](const std::string& t) { view.inheritCameraPosition = textnum::AtoL(t) > 0; });
    ReadFloat(path, "Camera", "PSPTV", view.perspectiveAngle);
}

LineTypeCode LineTypeOfName(const std::string& name) {
    for (LineTypeCode code = 0; code < 3; ++code) {
        if (name == kLineTypeNames[code]) return code;
    }
    return kLineSolid;
}

float ClampPerspectiveAngle(const std::string& text) {
    float angle = static_cast<float>(textnum::AtoF(text));
    if (angle > 200.0f) angle = 199.9f;
    if (angle < 0.1f) angle = 1.0f;
    return angle;
}

bool SaveDisplaySettings(const DisplaySettingsTexts& t, const std::string& path) {
    using settings::WriteKey;
    // A list left without a choice (the file held an unknown code) writes
    // the empty text it shows, which reads back as solid.
    auto lineType = [](const std::string& name) {
        for (LineTypeCode code = 0; code < 3; ++code) {
            if (name == kLineTypeNames[code]) return textnum::FormatInt(code);
        }
        return std::string();
    };
    bool ok = true;
    ok &= WriteKey(path, "init", "NodeWidth", t.nodeWidth);
    ok &= WriteKey(path, "init", "LineWidth", t.lineWidth);
    ok &= WriteKey(path, "init", "LineType", lineType(t.lineType));
    ok &= WriteKey(path, "Glid", "GlidWidth", t.gridWidth);
    ok &= WriteKey(path, "Glid", "GlidType", lineType(t.gridType));
    ok &= WriteKey(path, "Glid", "GlidPosX", t.gridPosX);
    ok &= WriteKey(path, "Glid", "GlidPosY", t.gridPosY);
    ok &= WriteKey(path, "Glid", "GlidPosZ", t.gridPosZ);
    ok &= WriteKey(path, "Glid", "GlidSpsWidth", t.gridSpacing);
    ok &= WriteKey(path, "Glid", "GlidSpsX", t.gridCountX);
    ok &= WriteKey(path, "Glid", "GlidSpsY", t.gridCountY);
    ok &= WriteKey(path, "Color", "BGACOLOR", ColourText(t.backgroundColour));
    ok &= WriteKey(path, "Color", "NODECOLOR", ColourText(t.nodeColour));
    ok &= WriteKey(path, "Color", "LINECOLOR", ColourText(t.lineColour));
    ok &= WriteKey(path, "Color", "GLIDCOLOR", ColourText(t.gridColour));
    ok &= WriteKey(path, "Color", "TEXTCOLOR", ColourText(t.textColour));
    ok &= WriteKey(path, "Camera", "RePos", t.inheritPosition ? "1" : "0");
    ok &= WriteKey(path, "Camera", "PSPTV",
                   textnum::FormatFixed(ClampPerspectiveAngle(t.perspectiveAngle), 1));
    return ok;
}
