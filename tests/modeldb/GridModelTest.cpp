// The derived model of grid buildings: crossings, nodes, spans and
// positions as the editor queries them.
#include "TestBuilding.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

using namespace modeldbtest;

namespace {

constexpr double kTolerance = 0.01; // mm; float positions of values below 1e5

// Grid constants of makeGridBuilding.
constexpr double kGridX[] = {0, 6000, 12000};
constexpr double kGridY[] = {0, 5000, 10000};
constexpr double kStoreyHeights[] = {0, 3000, 6000};

class TevaGridModel : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeGridBuilding(dir.File("grid.teva"))) << teva_last_error(); }
    void TearDown() override { teva_close(); }
    TempDir dir;
};

// Checks the invariants every span must satisfy: its axis carries both end
// nodes, the cutting axes give crossings at those nodes, and the span lies
// in its axis's range.
void expectSpansConsistent(int layer)
{
    const int spans = sp_GetMaxSpan(layer);
    for (int s = 1; s <= spans; ++s) {
        SCOPED_TRACE("span " + std::to_string(s));
        int axis = 0, cut1 = 0, cut2 = 0, n1 = 0, n2 = 0, first = 0, last = 0;
        ASSERT_EQ(sp_snox(layer, s, &axis, &cut1, &cut2), 0);
        ASSERT_EQ(sp_snon(layer, s, &n1, &n2), 0);
        EXPECT_NE(n1, n2);
        EXPECT_EQ(sp_nno(layer, sp_xnow(axis, cut1)), n1);
        EXPECT_EQ(sp_nno(layer, sp_xnow(axis, cut2)), n2);
        ASSERT_EQ(sp_scon(layer, axis, &first, &last), 0);
        EXPECT_LE(first, s);
        EXPECT_GE(last, s);
        EXPECT_EQ(sp_Pnt2ToSpanFB(layer, n1, n2), s);
    }
}

} // namespace

TEST_F(TevaGridModel, CountsOnEveryStorey)
{
    EXPECT_EQ(sp_GetMaxSeqLay(), 3);
    EXPECT_EQ(sp_GetMaxLevel(), 0);
    EXPECT_EQ(sp_GetMaxLin(0), 6);
    EXPECT_EQ(sp_GetMaxCros(), 9);
    for (int layer = 1; layer <= 3; ++layer) {
        EXPECT_EQ(sp_GetMaxLin(layer), 6);
        EXPECT_EQ(sp_GetMaxNode(layer), 9);
        // Three nodes on each of six axes: two spans each.
        EXPECT_EQ(sp_GetMaxSpan(layer), 12);
    }
    EXPECT_EQ(sp_GetMaxLin(4), -1);
    EXPECT_EQ(sp_GetMaxNode(4), -1);
    EXPECT_EQ(sp_GetMaxSpan(-1), -1);
}

TEST_F(TevaGridModel, CrossingsAreNumberedByAscendingAxisPairs)
{
    // Axes 1-3 run along Y, 4-6 along X: only pairs (x axis, y axis) cross.
    int expected = 0;
    for (int a = 1; a <= 3; ++a) {
        for (int b = 4; b <= 6; ++b) {
            ++expected;
            int axisA = 0, axisB = 0;
            ASSERT_EQ(sp_xwno2(expected, &axisA, &axisB), 0);
            EXPECT_EQ(axisA, a);
            EXPECT_EQ(axisB, b);
            EXPECT_EQ(sp_xnow(a, b), expected);
            EXPECT_EQ(sp_xnow(b, a), expected);
        }
    }
    EXPECT_EQ(sp_xnow(1, 2), 0) << "parallel axes do not cross";
    EXPECT_EQ(sp_xnow(4, 6), 0);
    EXPECT_EQ(sp_xnow(1, 1), 0);
    EXPECT_EQ(sp_xnow(1, 99), 0);
    int a = 0, b = 0;
    EXPECT_EQ(sp_xwno2(10, &a, &b), -1);
    EXPECT_EQ(sp_xwno2(0, &a, &b), -1);
}

TEST_F(TevaGridModel, PositionsTakeTheLayerHeight)
{
    for (int layer = 1; layer <= 3; ++layer) {
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                const int c = sp_xnow(i + 1, j + 4);
                float x = 0, y = 0, z = 0;
                ASSERT_EQ(sp_GetCord3d(layer, c, &x, &y, &z), 0);
                EXPECT_NEAR(x, kGridX[i], kTolerance);
                EXPECT_NEAR(y, kGridY[j], kTolerance);
                EXPECT_NEAR(z, kStoreyHeights[layer - 1], kTolerance);
            }
        }
    }
    float x, y, z;
    EXPECT_EQ(sp_GetCord3d(1, 10, &x, &y, &z), -1);
    EXPECT_EQ(sp_GetCord3d(7, 1, &x, &y, &z), -1);
    EXPECT_EQ(sp_GetCord3d(1, 1, nullptr, &y, &z), -1);
}

TEST_F(TevaGridModel, EachCrossingIsItsOwnNode)
{
    for (int c = 1; c <= 9; ++c) {
        EXPECT_EQ(sp_nno(2, c), c);
        int list[512] = {};
        EXPECT_EQ(sp_nnox_L(2, c, list), 1);
        EXPECT_EQ(list[0], c);
        EXPECT_EQ(sp_nnox_N(2, c), 1);
    }
    int list[512];
    EXPECT_EQ(sp_nnox_L(2, 10, list), -1);
    EXPECT_EQ(sp_nnox_L(2, 1, nullptr), -1);
    EXPECT_EQ(sp_nno(2, 0), -1);
}

TEST_F(TevaGridModel, SpansRunAxisByAxisInAxisDirection)
{
    for (int axis = 1; axis <= 6; ++axis) {
        SCOPED_TRACE("axis " + std::to_string(axis));
        int first = 0, last = 0;
        ASSERT_EQ(sp_scon(1, axis, &first, &last), 0);
        EXPECT_EQ(first, 2 * axis - 1);
        EXPECT_EQ(last, 2 * axis);
        // The axes run from their first point in ascending X or Y, so the
        // cutting axes follow in ascending order of the other family.
        const int others = axis <= 3 ? 4 : 1;
        for (int k = 0; k < 2; ++k) {
            int onAxis = 0, cut1 = 0, cut2 = 0;
            ASSERT_EQ(sp_snox(1, first + k, &onAxis, &cut1, &cut2), 0);
            EXPECT_EQ(onAxis, axis);
            EXPECT_EQ(cut1, others + k);
            EXPECT_EQ(cut2, others + k + 1);
        }
    }
    expectSpansConsistent(1);
    expectSpansConsistent(3);
    int a, b, c;
    EXPECT_EQ(sp_snox(1, 13, &a, &b, &c), -1);
    EXPECT_EQ(sp_snon(1, 0, &a, &b), -1);
    EXPECT_EQ(sp_scon(1, 7, &a, &b), -1);
}

TEST_F(TevaGridModel, SpanBetweenTwoCrossingsOfOneAxis)
{
    struct Case {
        const char* name;
        int crossing1, crossing2;
        int result, span;
    };
    const int c14 = sp_xnow(1, 4), c15 = sp_xnow(1, 5), c16 = sp_xnow(1, 6), c25 = sp_xnow(2, 5);
    const Case cases[] = {
        {"neighbours forward", c14, c15, 0, 1},
        {"neighbours backward", c15, c14, 0, 1},
        {"two apart forward", c14, c16, 0, 1},
        {"two apart backward", c16, c14, 0, 2},
        {"along an X axis", sp_xnow(1, 5), sp_xnow(3, 5), 0, 9},
        {"no common axis", c14, c25, -1, 0},
        {"same crossing", c15, c15, -1, 0},
        {"unknown crossing", c15, 99, -1, 0},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        int span = -7;
        int work1[512], work2[512];
        EXPECT_EQ(sp_sno(2, 0, t.crossing1, t.crossing2, &span, work1, work2, 0), t.result);
        EXPECT_EQ(span, t.span);
    }
    int work[512];
    EXPECT_EQ(sp_sno(2, 0, c14, c15, nullptr, work, work, 0), -1);
}

TEST_F(TevaGridModel, SpanBetweenTwoNodes)
{
    EXPECT_EQ(sp_Pnt2ToSpanFB(1, 1, 3), 1);
    EXPECT_EQ(sp_Pnt2ToSpanFB(1, 3, 1), 2);
    EXPECT_EQ(sp_Pnt2ToSpanFB(1, 2, 3), 2);
    EXPECT_EQ(sp_Pnt2ToSpanFB(1, 1, 1), -1);
    EXPECT_EQ(sp_Pnt2ToSpanFB(1, 1, 5), -1) << "no axis runs diagonally";
    EXPECT_EQ(sp_Pnt2ToSpanFB(1, 1, 0), -1);
    EXPECT_EQ(sp_Pnt2ToSpanFB(9, 1, 3), -1);
}

TEST_F(TevaGridModel, AxesKeepTheirNamesAndEnds)
{
    const char* names[] = {"X1", "X2", "X3", "Y1", "Y2", "Y3"};
    for (int axis = 1; axis <= 6; ++axis) {
        const int code = sp_wnam(axis);
        EXPECT_EQ(code, DB_Usfind(TEVA_NAME_AXIS, names[axis - 1]));
        EXPECT_EQ(sp_wno(code), axis);
        float x1, y1, x2, y2;
        ASSERT_EQ(sp_GetTwoPntCord(1, axis, &x1, &y1, &x2, &y2), 0);
        if (axis <= 3) {
            EXPECT_NEAR(x1, kGridX[axis - 1], kTolerance);
            EXPECT_NEAR(y1, -1000, kTolerance);
            EXPECT_NEAR(y2, 11000, kTolerance);
        } else {
            EXPECT_NEAR(y1, kGridY[axis - 4], kTolerance);
            EXPECT_NEAR(x1, -1000, kTolerance);
            EXPECT_NEAR(x2, 13000, kTolerance);
        }
    }
    EXPECT_EQ(sp_wnam(0), -1);
    EXPECT_EQ(sp_wnam(7), -1);
    EXPECT_EQ(sp_wno(999), -1);
    float f;
    EXPECT_EQ(sp_GetTwoPntCord(1, 7, &f, &f, &f, &f), -1);
}

TEST_F(TevaGridModel, RecordsChangeTheModelAtTheNextRestructure)
{
    ASSERT_EQ(addAxis("X4", 9000, -1000, 9000, 11000), 7);
    EXPECT_EQ(sp_GetMaxLin(0), 6);
    EXPECT_EQ(sp_GetMaxCros(), 9);
    ASSERT_EQ(DB_restruct(0), 0);
    EXPECT_EQ(sp_GetMaxLin(0), 7);
    EXPECT_EQ(sp_GetMaxCros(), 12);
    EXPECT_EQ(sp_GetMaxSpan(1), 12 + 2 + 3) << "X4 has two spans, each Y axis one more";
}

TEST_F(TevaGridModel, PlanExtentCoversAllCrossings)
{
    for (int index = 0; index < 3; ++index) {
        float maxX = 0, maxY = 0, minX = 0, minY = 0;
        ASSERT_EQ(sp_GetMaxMinCord(index, &maxX, &maxY, &minX, &minY), 0);
        EXPECT_NEAR(maxX, 12000, kTolerance);
        EXPECT_NEAR(maxY, 10000, kTolerance);
        EXPECT_NEAR(minX, 0, kTolerance);
        EXPECT_NEAR(minY, 0, kTolerance);
    }
    float f;
    EXPECT_EQ(sp_GetMaxMinCord(3, &f, &f, &f, &f), -1);
    EXPECT_EQ(sp_GetMaxMinCord(-1, &f, &f, &f, &f), -1);
}

TEST_F(TevaGridModel, DiagonalAxisSplitsTheSpansItCrosses)
{
    // y = x / 2 - 500 from (-1000, -1000) to (13000, 6000): it crosses
    // X1 at y -500, X2 at y 2500, X3 at y 5500, Y1 at x 1000 and Y2 at
    // x 11000; Y3 (y 10000) lies beyond its end.
    ASSERT_EQ(addAxis("D", -1000, -1000, 13000, 6000), 7);
    ASSERT_EQ(DB_restruct(0), 0);
    EXPECT_EQ(sp_GetMaxCros(), 14);
    EXPECT_EQ(sp_GetMaxNode(1), 14);
    EXPECT_EQ(sp_xnow(6, 7), 0);
    struct Crossed {
        int axis;
        double x, y;
    };
    const Crossed crossed[] = {{1, 0, -500}, {2, 6000, 2500}, {3, 12000, 5500},
                               {4, 1000, 0}, {5, 11000, 5000}};
    for (const Crossed& t : crossed) {
        SCOPED_TRACE("axis " + std::to_string(t.axis));
        const int c = sp_xnow(t.axis, 7);
        ASSERT_GT(c, 0);
        float x, y, z;
        ASSERT_EQ(sp_GetCord3d(2, c, &x, &y, &z), 0);
        EXPECT_NEAR(x, t.x, kTolerance);
        EXPECT_NEAR(y, t.y, kTolerance);
        EXPECT_NEAR(z, 3000, kTolerance);
    }
    // Crossings stay in ascending (a, b) order with the new pairs among them.
    int previousA = 0, previousB = 0;
    for (int c = 1; c <= 14; ++c) {
        int a = 0, b = 0;
        ASSERT_EQ(sp_xwno2(c, &a, &b), 0);
        EXPECT_LT(std::pair(previousA, previousB), std::pair(a, b));
        previousA = a;
        previousB = b;
    }
    // X2 now has four nodes: three spans, the first from Y1 to the diagonal.
    int first = 0, last = 0;
    ASSERT_EQ(sp_scon(1, 2, &first, &last), 0);
    EXPECT_EQ(last - first + 1, 3);
    int axis, cut1, cut2;
    ASSERT_EQ(sp_snox(1, first, &axis, &cut1, &cut2), 0);
    EXPECT_EQ(axis, 2);
    EXPECT_EQ(cut1, 4);
    EXPECT_EQ(cut2, 7);
    // The diagonal itself has five nodes and four spans, in its direction.
    ASSERT_EQ(sp_scon(1, 7, &first, &last), 0);
    EXPECT_EQ(last - first + 1, 4);
    const int expectedCuts[][2] = {{1, 4}, {4, 2}, {2, 5}, {5, 3}};
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(sp_snox(1, first + k, &axis, &cut1, &cut2), 0);
        EXPECT_EQ(axis, 7);
        EXPECT_EQ(cut1, expectedCuts[k][0]);
        EXPECT_EQ(cut2, expectedCuts[k][1]);
    }
    // 6 + 3 + 3 + 3 + 3 + 3 + 2 + ... : every axis but Y3 gained one span.
    EXPECT_EQ(sp_GetMaxSpan(1), 12 + 5 + 4);
    expectSpansConsistent(1);
}

TEST(TevaModelNodes, ThreeAxesThroughOnePointShareOneNode)
{
    TempDir dir;
    ASSERT_EQ(teva_create(dir.File("star.teva").c_str(), "Star"), 0);
    ASSERT_EQ(teva_add_storey("1F", 0), 1);
    ASSERT_EQ(addAxis("A", -1000, 0, 1000, 0), 1);
    ASSERT_EQ(addAxis("B", 0, -1000, 0, 1000), 2);
    ASSERT_EQ(addAxis("C", -1000, -1000, 1000, 1000), 3);
    // A fourth axis makes a second node on A, so spans exist.
    ASSERT_EQ(addAxis("E", 500, -1000, 500, 1000), 4);
    ASSERT_EQ(DB_restruct(0), 0);

    EXPECT_EQ(sp_GetMaxCros(), 5); // (1,2) (1,3) (1,4) (2,3) (3,4)
    EXPECT_EQ(sp_GetMaxNode(1), 3);
    const int centre = sp_nno(1, sp_xnow(1, 2));
    EXPECT_EQ(centre, 1);
    EXPECT_EQ(sp_nno(1, sp_xnow(1, 3)), centre);
    EXPECT_EQ(sp_nno(1, sp_xnow(2, 3)), centre);
    int list[512] = {};
    ASSERT_EQ(sp_nnox_L(1, centre, list), 3);
    EXPECT_EQ(list[0], sp_xnow(1, 2));
    EXPECT_EQ(list[1], sp_xnow(1, 3));
    EXPECT_EQ(list[2], sp_xnow(2, 3));
    // Node 2 (lowest crossing (1,4)) and node 3 ((3,4) at (500, 500)).
    EXPECT_EQ(sp_nno(1, sp_xnow(1, 4)), 2);
    EXPECT_EQ(sp_nno(1, sp_xnow(3, 4)), 3);

    // A's span from the centre to E: the centre's lowest other axis is B.
    int first = 0, last = 0, axis = 0, cut1 = 0, cut2 = 0;
    ASSERT_EQ(sp_scon(1, 1, &first, &last), 0);
    EXPECT_EQ(first, last);
    ASSERT_EQ(sp_snox(1, first, &axis, &cut1, &cut2), 0);
    EXPECT_EQ(axis, 1);
    EXPECT_EQ(cut1, 2);
    EXPECT_EQ(cut2, 4);
    EXPECT_EQ(sp_scon(1, 2, &first, &last), -1) << "B meets only one node";
    // The span joining two crossings is found through the axis carrying
    // both nodes, whichever crossing of the centre node is given.
    int span = 0;
    int work[512];
    EXPECT_EQ(sp_sno(1, 0, sp_xnow(2, 3), sp_xnow(1, 4), &span, work, work, 0), 0);
    EXPECT_EQ(span, first);
    teva_close();
}

TEST(TevaModelNodes, CrossingsWithinOneMillimetreShareANode)
{
    TempDir dir;
    ASSERT_EQ(teva_create(dir.File("near.teva").c_str(), "Near"), 0);
    ASSERT_EQ(teva_add_storey("1F", 0), 1);
    ASSERT_EQ(addAxis("A", 0, 0, 10000, 0), 1);
    ASSERT_EQ(addAxis("B", 5000, -1000, 5000, 1000), 2);
    ASSERT_EQ(addAxis("C", 5000.6, -1000, 5000.6, 1000), 3);   // 0.6 mm from B
    ASSERT_EQ(addAxis("D", 7000, -1000, 7000, 1000), 4);
    ASSERT_EQ(addAxis("E", 7001.5, -1000, 7001.5, 1000), 5);   // 1.5 mm from D
    // An axis ending 0.4 mm short of A still crosses it; 0.7 mm short does not.
    ASSERT_EQ(addAxis("F", 9000, 0.4, 9000, 1000), 6);
    ASSERT_EQ(addAxis("G", 9500, 0.7, 9500, 1000), 7);
    ASSERT_EQ(DB_restruct(0), 0);

    EXPECT_EQ(sp_nno(1, sp_xnow(1, 2)), sp_nno(1, sp_xnow(1, 3)));
    EXPECT_NE(sp_nno(1, sp_xnow(1, 4)), sp_nno(1, sp_xnow(1, 5)));
    EXPECT_GT(sp_xnow(1, 6), 0);
    EXPECT_EQ(sp_xnow(1, 7), 0);
    EXPECT_EQ(sp_GetMaxNode(1), 4);
    teva_close();
}

TEST_F(TevaGridModel, ReopenedProjectHasTheSameModel)
{
    ASSERT_GT(addAxis("D", -1000, -1000, 13000, 6000), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    struct Snapshot {
        std::vector<std::array<int, 3>> crossings;
        std::vector<std::array<int, 5>> spans;
        std::vector<std::array<float, 3>> positions;
        std::vector<int> layers;
        bool operator==(const Snapshot&) const = default;
    };
    auto take = [] {
        Snapshot s;
        for (int i = 1; sp_lslay(i) != 0; ++i)
            s.layers.push_back(sp_lslay(i));
        for (int c = 1; c <= sp_GetMaxCros(); ++c) {
            std::array<int, 3> row{};
            sp_xwno2(c, &row[0], &row[1]);
            row[2] = sp_nno(2, c);
            s.crossings.push_back(row);
            std::array<float, 3> p{};
            sp_GetCord3d(2, c, &p[0], &p[1], &p[2]);
            s.positions.push_back(p);
        }
        for (int span = 1; span <= sp_GetMaxSpan(2); ++span) {
            std::array<int, 5> row{};
            sp_snox(2, span, &row[0], &row[1], &row[2]);
            sp_snon(2, span, &row[3], &row[4]);
            s.spans.push_back(row);
        }
        return s;
    };
    const Snapshot before = take();
    ASSERT_EQ(before.crossings.size(), 14u);
    teva_close();
    EXPECT_EQ(sp_GetMaxCros(), -1);
    ASSERT_EQ(teva_open(dir.File("grid.teva").c_str()), 0) << teva_last_error();
    EXPECT_TRUE(take() == before);
}
