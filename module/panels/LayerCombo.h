#pragma once
// The drop-down list of the definition panels: layer names, axis names or a
// plain list, with the value of the chosen entry (a layer's name code for a
// layer list, an axis name code for an axis list). A changed text, whether
// picked from the list or set, is noticed on the combo's next event: the
// value follows it and `changed` runs (the view repaints).

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "panels/LayerEntries.h"
#include "toolkit/DropDownBox.h"

class LayerCombo : public toolkit::DropDownBox {
    Q_OBJECT
public:
    enum class Mode : uint8_t { Layers = 1, Axes = 2, Plain = 3 };

    // `id` is the control id (the object name).
    LayerCombo(QWidget* parent, const QRect& rect, int id, Mode mode, std::function<void()> changed = {});

    Mode ListMode() const { return mode_; }

    // Fills a layer list; the entry whose layer is `chosen` (when any)
    // becomes the current text, with its name code as the value.
    void SetLayerEntries(const std::vector<LayerEntry>& entries, LayerCode chosen);

    // The value, noticing a changed text first. A text that is no entry is
    // looked up (a layer text by FindLayerNameCode, an axis name by
    // DB_Usfind), never registered; unknown gives 0. A plain list keeps the
    // value it was given.
    int32_t Value();
    // Makes `text` the current text with `value`, as a fill does: nothing
    // is noticed as a change.
    void SetChoice(const QString& text, int32_t value);

    // Follows the current text when it differs from the one last seen:
    // true when it did.
    bool NoticeTextChange();

protected:
    bool event(QEvent* event) override;

private:
    int32_t Decode(const QString& text) const;

    Mode mode_;
    std::function<void()> changed_;
    std::vector<int32_t> codes_;  // the value of each entry, from the fill
    QString lastSeen_;
    int32_t value_ = 0;
    bool noticing_ = false;
};
