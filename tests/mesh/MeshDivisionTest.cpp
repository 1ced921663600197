#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mesh/MeshDivision.h"

namespace {

constexpr double kTol = 1e-9;

using Plan = std::vector<std::pair<double, double>>;

Plan PlanOf(const MeshElement& element) {
    Plan plan;
    for (const MeshVertex& v : element.vertices) plan.emplace_back(v.x, v.y);
    return plan;
}

void ExpectPlan(const MeshElement& element, const Plan& expected) {
    ASSERT_EQ(element.vertices.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_NEAR(element.vertices[k].x, expected[k].first, kTol) << "vertex " << k;
        EXPECT_NEAR(element.vertices[k].y, expected[k].second, kTol) << "vertex " << k;
    }
}

MeshElement Square(double side, double z0 = 0.0, double z1 = 0.0) {
    return {0, {{0, 0, z0}, {0, side, z1}, {side, side, z1}, {side, 0, z0}}};
}
const MeshElement kTriangle{0, {{20, 0, 0}, {20, 10, 0}, {30, 0, 0}}};

MeshWorkspace Workspace(MeshList working) {
    MeshWorkspace ws;
    ws.kind = MeshKind::Outline;
    ws.working = std::move(working);
    ws.Group(GroupedList::Working);
    return ws;
}

// Nodes are numbered in vertex order: the square's corners 0-3, then the
// triangle's 4-6.
TEST(ClassifyNodePairTest, WhatTwoPickedNodesLeadTo) {
    struct Case {
        const char* name;
        size_t first, second;
        NodePair::Kind kind;
    };
    const Case cases[] = {
        {"adjacent corners", 0, 1, NodePair::Kind::OnEdge},
        {"closing edge's corners", 3, 0, NodePair::Kind::OnEdge},
        {"opposite corners", 0, 2, NodePair::Kind::Split},
        {"triangle's corners", 4, 6, NodePair::Kind::OnEdge},
        {"different elements", 1, 5, NodePair::Kind::Line},
        {"node out of range", 1, 99, NodePair::Kind::Line},
    };
    const MeshWorkspace ws = Workspace({Square(10), kTriangle});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClassifyNodePair(ws, c.first, c.second).kind, c.kind);
    }
}

TEST(ClassifyNodePairTest, OppositeCornersSplitAQuadrilateralIntoTwoTriangles) {
    MeshWorkspace ws = Workspace({kTriangle, Square(10)});
    ws.selectedElement = 1;
    ASSERT_TRUE(SplitWorkingElement(ws, ClassifyNodePair(ws, 6, 4)));
    ASSERT_EQ(ws.working.size(), 3u);
    ExpectPlan(ws.working[1], {{0, 10}, {10, 10}, {10, 0}});
    ExpectPlan(ws.working[2], {{10, 0}, {0, 0}, {0, 10}});
    EXPECT_EQ(ws.nodes.size(), 7u);
    EXPECT_FALSE(ws.selectedElement || ws.firstPick || ws.secondPick);
}

TEST(DivideSelectedElementTest, DivisionsReplaceTheSelectedQuadrilateral) {
    struct Case {
        const char* name;
        MeshElement quad;
        int n, m;
        bool triangles;
        size_t added, corners, nodes;  // corners of each new element
    };
    const MeshElement skewed{0, {{0, 0, 0}, {1, 7, 2}, {9, 8, 5}, {6, -1, 1}}};
    const Case cases[] = {
        {"triangles 2 × 3", Square(10), 2, 3, true, 24, 3, 12 + 6},
        {"quadrilaterals 2 × 3 of a skewed one", skewed, 2, 3, false, 6, 4, 12},
        {"quadrilaterals 1 × 1", skewed, 1, 1, false, 1, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeshWorkspace ws = Workspace({kTriangle, c.quad});
        ws.selectedElement = 1;
        ws.firstPick = 0;
        ASSERT_EQ(DivideSelectedElement(ws, c.n, c.m, c.triangles), DivisionResult::Done);
        ASSERT_EQ(ws.working.size(), 1 + c.added);
        ExpectPlan(ws.working[0], PlanOf(kTriangle));
        for (size_t e = 1; e < ws.working.size(); ++e) EXPECT_EQ(ws.working[e].vertices.size(), c.corners);
        EXPECT_EQ(ws.nodes.size(), 3 + c.nodes);
        EXPECT_FALSE(ws.selectedElement || ws.firstPick);
        if (c.added == 1) ExpectPlan(ws.working[1], PlanOf(c.quad));
    }
}

TEST(DivideSelectedElementTest, RefusalsLeaveTheMeshUnchanged) {
    struct Case {
        const char* name;
        std::optional<size_t> selected;
        int n, m;
        bool triangles;
        DivisionResult result;
    };
    const Case cases[] = {
        {"nothing selected", std::nullopt, 2, 2, false, DivisionResult::NoSelection},
        {"a triangle", 0, 2, 2, false, DivisionResult::NotQuadrilateral},
        {"a count of 0", 1, 0, 2, false, DivisionResult::BadCounts},
        // With the triangle kept, 250 × 250 cells of 4 triangles make 250,001 elements.
        {"past the budget", 1, 250, 250, true, DivisionResult::TooMany},
        {"past the budget by the count alone", 1, 999999, 999999, false, DivisionResult::TooMany},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeshWorkspace ws = Workspace({kTriangle, Square(10)});
        ws.selectedElement = c.selected;
        ws.firstPick = 2;
        EXPECT_EQ(DivideSelectedElement(ws, c.n, c.m, c.triangles), c.result);
        ASSERT_EQ(ws.working.size(), 2u);
        ExpectPlan(ws.working[1], PlanOf(Square(10)));
        EXPECT_EQ(ws.nodes.size(), 7u);
        EXPECT_EQ(ws.selectedElement, c.selected);
        EXPECT_EQ(ws.firstPick, 2u);
    }
}

TEST(PlanSegmentIntersectionTest, PointsWithTheEditorsTolerances) {
    struct Case {
        const char* name;
        MeshVertex e, f, p, q;
        std::optional<Plan::value_type> at;
    };
    const Case cases[] = {
        {"crossing", {0, 0, 0}, {10, 0, 0}, {5, -5, 0}, {6, 5, 0}, Plan::value_type{5.5, 0}},
        {"P within 0.009 of EF", {0, 0, 0}, {10, 0, 0}, {3, 0.008, 0}, {3, 8, 0}, Plan::value_type{3, 0.008}},
        {"crossing just past F snaps to F", {0, 0, 0}, {1000, 0, 0}, {1005, -5, 0}, {1006, 5, 0},
         Plan::value_type{1000, 0}},
        {"beyond the ends", {0, 0, 0}, {10, 0, 0}, {15, -5, 0}, {15, 5, 0}, std::nullopt},
        {"parallel", {0, 0, 0}, {10, 0, 0}, {0, 5, 0}, {10, 5, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto x = PlanSegmentIntersection(c.e, c.f, c.p, c.q);
        ASSERT_EQ(x.has_value(), c.at.has_value());
        if (!x) continue;
        EXPECT_NEAR(x->x, c.at->first, kTol);
        EXPECT_NEAR(x->y, c.at->second, kTol);
    }
}

// The square (0,0) (0,10) (10,10) (10,0), z rising from 0 at y 0 to 10 at y
// 10, unless the case gives another element.
TEST(InsertNodesAlongLineTest, VerticesWhereTheLineCrossesEdges) {
    struct Case {
        const char* name;
        MeshElement element;
        MeshVertex p, q;
        Plan plan;
    };
    // A line of length 5 that crosses the long left edge at a very flat
    // angle: d = 1000 · 2a.
    const auto flat = [](double a) { return std::pair{MeshVertex{-a, 497.5, 0}, MeshVertex{a, 502.5, 0}}; };
    const MeshElement tall{0, {{0, 0, 0}, {0, 1000, 0}, {1000, 1000, 0}, {1000, 0, 0}}};
    const Case cases[] = {
        {"across two edges", Square(10, 0, 10), {-5, 5, 0}, {15, 5, 0},
         {{0, 0}, {0, 5}, {0, 10}, {10, 10}, {10, 5}, {10, 0}}},
        {"through two corners", Square(10, 0, 10), {-5, -5, 0}, {15, 15, 0}, PlanOf(Square(10))},
        {"across the closing edge", Square(10, 0, 10), {5, -5, 0}, {5, 5, 0},
         {{5, 0}, {0, 0}, {0, 10}, {10, 10}, {10, 0}}},
        {"nearly parallel, |d| 0.08", tall, flat(0.00004).first, flat(0.00004).second, PlanOf(tall)},
        {"just past parallel, |d| 0.12", tall, flat(0.00006).first, flat(0.00006).second,
         {{0, 0}, {-0.00006, 497.5}, {0, 1000}, {1000, 1000}, {1000, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeshList list{c.element};
        EXPECT_EQ(InsertNodesAlongLine(list, c.p, c.q), c.plan.size() - c.element.vertices.size());
        ExpectPlan(list[0], c.plan);
    }
    MeshList list{Square(10, 0, 10)};
    InsertNodesAlongLine(list, {-5, 5, 0}, {15, 5, 0});
    EXPECT_NEAR(list[0].vertices[1].z, 5.0, kTol);
}

TEST(ElementEditTest, SpanMidpointsAndReordering) {
    const MeshElement triangle{0, {{0, 0, 0}, {0, 10, 0}, {10, 0, 4}}};
    MeshElement element = triangle;
    ASSERT_TRUE(InsertSpanMidpoint(element, 2));  // the span from vertex 3 back to 1
    ExpectPlan(element, {{5, 0}, {0, 0}, {0, 10}, {10, 0}});
    EXPECT_NEAR(element.vertices[0].z, 2.0, kTol);
    element = triangle;
    ASSERT_TRUE(InsertSpanMidpoint(element, 0));
    ExpectPlan(element, {{0, 0}, {0, 5}, {0, 10}, {10, 0}});
    EXPECT_FALSE(InsertSpanMidpoint(element, 4));

    struct Case {
        const char* name;
        std::vector<size_t> order;
        Plan plan;
    };
    const Case cases[] = {
        {"3, 1, 2, 4", {2, 0, 1, 3}, {{10, 10}, {0, 0}, {0, 10}, {10, 0}}},
        {"a repeated vertex", {2, 0, 2, 3}, PlanOf(Square(10))},
        {"one missing", {2, 0, 1}, PlanOf(Square(10))},
        {"out of range", {2, 0, 1, 4}, PlanOf(Square(10))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeshElement quad = Square(10);
        EXPECT_EQ(ReorderVertices(quad, c.order), c.plan != PlanOf(Square(10)));
        ExpectPlan(quad, c.plan);
    }
}

TEST(MoveNodeTest, EveryVertexOfTheNodeMoves) {
    MeshElement left = Square(10), right = Square(10);
    for (MeshVertex& v : right.vertices) v.x += 10;
    MeshWorkspace ws = Workspace({left, right});
    ASSERT_EQ(ws.nodes[2].vertices.size(), 2u);  // (10, 10), shared
    MoveNode(ws, 2, {11, 12, 13});
    EXPECT_NEAR(ws.working[0].vertices[2].x, 11, kTol);
    EXPECT_NEAR(ws.working[1].vertices[1].z, 13, kTol);
    MoveNode(ws, 99, {0, 0, 0});
}

TEST(MoveNodeTest, AcceptableCoordinates) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double ok : {0.0, 1e9, -1e9}) EXPECT_TRUE(AcceptableCoordinate(ok)) << ok;
    for (double bad : {1e9 + 1, -2e9, inf, -inf, std::nan("")}) EXPECT_FALSE(AcceptableCoordinate(bad)) << bad;
}

}  // namespace
