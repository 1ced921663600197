#include "settings/CameraPersistence.h"

#include "mesh/NumberText.h"
#include "settings/ProfileValue.h"

namespace {

constexpr const char* kSection = "CameraPos";
constexpr size_t kValueBuffer = 512;

template <typename T>
void ReadNumber(const platform::ProfileFile& file, const char* key, T& target) {
    if (auto text = settings::KeyText(file, kSection, key, kValueBuffer)) {
        target = static_cast<T>(textnum::AtoF(*text));
    }
}

}  // namespace

SettingsResult SaveCameraPosition(const CameraPosition& c, bool inheritPosition,
                                  const std::string& path) {
    if (!inheritPosition) return {};
    settings::SettingsBatch batch(path);
    batch.SetFixed(kSection, "pointX", c.targetX, 1);
    batch.SetFixed(kSection, "pointY", c.targetY, 1);
    batch.SetFixed(kSection, "pointZ", c.targetZ, 1);
    batch.SetFixed(kSection, "cH", c.azimuth, 1);
    batch.SetFixed(kSection, "cG", c.elevation, 1);
    batch.SetFixed(kSection, "cZ", c.distance, 1);
    batch.Set(kSection, "TOUEI", c.parallel ? "1" : "0");
    return batch.Commit();
}

void LoadCameraPosition(CameraPosition& c, const std::string& path) {
    if (path.empty()) return;
    const platform::ProfileFile file = platform::ProfileFile::Load(path);
    ReadNumber(file, "pointX", c.targetX);
    ReadNumber(file, "pointY", c.targetY);
    ReadNumber(file, "pointZ", c.targetZ);
    ReadNumber(file, "cH", c.azimuth);
    ReadNumber(file, "cG", c.elevation);
    ReadNumber(file, "cZ", c.distance);
    if (auto text = settings::KeyText(file, kSection, "TOUEI", kValueBuffer)) {
        c.parallel = textnum::AtoL(*text) != 0;
    }
}
