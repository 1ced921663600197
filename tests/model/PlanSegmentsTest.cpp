#include <gtest/gtest.h>

#include <ostream>

#include "model/PlanSegments.h"

namespace {

struct SegmentPairCase {
    const char* name;
    friend void PrintTo(const SegmentPairCase& c, std::ostream* os) { *os << c.name; }
    Vec3d a, b, c, d;
    bool expected;
};

std::string CaseName(const testing::TestParamInfo<SegmentPairCase>& info) { return info.param.name; }

class CollinearTable : public testing::TestWithParam<SegmentPairCase> {};

TEST_P(CollinearTable, Answers) {
    const auto& p = GetParam();
    EXPECT_EQ(SegmentsCollinear(p.a, p.b, p.c, p.d), p.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CollinearTable,
    testing::Values(
        SegmentPairCase{"SameLineSameWay", {0, 0, 0}, {5, 0, 0}, {7, 0, 0}, {9, 0, 0}, true},
        SegmentPairCase{"SameLineOppositeWays", {0, 0, 0}, {5, 0, 0}, {9, 0, 0}, {7, 0, 0}, true},
        SegmentPairCase{"Diagonal", {0, 0, 0}, {2, 2, 0}, {5, 5, 0}, {3, 3, 0}, true},
        SegmentPairCase{"FallingDiagonal", {0, 10, 0}, {2, 8, 0}, {5, 5, 0}, {3, 7, 0}, true},
        SegmentPairCase{"VerticalBothWays", {0, 0, 0}, {0, 5, 0}, {0, 9, 0}, {0, 7, 0}, true},
        SegmentPairCase{"ParallelApart", {0, 0, 0}, {5, 0, 0}, {0, 1, 0}, {5, 1, 0}, false},
        SegmentPairCase{"WithinTolerance", {0, 0, 0}, {5, 0, 0}, {7, 0.0005, 0}, {9, 0.0005, 0}, true},
        SegmentPairCase{"Crossing", {0, 0, 0}, {5, 0, 0}, {2, -1, 0}, {2, 1, 0}, false},
        // A line leaning slightly towards -x: a short piece counts as
        // vertical (|dx| < 0.0001), a long one does not.
        SegmentPairCase{
            "LeaningPiecesOfOneLine", {0, 0, 0}, {-0.00005, 5, 0}, {-0.0001, 10, 0}, {-0.0002, 20, 0}, true},
        SegmentPairCase{
            "LeaningPiecesGivenBackwards", {-0.00005, 5, 0}, {0, 0, 0}, {-0.0002, 20, 0}, {-0.0001, 10, 0}, true},
        SegmentPairCase{"LeaningTheOtherWay", {0, 0, 0}, {0.00005, 5, 0}, {0.0001, 10, 0}, {0.0002, 20, 0}, true},
        SegmentPairCase{"AxisAndLeaningLine", {0, 0, 0}, {0, 5, 0}, {0, 10, 0}, {-0.0002, 20, 0}, false},
        SegmentPairCase{"APointIsOnNoLine", {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {5, 0, 0}, false}),
    CaseName);

class OverlapTable : public testing::TestWithParam<SegmentPairCase> {};

TEST_P(OverlapTable, Answers) {
    const auto& p = GetParam();
    EXPECT_EQ(SegmentsOverlap(p.a, p.b, p.c, p.d), p.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverlapTable,
    testing::Values(
        SegmentPairCase{"Overlapping", {0, 0, 0}, {5, 0, 0}, {3, 0, 0}, {8, 0, 0}, true},
        SegmentPairCase{"OverlappingReversed", {5, 0, 0}, {0, 0, 0}, {8, 0, 0}, {3, 0, 0}, true},
        SegmentPairCase{"Containing", {0, 0, 0}, {10, 0, 0}, {3, 0, 0}, {4, 0, 0}, true},
        SegmentPairCase{"Same", {0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {0, 0, 0}, true},
        SegmentPairCase{"TouchAtHighEnd", {0, 0, 0}, {5, 0, 0}, {5, 0, 0}, {8, 0, 0}, false},
        SegmentPairCase{"TouchAtLowEnd", {5, 0, 0}, {8, 0, 0}, {0, 0, 0}, {5, 0, 0}, false},
        SegmentPairCase{"TouchWithinTolerance", {0, 0, 0}, {5, 0, 0}, {5.00005, 0, 0}, {8, 0, 0}, false},
        SegmentPairCase{"Apart", {0, 0, 0}, {2, 0, 0}, {5, 0, 0}, {8, 0, 0}, false},
        SegmentPairCase{"ApartAfter", {5, 0, 0}, {8, 0, 0}, {0, 0, 0}, {2, 0, 0}, false},
        // A vertical pair has equal x everywhere: it is compared by y.
        SegmentPairCase{"VerticalOverlapping", {0, 0, 0}, {0, 5, 0}, {0, 3, 0}, {0, 8, 0}, true},
        SegmentPairCase{"VerticalApart", {0, 0, 0}, {0, 2, 0}, {0, 5, 0}, {0, 8, 0}, false},
        SegmentPairCase{"VerticalTouching", {0, 5, 0}, {0, 0, 0}, {0, 8, 0}, {0, 5, 0}, false},
        // Ends whose x differ by less than the tolerance still make a
        // vertical segment, whichever end comes first.
        SegmentPairCase{"NearlyVerticalApart", {0.00001, 0, 0}, {0, 2, 0}, {0, 5, 0}, {0.00001, 8, 0}, false},
        SegmentPairCase{"NearlyVerticalOverlapping", {0.00001, 0, 0}, {0, 5, 0}, {0, 3, 0}, {0.00001, 8, 0}, true},
        // One piece nearly vertical, the other not, on a line leaning to -x.
        SegmentPairCase{"LeaningOverlapping", {0, 0, 0}, {-0.00005, 5, 0}, {-0.00004, 4, 0}, {-0.0002, 20, 0}, true},
        SegmentPairCase{"LeaningApart", {0, 0, 0}, {-0.00005, 5, 0}, {-0.0001, 10, 0}, {-0.0002, 20, 0}, false},
        SegmentPairCase{"LeaningTouching", {-0.0002, 20, 0}, {-0.00005, 5, 0}, {0, 0, 0}, {-0.00005, 5, 0}, false},
        SegmentPairCase{
            "DiagonalTouchingWithinTolerance", {0, 0, 0}, {5, 5, 0}, {5.00003, 5.00003, 0}, {9, 9, 0}, false}),
    CaseName);

}  // namespace
