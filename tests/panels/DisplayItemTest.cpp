// The nine display items: their defaults, their stored states, and a click
// that stores the new state and makes the editor view rebuild.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

#include "FakeEditorView.h"
#include "TempDir.h"
#include "panels/PlacementPanel.h"
#include "ProfileFile.h"
#include "panels/DisplayCheckItem.h"
#include "settings/DisplayItemStates.h"

namespace {

struct ItemFixture {
    explicit ItemFixture(const std::string& ini = {}) {
        if (!ini.empty()) testing_support::WriteFile(Path(), ini);
        panel = std::make_unique<PlacementPanel>(nullptr, context, Path());
        panel->resize(200, 500);
        panel->show();
        QApplication::processEvents();
    }
    std::string Path() const { return settings.File("Vorna3D.ini"); }
    std::string Stored(const char* key) const {
        return platform::ReadProfileString(Path(), "Check", key, "NULL");
    }
    void Click(int index) {
        QTest::mouseClick(panel->Item(index), Qt::LeftButton, {}, QPoint(3, 3));
        // The item tells the panel with a posted message: deliver it now.
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }

    testing_support::TempDir settings{"tormel-items"};
    SessionContext context;
    FakeEditorView view{context};
    std::unique_ptr<PlacementPanel> panel;
};

struct DefaultCase {
    int index;
    const char* label;
    bool on;
};

TEST(DisplayItems, WithoutACheckSectionSixStartOn) {
    const DefaultCase cases[] = {{1, "有効範囲", false}, {2, "稜線", true},   {3, "節点", true},
                                 {4, "グリッド", false}, {5, "斜面名", true}, {6, "軸名", true},
                                 {7, "層名", true},      {8, "方位", true},   {9, "エッジ", false}};
    ItemFixture f("[init]\nNodeWidth=100\n");
    for (const DefaultCase& c : cases) {
        DisplayCheckItem* item = f.panel->Item(c.index);
        EXPECT_EQ(item->objectName(), "CheckItem");
        EXPECT_EQ(item->Text(), QString::fromUtf8(c.label));
        EXPECT_EQ(item->IsChecked(), c.on) << c.label;
        EXPECT_EQ(f.context.ItemOn(c.index), c.on) << c.label;
        EXPECT_EQ(display_items::DefaultOn(c.index), c.on);
    }
    EXPECT_FALSE(f.panel->RangeShown());
}

TEST(DisplayItems, StoredZeroHidesTheNodesAndOneClickShowsAndStoresThem) {
    ItemFixture f("[Check]\ncheckNode=0\n");
    DisplayCheckItem* nodes = f.panel->Item(display_items::kNodes);
    EXPECT_FALSE(nodes->IsChecked());
    EXPECT_FALSE(f.context.ItemOn(display_items::kNodes)) << "the renderer draws no nodes";
    f.view.r = {};
    f.Click(display_items::kNodes);
    EXPECT_TRUE(nodes->IsChecked());
    EXPECT_TRUE(f.context.ItemOn(display_items::kNodes));
    EXPECT_EQ(f.Stored("checkNode"), "1");
    EXPECT_GE(f.view.r.discards, 1);
    EXPECT_GE(f.view.r.invalidates, 1);
}

TEST(DisplayItems, TwoClicksStoreTheStateShownEachTime) {
    ItemFixture f;
    f.Click(display_items::kEdges);
    EXPECT_TRUE(f.panel->Item(display_items::kEdges)->IsChecked());
    EXPECT_EQ(f.Stored("checkEdge"), "1");
    f.Click(display_items::kEdges);
    EXPECT_FALSE(f.panel->Item(display_items::kEdges)->IsChecked());
    EXPECT_EQ(f.Stored("checkEdge"), "0");
    EXPECT_EQ(f.Stored("checkNode"), "NULL") << "other items are not written";
}

TEST(DisplayItems, TheRangeItemTurnsTheRangeOn) {
    ItemFixture f;
    f.Click(display_items::kRange);
    EXPECT_TRUE(f.panel->RangeShown());
    EXPECT_EQ(f.Stored("checkArea"), "1");
}

struct StoredCase {
    const char* name;
    const char* value;
    bool on;
};

class StoredValues : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredValues, ReadAsAtoiNotZero) {
    const StoredCase& c = GetParam();
    ItemFixture f(std::string("[Check]\ncheckLine=") + c.value + "\ncheckGlid=" + c.value + "\n");
    EXPECT_EQ(f.panel->Item(display_items::kRidgeLines)->IsChecked(), c.on);
    EXPECT_EQ(f.panel->Item(display_items::kGrid)->IsChecked(), c.on);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredValues,
                         testing::Values(StoredCase{"Zero", "0", false}, StoredCase{"One", "1", true},
                                         StoredCase{"Seven", "7", true}, StoredCase{"Text", "abc", false},
                                         StoredCase{"Negative", "-1", true}),
                         [](const testing::TestParamInfo<StoredCase>& info) { return std::string(info.param.name); });

TEST(DisplayItems, WithoutAPanelTheRendererGetsTheDefaults) {
    const SessionContext context;
    for (int i = 1; i <= display_items::kCount; ++i) EXPECT_EQ(context.ItemOn(i), display_items::DefaultOn(i));
    EXPECT_FALSE(context.ItemOn(0));
    EXPECT_FALSE(context.ItemOn(10));
    EXPECT_STREQ(display_items::Label(10), "");
}

TEST(DisplayItems, WithoutAViewAClickStillStoresTheState) {
    testing_support::TempDir settings("tormel-items");
    const std::string path = settings.File("Vorna3D.ini");
    SessionContext context;
    PlacementPanel panel(nullptr, context, path);
    panel.show();
    QApplication::processEvents();
    ASSERT_EQ(context.view, nullptr);
    QTest::mouseClick(panel.Item(display_items::kCompass), Qt::LeftButton, {}, QPoint(3, 3));
    QApplication::processEvents();
    EXPECT_EQ(platform::ReadProfileString(path, "Check", "checkCompass", "NULL"), "0");
}

}  // namespace
