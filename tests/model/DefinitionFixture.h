#pragma once
// Slope definitions against the grid building: a stand-in for the view's
// refresh, the model's slope records and names before and after, and the
// picked nodes turned into the selected outline.

#include <optional>
#include <string>
#include <vector>

#include "ModelFixture.h"
#include "ScriptedDialogs.h"
#include "model/EditorRefresh.h"
#include "model/NodeSelection.h"
#include "model/SlopeShapeList.h"

struct RecordingRefresh : EditorRefresh {
    void RefreshAfterModelChange() override { ++refreshes; }
    void Repaint() override { ++repaints; }
    void ShowRefusal(const RefusalPlace& place) override { refusal = place; }
    std::optional<RefusalPlace> refusal;
    int refreshes = 0;
    int repaints = 0;
};

// What a definition may write: every slope and slope-edge record, byte for
// byte, and every slope name.
struct SlopeData {
    std::vector<std::vector<unsigned char>> slopes;
    std::vector<std::vector<unsigned char>> edges;
    std::vector<std::string> names;
    bool operator==(const SlopeData&) const = default;
};

inline std::vector<std::vector<unsigned char>> AllRecords(int kind, size_t size) {
    std::vector<std::vector<unsigned char>> records;
    std::vector<unsigned char> buffer(size);
    DB_getr(kind, nullptr);
    while (DB_getr(kind, buffer.data()) == 0) records.push_back(buffer);
    return records;
}

inline SlopeData ReadSlopeData() {
    SlopeData data;
    data.slopes = AllRecords(TEVA_REC_SLOPE, TEVA_SIZE_SLOPE);
    data.edges = AllRecords(TEVA_REC_SLOPE_EDGE, TEVA_SIZE_SLOPE_EDGE);
    for (short n = 1; n <= 64; ++n) {
        char name[64] = {};
        if (DB_Usnam(TEVA_NAME_SLOPE, n, name) == 0) data.names.push_back(name);
    }
    return data;
}

class DefinitionFixture : public ModelFixture {
protected:
    NodeRef At(LayerCode layer, const char* a, const char* b) { return {layer, Node(layer, a, b)}; }

    // The outline of the picked nodes, selected as a right-click would.
    void SelectOutline() {
        BuildOutlineShape(picked, shapes);
        shapes.Select(shapes.FindOutlineShape());
    }

    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
    std::vector<NodeRef> picked;
    SlopeShapeList shapes;
    RecordingRefresh refresh;
};
