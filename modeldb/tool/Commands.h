// The teva commands. Each answers the process exit status: 0 done, 1 failed
// (one line on stderr), 2 wrong usage.
#ifndef TEVA_COMMANDS_H
#define TEVA_COMMANDS_H

#include <string>
#include <vector>

namespace teva {

int runTeva(const std::vector<std::string>& args);

// The text `teva --help` prints.
std::string usageText();

} // namespace teva

#endif
