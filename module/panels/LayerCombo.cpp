#include "panels/LayerCombo.h"

#include <QEvent>

#include "model/ModelDbLibrary.h"

LayerCombo::LayerCombo(QWidget* parent, const QRect& rect, int id, Mode mode, std::function<void()> changed)
    : toolkit::DropDownBox(parent, rect, id), mode_(mode), changed_(std::move(changed)) {
    setObjectName(QString::number(id));
}

void LayerCombo::SetLayerEntries(const std::vector<LayerEntry>& entries, LayerCode chosen) {
    QStringList texts;
    codes_.clear();
    for (const LayerEntry& e : entries) {
        texts << QString::fromStdString(e.text);
        codes_.push_back(e.nameCode);
    }
    SetEntries(texts);
    for (const LayerEntry& e : entries) {
        if (chosen != 0 && e.layer == chosen) {
            SetChoice(QString::fromStdString(e.text), e.nameCode);
            break;
        }
    }
}

void LayerCombo::SetChoice(const QString& text, int32_t value) {
    SetText(text);
    value_ = value;
    lastSeen_ = Text();
}

int32_t LayerCombo::Decode(const QString& text) const {
    if (mode_ == Mode::Plain) return value_;
    const qsizetype entry = Entries().indexOf(text);
    if (entry >= 0 && static_cast<size_t>(entry) < codes_.size()) return codes_[static_cast<size_t>(entry)];
    const std::string utf8 = text.toStdString();
    if (mode_ == Mode::Layers) return FindLayerNameCode(utf8);
    if (utf8.empty() || !ModelBound()) return 0;
    const int code = Db().DB_Usfind(2, utf8.c_str());
    return code > 0 ? code : 0;
}

bool LayerCombo::NoticeTextChange() {
    if (noticing_ || Text() == lastSeen_) return false;
    noticing_ = true;  // `changed` may send events back here
    lastSeen_ = Text();
    value_ = Decode(lastSeen_);
    if (changed_) changed_();
    noticing_ = false;
    return true;
}

int32_t LayerCombo::Value() {
    NoticeTextChange();
    return value_;
}

bool LayerCombo::event(QEvent* event) {
    const bool handled = toolkit::DropDownBox::event(event);
    if (event->type() != QEvent::DeferredDelete) NoticeTextChange();
    return handled;
}
