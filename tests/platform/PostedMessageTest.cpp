// Posted window messages arrive later, in order, with their arguments.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>

#include "PostedMessage.h"

namespace {

class Receiver : public QObject {
public:
    struct Got {
        int message;
        intptr_t wParam;
        intptr_t lParam;
        bool operator==(const Got&) const = default;
    };
    std::vector<Got> got;

protected:
    bool event(QEvent* e) override {
        if (const auto* m = platform::AsWindowMessage(e)) {
            got.push_back({m->message, m->wParam, m->lParam});
            return true;
        }
        return QObject::event(e);
    }
};

TEST(PostedMessage, ArrivesInOrderAfterThePosterReturns) {
    Receiver receiver;
    platform::PostWindowMessage(&receiver, platform::WM_USER + 3, 7);
    platform::PostWindowMessage(&receiver, platform::WM_USER + 1, 2, -5);
    platform::PostWindowMessage(&receiver, platform::WM_USER + 101, 0, 1);
    EXPECT_TRUE(receiver.got.empty()) << "delivered before the poster returned";
    QCoreApplication::sendPostedEvents(&receiver);
    const std::vector<Receiver::Got> expected{
        {1027, 7, 0}, {1025, 2, -5}, {1125, 0, 1}};
    EXPECT_EQ(receiver.got, expected);
}

TEST(PostedMessage, NullTargetIsIgnored) {
    platform::PostWindowMessage(nullptr, platform::WM_USER);
    QCoreApplication::sendPostedEvents();
    SUCCEED();
}

TEST(PostedMessage, MessagePostedWhileHandlingComesAfterTheCurrentOne) {
    struct Chain : Receiver {
        bool event(QEvent* e) override {
            bool handled = Receiver::event(e);
            if (platform::AsWindowMessage(e) && got.size() == 1)
                platform::PostWindowMessage(this, platform::WM_USER + 9);
            return handled;
        }
    } chain;
    platform::PostWindowMessage(&chain, platform::WM_USER + 2);
    platform::PostWindowMessage(&chain, platform::WM_USER + 4);
    QCoreApplication::sendPostedEvents(&chain);
    QCoreApplication::sendPostedEvents(&chain);
    ASSERT_EQ(chain.got.size(), 3u);
    EXPECT_EQ(chain.got[0].message, 1026);
    EXPECT_EQ(chain.got[1].message, 1028);
    EXPECT_EQ(chain.got[2].message, 1033);
}

}  // namespace
