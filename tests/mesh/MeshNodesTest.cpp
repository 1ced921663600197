#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "mesh/MeshNodes.h"

namespace {

// The plain walk: every vertex tries the nodes in order.
std::vector<MeshNode> PlainNodes(const MeshList& list) {
    std::vector<MeshNode> nodes;
    std::vector<MeshVertex> first;
    for (uint32_t e = 0; e < list.size(); ++e) {
        for (uint32_t k = 0; k < list[e].vertices.size(); ++k) {
            const MeshVertex& v = list[e].vertices[k];
            size_t n = 0;
            for (; n < nodes.size(); ++n) {
                const double dx = first[n].x - v.x, dy = first[n].y - v.y, dz = first[n].z - v.z;
                if (std::sqrt(dx * dx + dy * dy + dz * dz) < kNodeTolerance) break;
            }
            if (n == nodes.size()) nodes.emplace_back(), first.push_back(v);
            nodes[n].vertices.push_back({e, k});
        }
    }
    return nodes;
}

TEST(BuildNodesTest, VerticesShareANodeOnlyWithinTheTolerance) {
    struct Case {
        const char* name;
        double gap;
        size_t nodes;
    };
    for (const Case& c : {Case{"0.0005 apart", 0.0005, 1}, Case{"0.002 apart", 0.002, 2}}) {
        SCOPED_TRACE(c.name);
        const MeshList list = {{0, {{10.0, 20.0, 30.0}}}, {0, {{10.0 + c.gap, 20.0, 30.0}}}};
        std::vector<MeshNode> nodes;
        BuildNodes(list, nodes);
        EXPECT_EQ(nodes.size(), c.nodes);
    }
}

// Clusters of vertices spread over about twice the tolerance, so that
// chains form where the first vertex of a node decides, next to exact
// duplicates, cell-edge positions, far coordinates and non-finite ones.
TEST(BuildNodesTest, MatchesThePlainWalkOnRandomClusters) {
    std::mt19937_64 random(14);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const double far[] = {0.0, 0.016 * 1000, 1e6, -3e9, 1e13};
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        MeshList list(1 + round % 50);
        const MeshVertex centre{far[round % 5], far[(round / 5) % 5] + 0.008, 3000.0};
        for (MeshElement& element : list) {
            for (int k = 0; k < 4; ++k) {
                MeshVertex v{centre.x + 0.002 * unit(random), centre.y + 0.002 * unit(random), centre.z};
                if (round % 3 == 0) v.z += 0.0015 * unit(random);
                if (round % 7 == 0 && k == 3) v = element.vertices.empty() ? centre : element.vertices.front();
                if (round % 11 == 0 && k == 2) v.x = round % 2 ? std::numeric_limits<double>::quiet_NaN() : INFINITY;
                element.vertices.push_back(v);
            }
        }
        std::vector<MeshNode> nodes;
        BuildNodes(list, nodes);
        const std::vector<MeshNode> expected = PlainNodes(list);
        ASSERT_EQ(nodes.size(), expected.size());
        for (size_t n = 0; n < nodes.size(); ++n) EXPECT_EQ(nodes[n].vertices, expected[n].vertices) << "node " << n;
    }
}

}  // namespace
