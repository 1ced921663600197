#include "settings/SettingsFilePath.h"

#include "ExecutablePath.h"

std::string SettingsFilePath() {
    const std::string directory = platform::ExecutableDirectory();
    // A relative "Vorna3D.ini" would land in whatever the current folder is.
    if (directory.empty()) return {};
    return directory + "Vorna3D.ini";
}
