#include "PostedMessage.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

void PostWindowMessage(QObject* target, int message, intptr_t wParam, intptr_t lParam) {
    if (!target) return;
    QCoreApplication::postEvent(target, new WindowMessageEvent(message, wParam, lParam));
}

void SendKeyDown(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
    if (!target) return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(target, &press);
}

}  // namespace platform
