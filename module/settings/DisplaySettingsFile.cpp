#include "settings/DisplaySettingsFile.h"

#include <variant>

#include "mesh/NumberText.h"
#include "settings/ProfileValue.h"

namespace {

// The reader's buffer: 128 characters with the terminator.
constexpr size_t kValueBuffer = 128;

// How a key's text is read and written.
enum class Format {
    Int,       // atoi; written as typed
    Float,     // atof narrowed to 32 bits; written as typed
    LineType,  // atoi; written as the code of the combo box text
    Colour,    // atol taken as the bit pattern; written "%d"
    Flag,      // atol > 0; written "0" or "1"
    Angle,     // atof; written clamped with one decimal
};

// Where a key is read into.
using Field = std::variant<int32_t DisplaySettings::*, float DisplaySettings::*,
                           Colour DisplaySettings::*, bool ViewPreferences::*,
                           float ViewPreferences::*>;
// What a key is written from.
using Source = std::variant<std::string DisplaySettingsTexts::*, Colour DisplaySettingsTexts::*,
                            bool DisplaySettingsTexts::*>;

struct Key {
    const char* section;
    const char* key;
    Format format;
    Field field;
    Source source;
};

// The 18 keys in file order; the initial values of DisplaySettings and
// ViewPreferences are what a missing key leaves in place.
const Key kKeys[] = {
    {"init", "NodeWidth", Format::Int, &DisplaySettings::nodeSize, &DisplaySettingsTexts::nodeWidth},
    {"init", "LineWidth", Format::Float, &DisplaySettings::ridgeLineWidth,
     &DisplaySettingsTexts::lineWidth},
    {"init", "LineType", Format::LineType, &DisplaySettings::ridgeLineType,
     &DisplaySettingsTexts::lineType},
    {"Glid", "GlidWidth", Format::Float, &DisplaySettings::gridLineWidth,
     &DisplaySettingsTexts::gridWidth},
    {"Glid", "GlidType", Format::LineType, &DisplaySettings::gridLineType,
     &DisplaySettingsTexts::gridType},
    {"Glid", "GlidPosX", Format::Float, &DisplaySettings::gridOriginX, &DisplaySettingsTexts::gridPosX},
    {"Glid", "GlidPosY", Format::Float, &DisplaySettings::gridOriginY, &DisplaySettingsTexts::gridPosY},
    {"Glid", "GlidPosZ", Format::Float, &DisplaySettings::gridOriginZ, &DisplaySettingsTexts::gridPosZ},
    {"Glid", "GlidSpsWidth", Format::Float, &DisplaySettings::gridSpacing,
     &DisplaySettingsTexts::gridSpacing},
    {"Glid", "GlidSpsX", Format::Int, &DisplaySettings::gridCountX, &DisplaySettingsTexts::gridCountX},
    {"Glid", "GlidSpsY", Format::Int, &DisplaySettings::gridCountY, &DisplaySettingsTexts::gridCountY},
    {"Color", "BGACOLOR", Format::Colour, &DisplaySettings::backgroundColour,
     &DisplaySettingsTexts::backgroundColour},
    {"Color", "NODECOLOR", Format::Colour, &DisplaySettings::nodeColour,
     &DisplaySettingsTexts::nodeColour},
    {"Color", "LINECOLOR", Format::Colour, &DisplaySettings::ridgeLineColour,
     &DisplaySettingsTexts::lineColour},
    {"Color", "GLIDCOLOR", Format::Colour, &DisplaySettings::gridColour,
     &DisplaySettingsTexts::gridColour},
    {"Color", "TEXTCOLOR", Format::Colour, &DisplaySettings::textColour,
     &DisplaySettingsTexts::textColour},
    {"Camera", "RePos", Format::Flag, &ViewPreferences::inheritCameraPosition,
     &DisplaySettingsTexts::inheritPosition},
    {"Camera", "PSPTV", Format::Angle, &ViewPreferences::perspectiveAngle,
     &DisplaySettingsTexts::perspectiveAngle},
};

// The number a key's text stands for, as its format reads it.
double NumberOf(Format format, const std::string& text) {
    switch (format) {
        case Format::Float:
        case Format::Angle: return textnum::AtoF(text);
        case Format::Flag: return textnum::AtoL(text) > 0 ? 1.0 : 0.0;
        default: return textnum::AtoL(text);
    }
}

struct Assign {
    DisplaySettings& settings;
    ViewPreferences& view;
    Format format;
    const std::string& text;

    void operator()(int32_t DisplaySettings::*m) const { settings.*m = textnum::AtoI(text); }
    void operator()(float DisplaySettings::*m) const {
        settings.*m = static_cast<float>(NumberOf(format, text));
    }
    // atol into a 32-bit long, then taken as the colour's bit pattern.
    void operator()(Colour DisplaySettings::*m) const {
        settings.*m = static_cast<Colour>(textnum::AtoL(text));
    }
    void operator()(bool ViewPreferences::*m) const { view.*m = NumberOf(format, text) != 0.0; }
    void operator()(float ViewPreferences::*m) const {
        view.*m = static_cast<float>(NumberOf(format, text));
    }
};

// A list left without a choice (the file held an unknown code) writes the
// empty text it shows, which reads back as solid.
std::string LineTypeText(const std::string& name) {
    for (LineTypeCode code = 0; code < 3; ++code) {
        if (name == kLineTypeNames[code]) return textnum::FormatInt(code);
    }
    return std::string();
}

std::string TextOf(const Key& key, const DisplaySettingsTexts& texts) {
    if (const auto* m = std::get_if<Colour DisplaySettingsTexts::*>(&key.source)) {
        // "%d" of the colour value; every colour fits in 24 bits.
        return textnum::FormatInt(static_cast<int32_t>(texts.**m));
    }
    if (const auto* m = std::get_if<bool DisplaySettingsTexts::*>(&key.source)) {
        return texts.**m ? "1" : "0";
    }
    const std::string& text = texts.*std::get<std::string DisplaySettingsTexts::*>(key.source);
    switch (key.format) {
        case Format::LineType: return LineTypeText(text);
        case Format::Angle: return textnum::FormatFixed(ClampPerspectiveAngle(text), 1);
        default: return text;
    }
}

}  // namespace

SettingsResult LoadDisplaySettings(DisplaySettings& s, ViewPreferences& view,
                                   const std::string& path) {
    if (path.empty()) return {};
    const platform::ProfileFile file = platform::ProfileFile::Load(path);
    if (!file.LoadResult()) return settings::UnreadableResult(path, file.LoadResult().reason);
    for (const Key& key : kKeys) {
        if (auto text = settings::KeyText(file, key.section, key.key, kValueBuffer)) {
            std::visit(Assign{s, view, key.format, *text}, key.field);
        }
    }
    return {};
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

SettingsResult SaveDisplaySettings(const DisplaySettingsTexts& texts, const std::string& path) {
    settings::SettingsBatch batch(path);
    for (const Key& key : kKeys) batch.Set(key.section, key.key, TextOf(key, texts));
    return batch.Commit();
}
