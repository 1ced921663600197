#pragma once
// The four small dialogs of mesh mode, behind one interface so the commands
// stay testable: the view asks the installed set; the session installs the
// Qt dialogs, tests a scripted set. Each answers nothing when cancelled.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "mesh/MeshElement.h"

class MeshDialogs {
public:
    virtual ~MeshDialogs() = default;
    // "節点座標": the node's coordinates, edited.
    virtual std::optional<MeshVertex> NodeCoordinates(const MeshVertex& at) = 0;
    // "自動分割": division counts 1 and 2, each 1 … 999.
    virtual std::optional<std::pair<int, int>> DivisionCounts() = 0;
    // "節点順番の入替": every item text, in the new order.
    virtual std::optional<std::vector<std::string>> NodeOrder(const std::vector<std::string>& items) = 0;
    // "節点の追加": the chosen span number minus 1.
    virtual std::optional<int> AddNodeSpan(const std::vector<int>& spans) = 0;
};
