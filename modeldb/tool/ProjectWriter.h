// Writes a checked building description into the open project through the
// model database library, record by record as the editor would write them.
#ifndef TEVA_PROJECTWRITER_H
#define TEVA_PROJECTWRITER_H

#include "BuildingDescription.h"

#include <string>

namespace teva {

// The open project must be new (no storeys, names or records yet). Writes
// storeys, axes (line ids 1 ... in description order), levels and slopes,
// then recomputes the model. Answers false with a one-line `error` when the
// library refuses a call.
bool writeDescription(const BuildingDescription& d, const ResolvedDescription& r, std::string& error);

} // namespace teva

#endif
