// Corners dropped from a slope outline, and slope names as typed.

#include <gtest/gtest.h>

#include "model/SlopeName.h"
#include "model/SlopeRegistration.h"

namespace {

struct CollinearCase {
    const char* name;
    std::vector<Vec3d> corners;
    std::vector<int32_t> kept;  // node numbers (1 + the corner's index)
};

TEST(RemoveCollinearVertices, CornersOnTheLineBetweenTheirNeighboursGo) {
    const CollinearCase cases[] = {
        {"one of four on the line between two others",
         {{0, 0, 0}, {6000, 0, 0}, {12000, 0, 0}, {12000, 5000, 3000}}, {1, 3, 4}},
        {"the first corner, reached across the end",
         {{6000, 0, 0}, {12000, 0, 0}, {12000, 5000, 3000}, {0, 0, 0}}, {2, 3, 4}},
        {"two in a row on one edge", {{0, 0, 0}, {4000, 0, 0}, {8000, 0, 0}, {12000, 0, 0}, {0, 5000, 0}}, {1, 4, 5}},
        {"a third of the way along a sloped edge (not exact in binary)",
         {{0, 0, 0}, {2000, 5000.0 / 3, 1000}, {6000, 5000, 3000}, {0, 5000, 3000}}, {1, 3, 4}},
        {"nothing in line", {{0, 0, 0}, {6000, 0, 0}, {6000, 5000, 3000}, {0, 5000, 3000}}, {1, 2, 3, 4}},
        {"all on one line stop at two", {{0, 0, 0}, {1000, 0, 0}, {2000, 0, 0}}, {1, 3}},
        {"a corner on the edge's line but opposite", {{0, 0, 0}, {-1000, 0, 0}, {6000, 0, 0}, {0, 5000, 0}},
         {1, 2, 3, 4}},
    };
    for (const CollinearCase& c : cases) {
        SCOPED_TRACE(c.name);
        SlopeShape shape;
        shape.vertices = c.corners;
        for (size_t i = 0; i < c.corners.size(); ++i) shape.nodes.push_back({1, static_cast<int32_t>(i + 1)});
        RemoveCollinearVertices(shape);
        std::vector<int32_t> kept;
        for (const NodeRef& n : shape.nodes) kept.push_back(n.node);
        EXPECT_EQ(kept, c.kept);
        ASSERT_EQ(shape.vertices.size(), kept.size());
        for (size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(shape.vertices[i], c.corners[size_t(kept[i] - 1)]);
    }
}

TEST(NormalizeSlopeName, SpacesOfBothWidthsGoWhereverTheyStand) {
    const std::pair<const char*, const char*> cases[] = {
        {" 南 屋根　", "南屋根"},
        {"　a　b　", "ab"},
        {" 　 ", ""},
        {"a、b", "a、b"},  // U+3001 shares the space's first two bytes
        {"sl:1", "sl:1"},
        {"", ""},
    };
    for (const auto& [typed, stored] : cases) EXPECT_EQ(NormalizeSlopeName(typed), stored) << typed;
    EXPECT_TRUE(SlopeNameFits(std::string(63, 'a')));
    EXPECT_FALSE(SlopeNameFits(std::string(64, 'a')));
}

}  // namespace
