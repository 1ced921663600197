// The tool's own consistency checks of the open project. The library's
// teva_check checks the records against each other (names, points, edges,
// layers and axes that exist); these check what it does not see: the model
// the library derives from the records (the layer list, slope outlines and
// planes) and the slope fields it does not read (bottom and top axes).
#ifndef TEVA_PROJECTCHECK_H
#define TEVA_PROJECTCHECK_H

#include <string>
#include <vector>

namespace teva {

// Recomputes the model (DB_restruct) and answers every problem found, one
// line each; empty when the project is consistent. `recordsSound`: the
// library's check found no problem, so the layer list must hold every
// storey, level and slope (otherwise the library leaves the faulty ones
// out, and has said why).
std::vector<std::string> checkProjectConsistency(bool recordsSound = true);

// teva_check's problems (its message split into lines) followed by
// checkProjectConsistency's.
std::vector<std::string> checkProject();

} // namespace teva

#endif
