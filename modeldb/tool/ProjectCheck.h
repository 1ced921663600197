// The tool's own consistency checks of the open project, beyond the
// library's teva_check: records that refer to names, storeys, levels, axes
// and edges that exist, and a topology that agrees with the records.
#ifndef TEVA_PROJECTCHECK_H
#define TEVA_PROJECTCHECK_H

#include <string>
#include <vector>

namespace teva {

// Recomputes the model (DB_restruct) and answers every problem found, one
// line each; empty when the project is consistent.
std::vector<std::string> checkProjectConsistency();

// teva_check's problems (its message split into lines) followed by
// checkProjectConsistency's.
std::vector<std::string> checkProject();

} // namespace teva

#endif
