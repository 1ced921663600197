#include <gtest/gtest.h>

#include <ostream>

#include "mesh/NumberText.h"

namespace {

using namespace textnum;

struct IntCase {
    const char* name;
    friend void PrintTo(const IntCase& c, std::ostream* os) { *os << c.name; }
    const char* text;
    int32_t value;
};

class AtoITable : public testing::TestWithParam<IntCase> {};

TEST_P(AtoITable, FollowsAtoi) { EXPECT_EQ(AtoI(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Cases, AtoITable,
    testing::Values(IntCase{"Plain", "42", 42}, IntCase{"Negative", "-17", -17},
                    IntCase{"Plus", "+5", 5}, IntCase{"LeadingBlanks", " \t 9", 9},
                    IntCase{"StopsAtText", "12abc", 12}, IntCase{"StopsAtPoint", "3.9", 3},
                    IntCase{"NoNumber", "abc", 0}, IntCase{"Empty", "", 0},
                    IntCase{"SignOnly", "-", 0}, IntCase{"ClampsHigh", "99999999999", 2147483647},
                    IntCase{"ClampsLow", "-99999999999", -2147483647 - 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct DoubleCase {
    const char* name;
    friend void PrintTo(const DoubleCase& c, std::ostream* os) { *os << c.name; }
    const char* text;
    double value;
};

class AtoFTable : public testing::TestWithParam<DoubleCase> {};

TEST_P(AtoFTable, FollowsAtof) { EXPECT_DOUBLE_EQ(AtoF(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Cases, AtoFTable,
    testing::Values(DoubleCase{"Plain", "1.5", 1.5}, DoubleCase{"Negative", "-0.25", -0.25},
                    DoubleCase{"Exponent", "1e3", 1000.0}, DoubleCase{"LeadingPoint", ".5", 0.5},
                    DoubleCase{"TrailingPoint", "5.", 5.0}, DoubleCase{"Blanks", "  7", 7.0},
                    DoubleCase{"StopsAtText", "2.5mm", 2.5},
                    DoubleCase{"StopsAtComma", "1,5", 1.0}, DoubleCase{"NoNumber", "x", 0.0},
                    DoubleCase{"Infinity", "inf", 0.0}, DoubleCase{"NotANumber", "nan", 0.0},
                    DoubleCase{"Overflow", "1e999", 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatFixed, RoundsLikePrintf) {
    EXPECT_EQ(FormatFixed(1.234, 2), "1.23");
    EXPECT_EQ(FormatFixed(5.0, 2), "5.00");
    EXPECT_EQ(FormatFixed(-0.5, 1), "-0.5");
    EXPECT_EQ(FormatFixed(199.9f, 1), "199.9");
    EXPECT_EQ(FormatFixed(2.675, 2), "2.67");  // 2.675 is 2.67499… in binary
    EXPECT_EQ(FormatFixed(12345.06, 1), "12345.1");
}

TEST(ScanNumbers, AdvancePastWhatTheyRead) {
    std::string_view text = " 12,-3.5e1,x";
    EXPECT_EQ(ScanInt(text), 12);
    EXPECT_EQ(text, ",-3.5e1,x");
    text.remove_prefix(1);
    EXPECT_EQ(ScanDouble(text), -35.0);
    EXPECT_EQ(text, ",x");
    text.remove_prefix(1);
    EXPECT_FALSE(ScanDouble(text).has_value());
    EXPECT_EQ(text, "x");
    EXPECT_FALSE(ScanInt(text).has_value());
}

}  // namespace
