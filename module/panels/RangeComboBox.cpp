#include "panels/RangeComboBox.h"

#include <QEvent>

#include "panels/SessionContext.h"

RangeComboBox::RangeComboBox(QWidget* parent, SessionContext& context, const QRect& rect, RangeBox box)
    : toolkit::DropDownBox(parent, rect, static_cast<int>(box)), context_(context), box_(box) {}

void RangeComboBox::SetChoices(const RangeList& list) {
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(list.entries.size()));
    for (const std::string& text : list.entries) entries << QString::fromStdString(text);
    SetEntries(entries);
    SetText(QString::fromStdString(list.chosen));
    code_ = list.code;
}

bool RangeComboBox::NoticeSelectionChange() {
    if (noticing_ || Text() == lastSeen_) return false;
    noticing_ = true;
    const std::string text = Text().toStdString();
    code_ = Kind() == 1 ? DecodeLayerText(text) : DecodeAxisText(text);
    lastSeen_ = Text();
    if (EditorViewAccess* view = context_.view) {
        view->DiscardDisplayLists();
        view->Invalidate();
    }
    noticing_ = false;
    return true;
}

int32_t RangeComboBox::ChosenCode() {
    NoticeSelectionChange();
    return code_;
}

bool RangeComboBox::event(QEvent* event) {
    const bool handled = toolkit::DropDownBox::event(event);
    if (event->type() != QEvent::DeferredDelete) NoticeSelectionChange();
    return handled;
}
