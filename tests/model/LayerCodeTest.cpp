#include <gtest/gtest.h>

#include <ostream>

#include "model/LayerCode.h"

namespace {

TEST(LayerCode, LevelAndSubLayerUseCDivision) {
    EXPECT_EQ(LayerLevel(1), 1);
    EXPECT_EQ(LayerSubLayer(1), 0);
    EXPECT_EQ(LayerLevel(32769), 1);
    EXPECT_EQ(LayerSubLayer(32769), 1);
    EXPECT_EQ(LayerLevel(3 + 32768 * 2), 3);
    EXPECT_EQ(LayerSubLayer(3 + 32768 * 2), 2);
    // Codes -1 and 1 both have level 1 (in absolute value; the remainder
    // keeps the sign of the code).
    EXPECT_EQ(LayerLevel(-1), -1);
    EXPECT_EQ(LayerSubLayer(-1), 0);
    EXPECT_EQ(LayerLevel(-(32768 * 4 + 1)), -1);
    EXPECT_EQ(LayerSubLayer(-(32768 * 4 + 1)), -4);
    EXPECT_EQ(MakeLayerCode(2, 3), 2 + 3 * 32768);
}

struct OrderCase {
    const char* name;
    friend void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }
    LayerCode lower, upper;
};

class LayerOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(LayerOrder, LowerLiesBelowUpperAndNotTheOtherWay) {
    EXPECT_TRUE(LayerBelow(GetParam().lower, GetParam().upper));
    EXPECT_FALSE(LayerBelow(GetParam().upper, GetParam().lower));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayerOrder,
    testing::Values(OrderCase{"MainBelowItsSubLayer", 1, 32769},
                    OrderCase{"SubLayerBelowNextStorey", 32769, 2},
                    OrderCase{"MainBelowNextMain", 1, 2},
                    OrderCase{"SubLayersInOrder", 2 + 32768, 2 + 2 * 32768},
                    OrderCase{"HighSubLayerBelowNextStorey", 1 + 5 * 32768, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LayerOrder, SlopeEntryStandsAtItsLowerStoreysLevel) {
    // -1 and 1 both have level 1: neither lies below the other.
    EXPECT_FALSE(LayerBelow(-1, 1));
    EXPECT_FALSE(LayerBelow(1, -1));
    EXPECT_TRUE(LayerBelow(-1, 2));
    EXPECT_TRUE(LayerBelow(1, -2));
}

TEST(LayerOrder, ALayerIsNotBelowItself) {
    EXPECT_FALSE(LayerBelow(32769, 32769));
    EXPECT_FALSE(LayerBelow(1, 1));
}

TEST(LayerCode, SlopeNumberIsTheAbsoluteHighPart) {
    EXPECT_EQ(SlopeNumberOf(-(32768 * 7 + 1)), 7);
    EXPECT_EQ(SlopeNumberOf(32768 * 7 + 2), 7);
    EXPECT_EQ(SlopeNumberOf(-1), 0);
}

}  // namespace
