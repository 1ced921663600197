#pragma once
// What the editor view and the model commands need of the placement panel:
// the six range selections (as a RangeSource) and their refill after a change
// of the model. The panel registers itself while it exists.

#include "model/EffectiveRange.h"

class PlacementAccess : public RangeSource {
public:
    // Fills the six selectors from the model again, keeping the texts chosen
    // now where the new lists still hold them; then the editor view redraws.
    virtual void RefillKeepingChoices() = 0;
};

// The placement panel of the session, or null.
PlacementAccess* CurrentPlacement();
void SetCurrentPlacement(PlacementAccess* placement);

// The panel as the renderer's range source; null while no panel exists.
RangeSource* CurrentRangeSource();

// Refills the selectors when a panel exists: true when it did.
bool RefillRangeSelectors();
