#pragma once
// What the editor view and the model commands need of the placement panel:
// the six range selections (as a RangeSource) and their refill after a change
// of the model.

#include <initializer_list>

#include "model/EffectiveRange.h"

class PlacementAccess : public RangeSource {
public:
    // Fills the six selectors from the model again, keeping the texts chosen
    // now where the new lists still hold them; then the editor view redraws.
    virtual void RefillKeepingChoices() = 0;
    // Unchecks display items (1 to 9) for this session only: the settings
    // file keeps their saved states.
    virtual void TurnItemsOff(std::initializer_list<int> items) { (void)items; }
};
