#include "view/CameraPersistence.h"

#include "mesh/NumberText.h"
#include "settings/ProfileValue.h"

namespace {

constexpr const char* kSection = "CameraPos";
constexpr size_t kValueBuffer = 512;

template <typename T>
void ReadNumber(const std::string& path, const char* key, T& target) {
    if (auto text = settings::ReadKey(path, kSection, key, kValueBuffer)) {
        target = static_cast<T>(textnum::AtoF(*text));
    }
}

}  // namespace

bool SaveCameraPosition(const CameraPosition& c, bool inheritPosition, const std::string& path) {
    if (!inheritPosition) return true;
    using settings::WriteKey;
    using textnum::FormatFixed;
    bool ok = true;
    ok &= WriteKey(path, kSection, "pointX", FormatFixed(c.targetX, 1));
    ok &= WriteKey(path, kSection, "pointY", FormatFixed(c.targetY, 1));
    ok &= WriteKey(path, kSection, "pointZ", FormatFixed(c.targetZ, 1));
    ok &= WriteKey(path, kSection, "cH", FormatFixed(c.azimuth, 1));
    ok &= WriteKey(path, kSection, "cG", FormatFixed(c.elevation, 1));
    ok &= WriteKey(path, kSection, "cZ", FormatFixed(c.distance, 1));
    ok &= WriteKey(path, kSection, "TOUEI", c.parallel ? "1" : "0");
    return ok;
}

void LoadCameraPosition(CameraPosition& c, const std::string& path) {
    ReadNumber(path, "pointX", c.targetX);
    ReadNumber(path, "pointY", c.targetY);
    ReadNumber(path, "pointZ", c.targetZ);
    ReadNumber(path, "cH", c.azimuth);
    ReadNumber(path, "cG", c.elevation);
    ReadNumber(path, "cZ", c.distance);
    if (auto text = settings::ReadKey(path, kSection, "TOUEI", kValueBuffer)) {
        c.parallel = textnum::AtoL(*text) != 0;
    }
}
