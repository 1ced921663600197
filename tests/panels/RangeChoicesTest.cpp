// The range selectors' lists, choices and decoding, read from test projects.

#include <gtest/gtest.h>

#include "ProjectFixture.h"
#include "panels/RangeChoices.h"

namespace {

using Strings = std::vector<std::string>;

class RangeChoicesTest : public ProjectFixture {};

TEST_F(RangeChoicesTest, StoreysGiveTheFirstAsLowerAndTheLastAsUpper) {
    ASSERT_TRUE(AddStoreys());
    ASSERT_TRUE(AddAxes({0, 6000}, {0, 5000}));
    ASSERT_EQ(DB_restruct(0), 0);
    const RangeChoices c = FillRangeChoices({});
    EXPECT_EQ(c[RangeBox::Upper].entries, (Strings{"1F", "2F", "RF"}));
    EXPECT_EQ(c[RangeBox::Lower].entries, (Strings{"1F", "2F", "RF"}));
    EXPECT_EQ(c[RangeBox::Lower].chosen, "1F");
    EXPECT_EQ(c[RangeBox::Lower].code, 1);
    EXPECT_EQ(c[RangeBox::Upper].chosen, "RF");
    EXPECT_EQ(c[RangeBox::Upper].code, 3);
}

TEST_F(RangeChoicesTest, SubLayerIsListedAsStoreyDashSubLayerAndDecodedBack) {
    ASSERT_TRUE(AddStoreys());
    const int m = modeldbtest::addLevel(2, "M", 2, 1500);
    ASSERT_GT(m, 0);
    ASSERT_EQ(DB_restruct(0), 0);
    const int code = 2 + 32768 * m;
    const RangeChoices c = FillRangeChoices({});
    EXPECT_EQ(c[RangeBox::Lower].entries, (Strings{"1F", "2F", "2F - M", "RF"}));
    EXPECT_EQ(LayerLabel(code), "2F - M");
    EXPECT_EQ(DecodeLayerText("2F - M"), code);
    EXPECT_EQ(DecodeLayerText("2F"), 2);
    EXPECT_EQ(DecodeLayerText(" - M"), 1 + 32768 * m) << "an empty storey part is storey 1";
    EXPECT_EQ(DecodeLayerText("9F"), 0) << "an unknown storey decodes to no layer";
    // Reading a choice never writes a name into the model.
    EXPECT_EQ(DecodeLayerText("2F - Q"), 0);
    EXPECT_EQ(DecodeAxisText("X99"), 0);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SUBLAYER, "Q"), -2);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, "X99"), -2);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_STOREY, "9F"), -2);
    EXPECT_EQ(DecodeLayerText(""), 0);

    // A refill keeps the sub-layer chosen, with its code.
    EarlierSelections earlier;
    earlier[static_cast<int>(RangeBox::Lower) - 1] = "2F - M";
    const RangeChoices again = FillRangeChoices(earlier);
    EXPECT_EQ(again[RangeBox::Lower].chosen, "2F - M");
    EXPECT_EQ(again[RangeBox::Lower].code, code);
}

TEST_F(RangeChoicesTest, AxesAtTheEndsAreChosenAndEarlierInnerChoicesKept) {
    ASSERT_TRUE(AddStoreys());
    ASSERT_TRUE(AddAxes({0, 6000, 12000, 18000}, {0, 5000, 10000}));
    ASSERT_EQ(DB_restruct(0), 0);
    const RangeChoices c = FillRangeChoices({});
    EXPECT_EQ(c[RangeBox::XLeft].entries, (Strings{"X1", "X2", "X3", "X4"}));
    EXPECT_EQ(c[RangeBox::XRight].entries, (Strings{"X1", "X2", "X3", "X4"}));
    EXPECT_EQ(c[RangeBox::YLeft].entries, (Strings{"Y1", "Y2", "Y3"}));
    EXPECT_EQ(c[RangeBox::XLeft].chosen, "X1");
    EXPECT_EQ(c[RangeBox::XRight].chosen, "X4");
    EXPECT_EQ(c[RangeBox::YLeft].chosen, "Y1");
    EXPECT_EQ(c[RangeBox::YRight].chosen, "Y3");
    EXPECT_EQ(c[RangeBox::XLeft].code, AxisNameCode("X1"));
    EXPECT_EQ(c[RangeBox::YRight].code, AxisNameCode("Y3"));

    EarlierSelections earlier;
    earlier[static_cast<int>(RangeBox::XLeft) - 1] = "X2";
    earlier[static_cast<int>(RangeBox::XRight) - 1] = "X3";
    const RangeChoices kept = FillRangeChoices(earlier);
    EXPECT_EQ(kept[RangeBox::XLeft].chosen, "X2");
    EXPECT_EQ(kept[RangeBox::XRight].chosen, "X3");
    EXPECT_EQ(kept[RangeBox::XLeft].code, AxisNameCode("X2"));
    EXPECT_EQ(kept[RangeBox::XRight].code, AxisNameCode("X3"));
    EXPECT_EQ(kept[RangeBox::YLeft].chosen, "Y1") << "an empty earlier choice takes the end again";
    EXPECT_EQ(DecodeAxisText("X3"), AxisNameCode("X3"));
}

TEST_F(RangeChoicesTest, EqualCoordinatesLeaveTheLaterLineChosen) {
    ASSERT_TRUE(AddStoreys());
    ASSERT_TRUE(AddAxes({0, 0, 6000}, {0, 0}));
    ASSERT_EQ(DB_restruct(0), 0);
    const RangeChoices c = FillRangeChoices({});
    EXPECT_EQ(c[RangeBox::XLeft].chosen, "X2");
    EXPECT_EQ(c[RangeBox::XRight].chosen, "X3");
    EXPECT_EQ(c[RangeBox::YLeft].chosen, "Y2") << "both lines are lowest and highest";
    EXPECT_EQ(c[RangeBox::YRight].chosen, "Y2");
}

TEST_F(RangeChoicesTest, EarlierTextNoLongerListedLeavesTheBoxUnchosen) {
    ASSERT_TRUE(AddStoreys());
    ASSERT_EQ(DB_restruct(0), 0);
    EarlierSelections earlier;
    earlier[static_cast<int>(RangeBox::Upper) - 1] = "9F";
    const RangeChoices c = FillRangeChoices(earlier);
    EXPECT_EQ(c[RangeBox::Upper].chosen, "");
    EXPECT_EQ(c[RangeBox::Upper].code, 0);
    EXPECT_EQ(c[RangeBox::Lower].chosen, "1F");
}

TEST_F(RangeChoicesTest, WithoutTheLibraryEverythingIsEmpty) {
    ASSERT_TRUE(AddStoreys());
    ASSERT_EQ(DB_restruct(0), 0);
    ModelDbLibrary::Instance().Unload();
    const RangeChoices c = FillRangeChoices({});
    for (const RangeList& list : c.boxes) {
        EXPECT_TRUE(list.entries.empty());
        EXPECT_EQ(list.chosen, "");
        EXPECT_EQ(list.code, 0);
    }
    EXPECT_EQ(DecodeLayerText("1F"), 0);
    EXPECT_EQ(DecodeAxisText("X1"), 0);
}

TEST(RangeBoxKinds, LayerBoxesAreKindOneAxisBoxesKindTwo) {
    EXPECT_EQ(RangeBoxKind(RangeBox::Upper), 1);
    EXPECT_EQ(RangeBoxKind(RangeBox::Lower), 1);
    for (RangeBox box : {RangeBox::XLeft, RangeBox::XRight, RangeBox::YLeft, RangeBox::YRight})
        EXPECT_EQ(RangeBoxKind(box), 2);
}

}  // namespace
