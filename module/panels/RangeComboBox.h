#pragma once
// One of the placement panel's six range selectors: a drop-down box that
// keeps the code of its chosen text (a layer name code or an axis name code).
// A changed text, whether the user picked it or a fill chose it, is noticed
// on the box's next event (or when someone asks for the code): it is decoded
// and the editor view rebuilds its scene.

#include <cstdint>

#include "panels/RangeChoices.h"
#include "panels/SessionContext.h"
#include "toolkit/DropDownBox.h"

class RangeComboBox : public toolkit::DropDownBox {
    Q_OBJECT
public:
    RangeComboBox(QWidget* parent, SessionContext& context, const QRect& rect, RangeBox box);

    RangeBox Box() const { return box_; }
    // 1 layer, 2 axis.
    int Kind() const { return RangeBoxKind(box_); }

    // Takes a fill's list and choice; the change is noticed afterwards.
    void SetChoices(const RangeList& list);

    // Decodes the current text when it differs from the one last seen and
    // asks the editor view to rebuild: true when there was a change.
    bool NoticeSelectionChange();
    // The chosen code, decoding a change first.
    int32_t ChosenCode();
    // The code as last decoded or set, without looking at the text.
    int32_t StoredCode() const { return code_; }

protected:
    bool event(QEvent* event) override;

private:
    SessionContext& context_;
    RangeBox box_;
    QString lastSeen_;
    int32_t code_ = 0;
    bool noticing_ = false;
};
