#include <algorithm>

#include "ModelFixture.h"
#include "ScriptedDialogs.h"
#include "model/ModelQueries.h"
#include "model/OrderPickedNodes.h"

namespace {

class PickedOrder : public ModelFixture {
protected:
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};

    NodeRef At(LayerCode layer, const char* a, const char* b) { return {layer, Node(layer, a, b)}; }

    Vec3d PositionOf(const NodeRef& n) { return NodePositionOnLayer(n.layer, n.node).value(); }

    // The plan corners of the ordered nodes, for readable failures.
    std::vector<std::pair<double, double>> Plan(const std::vector<NodeRef>& nodes) {
        std::vector<std::pair<double, double>> plan;
        for (const auto& n : nodes) {
            const Vec3d p = PositionOf(n);
            plan.emplace_back(p.x, p.y);
        }
        return plan;
    }
};

using Corners = std::vector<std::pair<double, double>>;

TEST_F(PickedOrder, RectangleCornersStartAtLargestXAndYAndRunClockwise) {
    const NodeRef sw = At(1, "X1", "Y1"), se = At(1, "X2", "Y1"), ne = At(1, "X2", "Y2"),
                  nw = At(1, "X1", "Y2");
    const Corners expected = {{6000, 5000}, {6000, 0}, {0, 0}, {0, 5000}};
    std::vector<NodeRef> picks = {sw, se, ne, nw};
    std::sort(picks.begin(), picks.end(),
              [](const NodeRef& a, const NodeRef& b) { return a.node < b.node; });
    // Every pick order gives the same outline.
    do {
        std::vector<NodeRef> picked = picks;
        ASSERT_TRUE(OrderPickedNodes(picked));
        EXPECT_EQ(Plan(picked), expected);
    } while (std::next_permutation(picks.begin(), picks.end(),
                                   [](const NodeRef& a, const NodeRef& b) { return a.node < b.node; }));
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PickedOrder, TheStartIsTakenOnTheLayerOfTheHighestNode) {
    // A slope from storey 1 (Y1) up to storey 2 (Y2): the start is the
    // upper corner of largest X.
    std::vector<NodeRef> picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(2, "X2", "Y2"),
                                   At(2, "X1", "Y2")};
    ASSERT_TRUE(OrderPickedNodes(picked));
    EXPECT_EQ(picked.front(), At(2, "X2", "Y2"));
    EXPECT_EQ(Plan(picked), (Corners{{6000, 5000}, {6000, 0}, {0, 0}, {0, 5000}}));
}

TEST_F(PickedOrder, FewerThanThreeNodesAreLeftAlone) {
    std::vector<NodeRef> picked = {At(1, "X2", "Y1"), At(1, "X1", "Y1")};
    const auto before = picked;
    EXPECT_FALSE(OrderPickedNodes(picked));
    EXPECT_EQ(picked, before);
    std::vector<NodeRef> none;
    EXPECT_FALSE(OrderPickedNodes(none));
}

TEST_F(PickedOrder, ANonPlanarFourthNodeIsRefusedAndDropped) {
    // The first three lie in z = 0.6·y; the fourth is on storey 3.
    const NodeRef first = At(1, "X1", "Y1"), second = At(1, "X2", "Y1"),
                  third = At(2, "X2", "Y2"), fourth = At(3, "X1", "Y2");
    std::vector<NodeRef> picked = {first, second, third, fourth};
    EXPECT_FALSE(OrderPickedNodes(picked));
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"平面のみ有効です。"});
    ASSERT_EQ(picked.size(), 3u);
    EXPECT_EQ(std::count(picked.begin(), picked.end(), fourth), 0);
    for (const auto& kept : {first, second, third}) {
        EXPECT_EQ(std::count(picked.begin(), picked.end(), kept), 1);
    }
    // The three that stay make a valid outline.
    dialogs.shown.clear();
    EXPECT_TRUE(OrderPickedNodes(picked));
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PickedOrder, APlanarFourthNodeIsKept) {
    std::vector<NodeRef> picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(2, "X2", "Y2"),
                                   At(2, "X1", "Y2")};
    EXPECT_TRUE(OrderPickedNodes(picked));
    EXPECT_EQ(picked.size(), 4u);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PickedOrder, CollinearNodesPassThePlanarityCheck) {
    // One straight line in space, over three storeys: no plane at all.
    std::vector<NodeRef> picked = {At(1, "X1", "Y1"), At(2, "X2", "Y1"), At(3, "X3", "Y1")};
    EXPECT_TRUE(OrderPickedNodes(picked));
    EXPECT_EQ(picked.size(), 3u);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PickedOrder, ARedundantNodeOnAnAxisIsRemoved) {
    // Y1 on storey 1 carries the first, second and newest node: the middle
    // one adds nothing to the outline.
    const NodeRef west = At(1, "X1", "Y1"), middle = At(1, "X2", "Y1"),
                  upper = At(2, "X2", "Y2"), east = At(1, "X3", "Y1");
    std::vector<NodeRef> picked = {west, middle, upper, east};
    EXPECT_TRUE(OrderPickedNodes(picked));
    ASSERT_EQ(picked.size(), 3u);
    EXPECT_EQ(std::count(picked.begin(), picked.end(), middle), 0);
    EXPECT_EQ(picked.front(), upper);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PickedOrder, NodesOnOtherLayersAreNotRedundant) {
    // The same plan line, but the middle node is on another storey.
    const NodeRef west = At(1, "X1", "Y1"), middle = At(2, "X2", "Y1"), east = At(1, "X3", "Y1");
    std::vector<NodeRef> picked = {west, middle, At(2, "X2", "Y2"), east};
    OrderPickedNodes(picked);
    EXPECT_EQ(std::count(picked.begin(), picked.end(), middle), 1);
}

TEST_F(PickedOrder, ANodeAtTheCentroidInPlanIsNotLost) {
    // A vertical outline: two nodes on storey 1 and one above their middle.
    std::vector<NodeRef> picked = {At(1, "X1", "Y1"), At(1, "X3", "Y1"), At(2, "X2", "Y1")};
    OrderPickedNodes(picked);
    EXPECT_EQ(picked.size(), 3u);
}

}  // namespace
