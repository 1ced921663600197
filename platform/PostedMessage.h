#pragma once
// Window messages between the editor's windows: (message, wParam, lParam)
// posted to a target as a queued event, handled in the target's event().

#include <QEvent>

#include <cstdint>

class QObject;
class QWidget;

namespace platform {

constexpr int WM_USER = 1024;

class WindowMessageEvent : public QEvent {
public:
    // A fixed type number, the same in every copy of this code (host and
    // module each link their own).
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 1024);

    WindowMessageEvent(int message, intptr_t wParam, intptr_t lParam)
        : QEvent(kType), message(message), wParam(wParam), lParam(lParam) {}

    const int message;
    const intptr_t wParam;
    const intptr_t lParam;
};

// Queues the message for `target`; it arrives after the caller returns to
// the event loop, in the order posted. A null target is ignored.
void PostWindowMessage(QObject* target, int message, intptr_t wParam = 0, intptr_t lParam = 0);

// The message an event carries, or null when it is not a window message.
inline const WindowMessageEvent* AsWindowMessage(const QEvent* event) {
    return event && event->type() == WindowMessageEvent::kType
               ? static_cast<const WindowMessageEvent*>(event)
               : nullptr;
}

// Delivers a key press to `target` at once, as a key-down sent straight to a
// window does.
void SendKeyDown(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace platform
