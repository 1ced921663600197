// The demo building's description, embedded in the tool when it is built
// (from modeldb/demo/demo-building.json).
#ifndef TEVA_DEMOBUILDING_H
#define TEVA_DEMOBUILDING_H

#include <string_view>

namespace teva {

std::string_view demoBuildingJson();

} // namespace teva

#endif
