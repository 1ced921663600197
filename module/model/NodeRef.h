#pragma once
#include <cstdint>

#include "model/LayerCode.h"

// One node of the model: the layer it is taken on and its node number.
struct NodeRef {
    LayerCode layer = 0;
    int32_t node = 0;

    friend constexpr bool operator==(const NodeRef&, const NodeRef&) = default;
};
