#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "mesh/ElementOrder.h"

namespace {

// Every permutation in lexicographic order until one turns clockwise at
// every pair.
bool PlainOrder(MeshElement& element) {
    const auto& v = element.vertices;
    const size_t n = v.size();
    double cx = 0.0, cy = 0.0;
    for (const MeshVertex& p : v) cx += p.x, cy += p.y;
    cx /= static_cast<double>(n);
    cy /= static_cast<double>(n);
    std::vector<size_t> p(n);
    std::iota(p.begin(), p.end(), size_t{0});
    do {
        bool accepted = true;
        for (size_t k = 0; k < n && accepted; ++k) {
            const MeshVertex &a = v[p[k]], &b = v[p[(k + 1) % n]];
            accepted = (a.x - cx) * (b.y - cy) - (a.y - cy) * (b.x - cx) <= 0.0;
        }
        if (accepted) {
            std::vector<MeshVertex> sorted;
            for (size_t i : p) sorted.push_back(v[i]);
            element.vertices = sorted;
            return true;
        }
    } while (std::next_permutation(p.begin(), p.end()));
    return false;
}

std::vector<std::pair<double, double>> Plan(const MeshElement& element) {
    std::vector<std::pair<double, double>> plan;
    for (const MeshVertex& v : element.vertices) plan.emplace_back(v.x, v.y);
    return plan;
}

TEST(OrderElementClockwiseTest, TrianglesInPlan) {
    struct Case {
        const char* name;
        MeshElement in;
        std::vector<std::pair<double, double>> out;
    };
    const Case cases[] = {
        {"counter-clockwise reordered", {0, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}, {{0, 0}, {0, 1}, {1, 0}}},
        {"clockwise kept", {0, {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}}}, {{0, 0}, {0, 1}, {1, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeshElement element = c.in;
        EXPECT_TRUE(OrderElementClockwise(element));
        EXPECT_EQ(Plan(element), c.out);
    }
}

// Elements of 3 to 9 vertices on a small integer grid, some of them
// collinear so that rounding leaves no accepted order.
TEST(OrderElementClockwiseTest, MatchesTheLexicographicWalkOnRandomElements) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(-3, 3), count(3, 9);
    int refused = 0;
    for (int round = 0; round < 600; ++round) {
        MeshElement element;
        const int n = count(random);
        const bool collinear = round % 4 == 0;
        for (int k = 0; k < n; ++k) {
            const double x = coordinate(random);
            element.vertices.push_back({x, collinear ? 1.0 - x : coordinate(random), double(k)});
        }
        MeshElement fast = element, plain = element;
        const bool accepted = PlainOrder(plain);
        refused += !accepted;
        ASSERT_EQ(OrderElementClockwise(fast), accepted) << "round " << round;
        for (size_t k = 0; k < element.vertices.size(); ++k)
            ASSERT_EQ(fast.vertices[k].z, plain.vertices[k].z) << "round " << round << " vertex " << k;
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
