#pragma once
#include <string>

// The settings file Vorna3D.ini beside the host executable (not beside the
// module). Computed afresh on every call; "" when the executable's folder is
// unknown, which makes every read answer its default and every write fail.
std::string SettingsFilePath();
