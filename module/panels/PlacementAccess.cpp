#include "panels/PlacementAccess.h"

namespace {
PlacementAccess* g_placement = nullptr;
}

PlacementAccess* CurrentPlacement() { return g_placement; }

void SetCurrentPlacement(PlacementAccess* placement) { g_placement = placement; }

RangeSource* CurrentRangeSource() { return g_placement; }

bool RefillRangeSelectors() {
    if (!g_placement) return false;
    g_placement->RefillKeepingChoices();
    return true;
}
