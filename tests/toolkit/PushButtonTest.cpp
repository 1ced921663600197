// The push button's press, drag-off and disabled rules.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "PostedMessage.h"
#include "toolkit/PushButton.h"

namespace {

class Parent : public QWidget {
public:
    std::vector<intptr_t> codes;

protected:
    bool event(QEvent* e) override {
        if (const auto* m = platform::AsWindowMessage(e)) {
            if (m->message == 1027) codes.push_back(m->wParam);
            return true;
        }
        return QWidget::event(e);
    }
};

struct Fixture {
    Fixture() {
        parent.resize(200, 100);
        button = new toolkit::PushButton(&parent, QRect(10, 10, 44, 44), 5);
        parent.show();
        QApplication::processEvents();
    }
    Parent parent;
    toolkit::PushButton* button;
};

TEST(PushButton, ClickPostsItsCode) {
    Fixture f;
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(20, 20));
    QApplication::processEvents();
    EXPECT_EQ(f.parent.codes, std::vector<intptr_t>{5});
}

TEST(PushButton, DraggedOffBeforeReleasePostsNothing) {
    Fixture f;
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(f.button->IsPressed());
    QMouseEvent move(QEvent::MouseMove, QPointF(80, 20), f.button->mapToGlobal(QPointF(80, 20)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.button, &move);
    EXPECT_FALSE(f.button->IsPressed());
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(20, 20));
    QApplication::processEvents();
    EXPECT_TRUE(f.parent.codes.empty());
}

TEST(PushButton, DisabledPostsNothing) {
    Fixture f;
    f.button->SetDisabled(true);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(20, 20));
    QApplication::processEvents();
    EXPECT_TRUE(f.parent.codes.empty());
    EXPECT_FALSE(f.button->IsPressed());
}

}  // namespace
