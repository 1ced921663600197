// The integrity check of an open project (teva_check).
#pragma once

#include <string>
#include <vector>

namespace teva {

class Project;

// Problems of the database and of the records, one line each; empty when
// the project is sound. Reads only.
std::vector<std::string> checkProject(Project& project);

} // namespace teva
