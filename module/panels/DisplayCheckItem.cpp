#include "panels/DisplayCheckItem.h"

#include <QMouseEvent>

#include "settings/CheckItemSettings.h"

DisplayCheckItem::DisplayCheckItem(QWidget* parent, SessionContext& context, const QPoint& origin,
                                   const QString& text, int index, bool defaultChecked,
                                   const std::string& settingsPath)
    : toolkit::CheckItem(parent, origin, text, index, defaultChecked), context_(context) {
    if (const std::optional<bool> stored = ReadCheckItem(index, settingsPath)) SetChecked(*stored);
}

void DisplayCheckItem::mousePressEvent(QMouseEvent* event) {
    toolkit::CheckItem::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    // The scene's display lists were built with the old state.
    if (EditorViewAccess* view = context_.view) {
        view->DiscardDisplayLists();
        view->Invalidate();
    }
}
