// The derived model built straight from in-memory project contents: which
// records make axes, layers and slopes, and the geometric tolerances.
#include "ModelTopology.h"
#include "tevalib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace teva;

namespace {

constexpr double kTolerance = 1e-6;

class Contents {
public:
    Contents() { data.storeyHeights = {0, 3000}; }

    Contents& axis(int id, double x1, double y1, double x2, double y2, int type = 0, int name = 0,
                   int points = 2, bool lastPoint = true)
    {
        const auto i16 = [](int v) { return static_cast<std::int16_t>(v); };
        RecordBytes line(AxisLineRecord::size);
        encode(AxisLineRecord{i16(id), i16(type), i16(name ? name : id), 0, i16(points), x1, y1},
               line.data());
        data.records[TEVA_REC_AXIS_LINE][RecordKey{id, 0}] = line;
        if (lastPoint) {
            RecordBytes point(AxisPointRecord::size);
            encode(AxisPointRecord{i16(id), i16(points), x2, y2}, point.data());
            data.records[TEVA_REC_AXIS_POINT][RecordKey{id, points}] = point;
        }
        return *this;
    }

    Contents& level(int number, int type, int base, double height)
    {
        RecordBytes level(LevelRecord::size);
        encode(LevelRecord{static_cast<std::int16_t>(type), static_cast<std::int16_t>(number),
                           static_cast<std::int16_t>(base), height},
               level.data());
        data.records[TEVA_REC_LEVEL][RecordKey{number, 0}] = level;
        return *this;
    }

    ModelTopology build() const { return ModelTopology::build(data); }

    ProjectData data;
};

} // namespace

TEST(TevaModelTopology, OnlyUsableAxisRecordsAreAxes)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Contents contents;
    contents.axis(1, 0, 0, 1000, 0)
        .axis(2, 0, 0, 0, 1000, 4)            // type 4 is no axis type
        .axis(3, 0, 0, 0, 1000, 0, -1)        // no name
        .axis(4, 0, 0, 0, 1000, 0, 0, 1)      // a single point
        .axis(5, 0, 0, 0, 1000, 0, 0, 3, false) // its last point is missing
        .axis(6, 5, 5, 5.2, 5)                // shorter than 0.5 mm
        .axis(7, nan, 0, 0, 1000)             // not a number
        .axis(8, 500, -500, 500, 500, 3, 0, 3) // three points: first to last
        .axis(9, 1e300, 0, -1e300, 1)         // stored before such points were refused
        .axis(10, 0, -2e9, 0, 2e9);           // beyond +-1e9 mm
    const ModelTopology model = contents.build();
    ASSERT_EQ(model.axes().size(), 2u);
    EXPECT_EQ(model.axes()[0].lineId, 1);
    EXPECT_EQ(model.axes()[1].lineId, 8);
    EXPECT_EQ(model.axisByName(8), 2);
    EXPECT_EQ(model.axisByName(2), -1);
    ASSERT_EQ(model.crossings().size(), 1u);
    EXPECT_NEAR(model.crossings()[0].x, 500, kTolerance);
    EXPECT_NEAR(model.crossings()[0].y, 0, kTolerance);
}

TEST(TevaModelTopology, NodesMergeCrossingsTransitively)
{
    // Three verticals 0.8 mm apart crossing one horizontal: neighbours are
    // within 1 mm, so all three crossings are one node.
    Contents contents;
    contents.axis(1, -100, 0, 100, 0)
        .axis(2, 0, -100, 0, 100)
        .axis(3, 0.8, -100, 0.8, 100)
        .axis(4, 1.6, -100, 1.6, 100)
        .axis(5, 50, -100, 50, 100);
    const ModelTopology model = contents.build();
    ASSERT_EQ(model.crossings().size(), 4u);
    EXPECT_EQ(model.nodeCount(), 2);
    EXPECT_EQ(model.nodeCrossings(1), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(model.nodeAxes(1), (std::vector<int>{1, 2, 3, 4}));
    // The horizontal has one span, cut off by its lowest other axis.
    ASSERT_EQ(model.spans().size(), 1u);
    EXPECT_EQ(model.spans()[0].cut1, 2);
    EXPECT_EQ(model.spans()[0].cut2, 5);
}

TEST(TevaModelTopology, NearlyParallelAxesCrossFarAwayOnlyWithinTheirSegments)
{
    Contents contents;
    contents.axis(1, 0, 0, 10000, 0).axis(2, 0, 1, 10000, 2).axis(3, 0, -1, 10000, 1);
    const ModelTopology model = contents.build();
    // 1 and 2 would meet at x = -10000: outside both segments. 1 and 3
    // meet at x = 5000; 2 and 3 would meet at x = -20000.
    ASSERT_EQ(model.crossings().size(), 1u);
    EXPECT_EQ(model.crossingOf(3, 1), 1);
    EXPECT_NEAR(model.crossings()[0].x, 5000, 1e-3);
}

TEST(TevaModelTopology, AbsoluteLevelBelongsToTheStoreyAtOrBelowIt)
{
    Contents contents;
    contents.level(1, 1, 0, 3000).level(2, 1, 0, 2999.5).level(3, 2, 2, -100).level(4, 2, 3, 10);
    const ModelTopology model = contents.build();
    EXPECT_EQ(model.levelRecordCount(), 4);
    ASSERT_NE(model.layer(2 + 32768), nullptr) << "exactly at storey 2's height";
    ASSERT_NE(model.layer(1 + 2 * 32768), nullptr);
    // A relative level may lie below its storey's floor; it still follows it.
    ASSERT_NE(model.layer(2 + 3 * 32768), nullptr);
    EXPECT_NEAR(model.layer(2 + 3 * 32768)->height, 2900, kTolerance);
    EXPECT_EQ(model.layerIndex(2 + 3 * 32768), 4);
    EXPECT_EQ(model.layer(3 + 4 * 32768), nullptr) << "storey 3 does not exist";
}
