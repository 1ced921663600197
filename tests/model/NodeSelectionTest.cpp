// The node pick's toggle, the outline of the picked nodes and their top and
// bottom layers, on the grid building.

#include "DefinitionFixture.h"
#include "model/SlopeMessages.h"

namespace {

using Strings = std::vector<std::string>;

class NodeSelection : public DefinitionFixture {};

struct ToggleCase {
    const char* name;
    std::vector<std::tuple<LayerCode, const char*, const char*>> before;
    std::tuple<LayerCode, const char*, const char*> pick;
    NodeToggle expected;
    size_t sizeAfter;
    Strings messages;
};

TEST_F(NodeSelection, ToggleRules) {
    const ToggleCase cases[] = {
        {"first node", {}, {1, "X1", "Y1"}, NodeToggle::Added, 1, {}},
        {"picked again on its layer", {{1, "X1", "Y1"}, {1, "X2", "Y1"}}, {1, "X1", "Y1"}, NodeToggle::Removed, 1, {}},
        {"same node on another layer", {{1, "X1", "Y1"}}, {2, "X1", "Y1"}, NodeToggle::Refused, 1,
         {kCrossingAlreadyPickedMessage}},
        {"third on a layer holding both", {{1, "X1", "Y1"}, {1, "X2", "Y1"}}, {1, "X2", "Y2"}, NodeToggle::Refused, 2,
         {kSingleLayerMessage}},
        {"third on another layer", {{1, "X1", "Y1"}, {1, "X2", "Y1"}}, {2, "X2", "Y2"}, NodeToggle::Added, 3, {}},
        {"second on the layer of the only one", {{1, "X1", "Y1"}}, {1, "X2", "Y1"}, NodeToggle::Added, 2, {}},
        {"fourth on a layer not holding all", {{1, "X1", "Y1"}, {1, "X2", "Y1"}, {2, "X2", "Y2"}}, {1, "X3", "Y1"},
         NodeToggle::Added, 4, {}},
        {"unknown layer", {{1, "X1", "Y1"}}, {7, "X2", "Y1"}, NodeToggle::Refused, 1, {}},
        {"slope entry", {}, {-32769, "X2", "Y1"}, NodeToggle::Refused, 0, {}},
    };
    for (const ToggleCase& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        picked.clear();
        for (const auto& [layer, a, b] : c.before) picked.push_back(At(layer, a, b));
        const auto& [layer, a, b] = c.pick;
        const NodeToggle result = ToggleNodeSelection(picked, layer, Node(1, a, b));
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(picked.size(), c.sizeAfter);
        EXPECT_EQ(dialogs.Messages(), c.messages);
    }
}

TEST_F(NodeSelection, TwoClicksOnOneNodeLeaveTheOthersInOrder) {
    ASSERT_EQ(ToggleNodeSelection(picked, 1, Node(1, "X1", "Y1")), NodeToggle::Added);
    ASSERT_EQ(ToggleNodeSelection(picked, 2, Node(2, "X2", "Y2")), NodeToggle::Added);
    ASSERT_EQ(ToggleNodeSelection(picked, 1, Node(1, "X2", "Y1")), NodeToggle::Added);
    ASSERT_EQ(ToggleNodeSelection(picked, 2, Node(2, "X2", "Y2")), NodeToggle::Removed);
    EXPECT_EQ(picked, (std::vector<NodeRef>{At(1, "X1", "Y1"), At(1, "X2", "Y1")}));
}

TEST_F(NodeSelection, NodeNumbersBeyondTheModelAreRefused) {
    EXPECT_EQ(ToggleNodeSelection(picked, 1, 0), NodeToggle::Refused);
    EXPECT_EQ(ToggleNodeSelection(picked, 1, 10'000), NodeToggle::Refused);
    EXPECT_TRUE(picked.empty());
}

TEST_F(NodeSelection, OutlineFromThreeNodesOn) {
    picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1")};
    BuildOutlineShape(picked, shapes);
    EXPECT_EQ(shapes.FindOutlineShape(), nullptr);

    picked.push_back(At(2, "X2", "Y2"));
    BuildOutlineShape(picked, shapes);
    BuildOutlineShape(picked, shapes);  // replaces, never adds a second
    ASSERT_EQ(shapes.Size(), 1u);
    const SlopeShape& outline = shapes.At(0);
    EXPECT_EQ(outline.kind, ShapeKind::Outline);
    EXPECT_EQ(outline.number, 0);
    EXPECT_EQ(outline.nodes, picked);
    EXPECT_EQ(outline.vertices, (std::vector<Vec3d>{{0, 0, 0}, {6000, 0, 0}, {6000, 5000, 3000}}));

    // Back to two nodes: the outline goes, and with it the selection.
    shapes.Select(&shapes.At(0));
    picked.pop_back();
    BuildOutlineShape(picked, shapes);
    EXPECT_TRUE(shapes.Empty());
    EXPECT_EQ(shapes.Selected(), nullptr);
}

TEST_F(NodeSelection, TopAndBottomLayersTakeTheEarliestNodeOnTies) {
    LayerCode top = 99, bottom = 99;
    EXPECT_FALSE(FindTopBottomLayers({}, top, bottom));
    EXPECT_EQ(top, 99);
    EXPECT_EQ(bottom, 99);

    // A sub-layer at storey 2's height: two layers share the highest z.
    const int sub = modeldbtest::addLevel(1, "M", 0, 3000);
    ASSERT_GT(sub, 0);
    ASSERT_EQ(DB_restruct(0), 0);
    const LayerCode level2 = MakeLayerCode(2, sub);
    picked = {At(1, "X1", "Y1"), At(level2, "X2", "Y1"), At(2, "X2", "Y2"), At(1, "X1", "Y2")};
    ASSERT_TRUE(FindTopBottomLayers(picked, top, bottom));
    EXPECT_EQ(top, level2);
    EXPECT_EQ(bottom, 1);
    std::swap(picked[1], picked[2]);
    ASSERT_TRUE(FindTopBottomLayers(picked, top, bottom));
    EXPECT_EQ(top, 2);

    picked.push_back({77, 1});  // a node whose position cannot be read
    top = bottom = 99;
    EXPECT_FALSE(FindTopBottomLayers(picked, top, bottom));
    EXPECT_EQ(top, 99);
}

}  // namespace
