#pragma once
#include <string>

namespace platform {

// The folder of the running executable, with a trailing '/'; "" when the
// system will not tell. Libraries and the settings file are looked for only
// here, never on the search path or in the current directory.
std::string ExecutableDirectory();

}  // namespace platform
