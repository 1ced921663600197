// The shape-order dialog: the vertex numbers listed in text order, moved
// over in the order they are chosen, and the outline rewritten in that order
// only when every vertex has moved and OK is pressed.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "panels/ShapeOrderDialog.h"

namespace {

// An outline of `n` vertices; vertex i stands at x = i and is node i.
SlopeShape Outline(int n) {
    SlopeShape shape;
    for (int i = 0; i < n; ++i) {
        shape.vertices.emplace_back(i, 0, 0);
        shape.nodes.push_back({1, i});
    }
    return shape;
}

std::vector<int> NodesOf(const SlopeShape& shape) {
    std::vector<int> nodes;
    for (const NodeRef& n : shape.nodes) nodes.push_back(n.node);
    return nodes;
}

std::vector<int> XsOf(const SlopeShape& shape) {
    std::vector<int> xs;
    for (const Vec3d& v : shape.vertices) xs.push_back(static_cast<int>(v.x));
    return xs;
}

QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
}

// Chooses the entry with `text` in the list of vertices still to place, as
// a click on it does.
void Choose(ShapeOrderDialog& dialog, const QString& text) {
    const auto items = dialog.remaining->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    dialog.remaining->setCurrentItem(items.front());
}

TEST(ShapeOrderDialog, ListsTwelveVerticesInTextOrder) {
    SlopeShape shape = Outline(12);
    ShapeOrderDialog dialog(nullptr, shape);
    EXPECT_EQ(dialog.objectName(), "105");
    EXPECT_EQ(dialog.windowTitle(), "斜面形状順番の入れ替え");
    EXPECT_EQ(dialog.remaining->objectName(), "1012");
    EXPECT_EQ(dialog.ordered->objectName(), "1013");
    EXPECT_EQ(Texts(dialog.remaining), (QStringList{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(dialog.ordered->count(), 0);
    EXPECT_FALSE(dialog.ok->isEnabled());
}

TEST(ShapeOrderDialog, OkStaysDisabledUntilEveryVertexHasMoved) {
    SlopeShape shape = Outline(4);
    ShapeOrderDialog dialog(nullptr, shape);
    dialog.show();
    const QString order[] = {"3", "1", "4", "2"};
    for (size_t i = 0; i < std::size(order); ++i) {
        EXPECT_FALSE(dialog.ok->isEnabled()) << "before " << i << " moved";
        dialog.accept();  // not possible yet: nothing changes
        EXPECT_TRUE(dialog.isVisible());
        Choose(dialog, order[i]);
        EXPECT_TRUE(dialog.remaining->selectedItems().isEmpty());
    }
    EXPECT_EQ(Texts(dialog.ordered), (QStringList{"3", "1", "4", "2"}));
    EXPECT_EQ(dialog.remaining->count(), 0);
    EXPECT_TRUE(dialog.ok->isEnabled());
    QTest::mouseClick(dialog.ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(NodesOf(shape), (std::vector<int>{2, 0, 3, 1}));
    EXPECT_EQ(XsOf(shape), (std::vector<int>{2, 0, 3, 1})) << "positions move with their nodes";
}

TEST(ShapeOrderDialog, AClickOnAnEntryMovesIt) {
    SlopeShape shape = Outline(12);
    ShapeOrderDialog dialog(nullptr, shape);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect row = dialog.remaining->visualItemRect(dialog.remaining->item(1));  // "10"
    QTest::mouseClick(dialog.remaining->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(Texts(dialog.ordered), QStringList{"10"});
    EXPECT_EQ(dialog.remaining->count(), 11);
    EXPECT_FALSE(dialog.remaining->findItems("10", Qt::MatchExactly).size());
}

TEST(ShapeOrderDialog, CancelKeepsTheOldOrder) {
    SlopeShape shape = Outline(3);
    ShapeOrderDialog dialog(nullptr, shape);
    for (const char* text : {"3", "2", "1"}) Choose(dialog, text);
    QTest::mouseClick(dialog.cancel, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(NodesOf(shape), (std::vector<int>{0, 1, 2}));
}

TEST(ReorderShapeVertices, RefusesWhatIsNoPermutation) {
    const std::vector<std::vector<int>> refused = {{}, {0, 1}, {0, 1, 2, 3}, {0, 0, 1}, {0, 1, 3}, {-1, 0, 1}};
    for (const auto& order : refused) {
        SlopeShape shape = Outline(3);
        EXPECT_FALSE(ReorderShapeVertices(shape, order)) << order.size();
        EXPECT_EQ(NodesOf(shape), (std::vector<int>{0, 1, 2}));
    }
    SlopeShape shape = Outline(3);
    shape.nodes.pop_back();  // a shape whose lists disagree is left alone
    EXPECT_FALSE(ReorderShapeVertices(shape, {2, 1, 0}));
}

}  // namespace
