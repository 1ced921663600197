#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/SlopeShapeList.h"

namespace {

// A unit square outline lifted to `z`, shifted by `dx` in X.
struct Square {
    std::vector<Vec3d> vertices;
    std::vector<NodeRef> nodes;
    Square(double dx = 0.0, double z = 0.0) {
        vertices = {{dx, 0, z}, {dx + 1, 0, z}, {dx + 1, 1, z}, {dx, 1, z}};
        nodes = {{1, 1}, {1, 2}, {1, 3}, {1, 4}};
    }
};

int Add(SlopeShapeList& list, ShapeKind kind, int32_t number, const Square& s = Square()) {
    return list.AddShape(s.vertices, s.nodes, kind, number);
}

TEST(SlopeShapeList, AddCopiesTheOutlineAndAnswersTheIndex) {
    SlopeShapeList list;
    Square square(5.0, 2.0);
    EXPECT_EQ(list.AddShape(square.vertices, square.nodes, ShapeKind::Outline, 0, 7), 0);
    square.vertices[0].x = 99;  // the list holds its own copy
    const SlopeShape& shape = list.At(0);
    EXPECT_EQ(shape.id, 1);
    EXPECT_EQ(shape.kind, ShapeKind::Outline);
    EXPECT_EQ(shape.value, 7);
    EXPECT_EQ(shape.VertexCount(), 4);
    EXPECT_EQ(shape.vertices[0].x, 5.0);
    EXPECT_EQ(shape.nodes[2], (NodeRef{1, 3}));
    EXPECT_EQ(shape.definitionHandle, 0);
    EXPECT_TRUE(shape.mesh.empty());
    EXPECT_EQ(Add(list, ShapeKind::Defined, 4), 1);
}

TEST(SlopeShapeList, RefusesTooFewVerticesOrMismatchedNodes) {
    SlopeShapeList list;
    const std::vector<Vec3d> two = {{0, 0, 0}, {1, 0, 0}};
    const std::vector<NodeRef> twoNodes = {{1, 1}, {1, 2}};
    EXPECT_EQ(list.AddShape(two, twoNodes, ShapeKind::Outline, 0), -1);
    Square square;
    square.nodes.pop_back();
    EXPECT_EQ(list.AddShape(square.vertices, square.nodes, ShapeKind::Outline, 0), -1);
    EXPECT_TRUE(list.Empty());
}

TEST(SlopeShapeList, IdsContinueFromTheLargestPresent) {
    SlopeShapeList list;
    Add(list, ShapeKind::Defined, 1);
    Add(list, ShapeKind::Outline, 0);
    Add(list, ShapeKind::Defined, 2);
    EXPECT_EQ(list.At(2).id, 3);
    // Removing the shape with the largest id lets the next shape reuse it.
    list.RemoveShapes(ShapeKind::Defined);
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.At(0).id, 2);
    Add(list, ShapeKind::Defined, 5);
    EXPECT_EQ(list.At(1).id, 3);
    list.RemoveAllShapes();
    Add(list, ShapeKind::Outline, 0);
    EXPECT_EQ(list.At(0).id, 1);
}

TEST(SlopeShapeList, DefinedShapesNumberThemselvesOnMinusOne) {
    SlopeShapeList list;
    Add(list, ShapeKind::Defined, -1);
    Add(list, ShapeKind::Outline, 0);
    Add(list, ShapeKind::Defined, -1);
    Add(list, ShapeKind::Defined, 10);  // a caller's own number stands
    Add(list, ShapeKind::Defined, -1);
    EXPECT_EQ(list.At(0).number, 1);
    EXPECT_EQ(list.At(1).number, 0);
    EXPECT_EQ(list.At(2).number, 2);
    EXPECT_EQ(list.At(3).number, 10);
    EXPECT_EQ(list.At(4).number, 11);
}

TEST(SlopeShapeList, RemoveShapesKeepsTheOrderOfTheRest) {
    SlopeShapeList list;
    Add(list, ShapeKind::Defined, 1);
    Add(list, ShapeKind::Outline, 0);
    Add(list, ShapeKind::Defined, 2);
    Add(list, ShapeKind::Outline, 0);
    Add(list, ShapeKind::Defined, 3);
    list.RemoveShapes(ShapeKind::Outline);
    ASSERT_EQ(list.Size(), 3u);
    EXPECT_EQ(list.At(0).number, 1);
    EXPECT_EQ(list.At(1).number, 2);
    EXPECT_EQ(list.At(2).number, 3);
    list.RemoveShapes(ShapeKind::Registered);  // none: nothing changes
    EXPECT_EQ(list.Size(), 3u);
    list.RemoveAllShapes();
    EXPECT_TRUE(list.Empty());
}

// The selection is cleared by every removal that frees its shape, and only
// by those: a freed shape is never read through it.
TEST(SlopeShapeList, SelectionNeverOutlivesItsShape) {
    struct Case {
        const char* name;
        ShapeKind selectedKind;
        std::function<void(SlopeShapeList&)> change;
        bool stillSelected;
    };
    const Case cases[] = {
        {"outlines removed, outline selected", ShapeKind::Outline,
         [](SlopeShapeList& l) { l.RemoveShapes(ShapeKind::Outline); }, false},
        {"outlines removed, registered selected", ShapeKind::Registered,
         [](SlopeShapeList& l) { l.RemoveShapes(ShapeKind::Outline); }, true},
        {"registered removed", ShapeKind::Registered,
         [](SlopeShapeList& l) { l.RemoveShapes(ShapeKind::Registered); }, false},
        {"registered rebuilt without a model", ShapeKind::Registered,
         [](SlopeShapeList& l) { l.RebuildRegisteredShapes(); }, false},
        {"all removed", ShapeKind::Defined, [](SlopeShapeList& l) { l.RemoveAllShapes(); }, false},
        {"a shape added", ShapeKind::Defined, [](SlopeShapeList& l) { Add(l, ShapeKind::Outline, 0, Square(9)); },
         true},
    };
    for (const Case& c : cases) {
        SlopeShapeList list;
        Add(list, ShapeKind::Registered, -32769);
        Add(list, ShapeKind::Outline, 0, Square(2));
        Add(list, ShapeKind::Defined, 1, Square(4));
        const SlopeShape* chosen = nullptr;
        for (size_t i = 0; i < list.Size(); ++i) {
            if (list.At(i).kind == c.selectedKind) chosen = &list.At(i);
        }
        list.Select(chosen);
        ASSERT_EQ(list.Selected(), chosen) << c.name;
        c.change(list);
        EXPECT_EQ(list.Selected(), c.stillSelected ? chosen : nullptr) << c.name;
    }
    SlopeShapeList list, other;
    Add(other, ShapeKind::Outline, 0);
    list.Select(&other.At(0));
    EXPECT_EQ(list.Selected(), nullptr) << "a shape of another list selects nothing";
}

TEST(SlopeShapeList, FindersAnswerTheFirstMatchOrNull) {
    SlopeShapeList list;
    EXPECT_EQ(list.FindOutlineShape(), nullptr);
    Add(list, ShapeKind::Defined, 4);
    Add(list, ShapeKind::Outline, 0);
    Add(list, ShapeKind::Outline, 0);
    Add(list, ShapeKind::Defined, 4);
    EXPECT_EQ(list.FindShapeById(3), &list.At(2));
    EXPECT_EQ(list.FindShapeById(9), nullptr);
    EXPECT_EQ(list.FindShapeByNumber(4), &list.At(0));
    EXPECT_EQ(list.FindShapeByNumber(0), &list.At(1));
    EXPECT_EQ(list.FindShapeByNumber(-5), nullptr);
    EXPECT_EQ(list.FindOutlineShape(), &list.At(1));
    const SlopeShapeList& constant = list;
    EXPECT_EQ(constant.FindShapeById(4), &list.At(3));
    EXPECT_EQ(constant.FindShapeByNumber(4), &list.At(0));
    EXPECT_EQ(constant.FindOutlineShape(), &list.At(1));
}

TEST(SlopeShapeList, DrawOrderRunsFromFarToNear) {
    SlopeShapeList list;
    Add(list, ShapeKind::Defined, 1, Square(10.0));  // id 1, centroid x 10.5
    Add(list, ShapeKind::Defined, 2, Square(30.0));  // id 2, centroid x 30.5
    Add(list, ShapeKind::Defined, 3, Square(20.0));  // id 3, centroid x 20.5
    list.OrderShapesForDrawing({0.5, 0.5, 0.0});
    EXPECT_EQ(list.DrawOrder(), (std::vector<int32_t>{2, 3, 1}));
    list.OrderShapesForDrawing({40.5, 0.5, 0.0});
    EXPECT_EQ(list.DrawOrder(), (std::vector<int32_t>{1, 3, 2}));
}

TEST(SlopeShapeList, DrawOrderPutsTheLaterOfEquallyFarShapesFirst) {
    SlopeShapeList list;
    Add(list, ShapeKind::Defined, 1, Square(-10.0));  // centroid x -9.5
    Add(list, ShapeKind::Defined, 2, Square(9.0));    // centroid x 9.5
    Add(list, ShapeKind::Defined, 3, Square(0.0));
    list.OrderShapesForDrawing({0.0, 0.5, 0.0});
    EXPECT_EQ(list.DrawOrder(), (std::vector<int32_t>{2, 1, 3}));
    list.RemoveAllShapes();
    list.OrderShapesForDrawing({0, 0, 0});
    EXPECT_TRUE(list.DrawOrder().empty());
}

TEST(SlopeShape, CentroidIsTheMeanOfTheVertices) {
    SlopeShapeList list;
    Add(list, ShapeKind::Outline, 0, Square(2.0, 3.0));
    const Vec3d c = list.At(0).Centroid();
    EXPECT_NEAR(c.x, 2.5, 1e-12);
    EXPECT_NEAR(c.y, 0.5, 1e-12);
    EXPECT_NEAR(c.z, 3.0, 1e-12);
}

}  // namespace
