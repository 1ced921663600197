#include "panels/PlacementPanel.h"

#include <QPainter>

#include <algorithm>

#include "PostedMessage.h"
#include "panels/RangeComboBox.h"
#include "model/ModelDbLibrary.h"
#include "settings/CheckItemSettings.h"
#include "panels/DisplayCheckItem.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/ToolkitMessages.h"

namespace {

constexpr int kWheelStep = 10;

// The selectors in the order the narrow layout stacks them and labels them.
constexpr RangeBox kStackOrder[kRangeBoxCount] = {RangeBox::Upper, RangeBox::Lower,  RangeBox::XLeft,
                                                  RangeBox::XRight, RangeBox::YLeft, RangeBox::YRight};

QString BoxLabel(RangeBox box) {
    switch (box) {
        case RangeBox::Upper: return QStringLiteral("上層");
        case RangeBox::XLeft: return QStringLiteral("Ｘ軸左端");
        case RangeBox::XRight: return QStringLiteral("Ｘ軸右端");
        case RangeBox::Lower: return QStringLiteral("下層");
        case RangeBox::YLeft: return QStringLiteral("Ｙ軸左端");
        case RangeBox::YRight: return QStringLiteral("Ｙ軸右端");
    }
    return {};
}

int Slot(RangeBox box) { return static_cast<int>(box) - 1; }

// A rectangle given by its corners, right and bottom edges excluded.
QRect Span(int x1, int y1, int x2, int y2) { return QRect(x1, y1, x2 - x1, y2 - y1); }

}  // namespace

PlacementPanel::PlacementPanel(QWidget* parent, SessionContext& context, std::string settingsPath)
    : QWidget(parent), context_(context), settingsPath_(std::move(settingsPath)) {
    setObjectName(QStringLiteral("GLPlaceView"));
    setGeometry(100, 100, 200, 200);
    setCursor(Qt::ArrowCursor);
    for (int code = 1; code <= kRangeBoxCount; ++code) {
        const QRect initial(50, 20 + 30 * (code - 1), 60, 20);
        boxes_[code - 1] = new RangeComboBox(this, context_, initial, static_cast<RangeBox>(code));
    }
    for (int index = 1; index <= display_items::kCount; ++index) {
        items_[index - 1] = new DisplayCheckItem(this, context_, QPoint(0, 0), QString::fromUtf8(display_items::Label(index)),
                                                 index, display_items::DefaultOn(index), settingsPath_);
    }
    Fill({});
    filledFromModel_ = ModelBound();
    Relayout();
    context_.placement = this;
    context_.items = this;
}

PlacementPanel::~PlacementPanel() {
    if (context_.placement == this) context_.placement = nullptr;
    if (context_.items == this) context_.items = nullptr;
}

bool PlacementPanel::Fill(const EarlierSelections& earlier) {
    const RangeChoices choices = FillRangeChoices(earlier);
    for (RangeComboBox* box : boxes_) box->SetChoices(choices[box->Box()]);
    // Each box would notice its new text on its next event; noticing now
    // keeps the codes right for a paint that comes first.
    for (RangeComboBox* box : boxes_) box->NoticeSelectionChange();
    update();
    return true;
}

EarlierSelections PlacementPanel::CurrentTexts() const {
    EarlierSelections texts;
    for (RangeComboBox* box : boxes_) texts[Slot(box->Box())] = box->Text().toStdString();
    return texts;
}

void PlacementPanel::RefillKeepingChoices() { Fill(CurrentTexts()); }

void PlacementPanel::showEvent(QShowEvent* event) {
    // The panel is made before the session binds the model library; its
    // window's first showing is when the lists can be filled.
    if (!filledFromModel_ && ModelBound()) {
        filledFromModel_ = true;
        Fill({});
        Relayout();
    }
    QWidget::showEvent(event);
}

bool PlacementPanel::RangeShown() const { return IsItemChecked(display_items::kRange); }

int32_t PlacementPanel::SelectionCode(RangeSelection which) const {
    switch (which) {
        case RangeSelection::UpperLayer: return Box(RangeBox::Upper)->ChosenCode();
        case RangeSelection::LowerLayer: return Box(RangeBox::Lower)->ChosenCode();
        case RangeSelection::AxisMinX: return Box(RangeBox::XLeft)->ChosenCode();
        case RangeSelection::AxisMaxX: return Box(RangeBox::XRight)->ChosenCode();
        case RangeSelection::AxisMinY: return Box(RangeBox::YLeft)->ChosenCode();
        case RangeSelection::AxisMaxY: return Box(RangeBox::YRight)->ChosenCode();
    }
    return 0;
}

void PlacementPanel::TurnItemsOff(std::initializer_list<int> items) {
    for (int index : items) {
        if (index >= 1 && index <= display_items::kCount) items_[index - 1]->SetChecked(false);
    }
    update();
}

bool PlacementPanel::IsItemChecked(int index) const {
    if (index < 1 || index > display_items::kCount) return false;
    return items_[index - 1]->IsChecked();
}

PlacementPanel::Arrangement PlacementPanel::Arrange(int w, int o) const {
    Arrangement a;
    const bool wide = w >= kWideWidth;
    if (!wide) {
        for (int i = 0; i < kRangeBoxCount; ++i)
            a.boxes[Slot(kStackOrder[i])] = QRect(20, o + kTopMargin + 20 + 40 * i, w - 40, 20);
    } else {
        const int bw = (w - 170) / 2 + 60;
        const int x = w / 2 - bw / 2;
        a.boxes[Slot(RangeBox::Upper)] = QRect(x, o + 40, bw, 20);
        a.boxes[Slot(RangeBox::YRight)] = QRect(x, o + 80, bw, 20);
        a.boxes[Slot(RangeBox::XLeft)] = QRect(10, o + 115, bw, 20);
        a.boxes[Slot(RangeBox::XRight)] = QRect(w - bw - 10, o + 115, bw, 20);
        a.boxes[Slot(RangeBox::YLeft)] = QRect(x, o + 150, bw, 20);
        a.boxes[Slot(RangeBox::Lower)] = QRect(x, o + 190, bw, 20);
    }
    a.items[0] = QPoint(5, o + 5);
    // Items 2 to 9 flow in rows below the selectors.
    int x = 20;
    int y = o + kTopMargin + (wide ? 170 : 220) + 50;
    for (int index = 2; index <= display_items::kCount; ++index) {
        const QWidget* item = items_[index - 1];
        if (x + item->width() + 10 >= w) {
            x = 20;
            y += item->height() + 20;
        }
        a.items[index - 1] = QPoint(x, y);
        x += item->width() + 20;
    }
    a.contentHeight = y - o + 30;
    return a;
}

int PlacementPanel::ContentHeightFor(int width) const { return Arrange(width, offset_).contentHeight; }

void PlacementPanel::Relayout() {
    const Arrangement a = Arrange(width(), offset_);
    for (int i = 0; i < kRangeBoxCount; ++i) boxes_[i]->setGeometry(a.boxes[i]);
    for (int i = 0; i < display_items::kCount; ++i) items_[i]->move(a.items[i]);
    contentHeight_ = a.contentHeight;
    if (metricsListener_) metricsListener_(offset_, height(), contentHeight_);
}

bool PlacementPanel::ScrollByWheel(int delta) {
    int o = offset_ + (delta <= 0 ? -kWheelStep : kWheelStep);
    const int overflow = contentHeight_ - height();
    if (o > 0 || overflow < 0) o = 0;
    else if (o < -overflow) o = -overflow;
    if (o == offset_) return false;
    offset_ = o;
    Relayout();
    update();
    return true;
}

void PlacementPanel::ScrollToFraction(double r) {
    const int overflow = contentHeight_ - height();
    // A panel whose content fits has nothing to scroll (its bar is hidden).
    offset_ = overflow > 0 ? -static_cast<int>(overflow * std::clamp(r, 0.0, 1.0)) : 0;
    Relayout();
    update();
}

bool PlacementPanel::event(QEvent* event) {
    if (const auto* message = platform::AsWindowMessage(event)) {
        if (message->message == toolkit::kCheckToggled) {
            const int index = static_cast<int>(message->wParam);
            if (index >= 1 && index <= display_items::kCount)
                WriteCheckItem(index, items_[index - 1]->IsChecked(), settingsPath_);
        } else if (message->message == toolkit::kDropDownChosen) {
            for (RangeComboBox* box : boxes_) box->NoticeSelectionChange();
        }
        return true;
    }
    return QWidget::event(event);
}

void PlacementPanel::resizeEvent(QResizeEvent*) { Relayout(); }

void PlacementPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), o = offset_;
    p.fillRect(rect(), toolkit::FaceColour());
    p.setFont(toolkit::UiFont(10));
    p.setPen(toolkit::TextColour());
    const int lineHeight = p.fontMetrics().height();
    if (w < kWideWidth) {
        for (int i = 0; i < kRangeBoxCount; ++i)
            p.drawText(QRect(10, o + 25 + 40 * i, std::max(0, w - 10), lineHeight), Qt::AlignLeft | Qt::AlignTop,
                       BoxLabel(kStackOrder[i]));
        return;
    }
    const int a = (w - 170) / 2 + 60;
    const int q = a / 4;
    const QColor strip = toolkit::StripColour();
    // Corner brackets round the four axis selectors.
    p.fillRect(Span(q + 10, o + 50, q + 13, o + 70), strip);
    p.fillRect(Span(q + 10, o + 50, q + 30, o + 53), strip);
    p.fillRect(Span(w - q - 30, o + 50, w - q - 10, o + 53), strip);
    p.fillRect(Span(w - q - 10, o + 50, w - q - 7, o + 70), strip);
    p.fillRect(Span(w - q - 27, o + 200, w - q - 7, o + 203), strip);
    p.fillRect(Span(w - q - 10, o + 183, w - q - 7, o + 200), strip);
    p.fillRect(Span(q + 10, o + 200, q + 30, o + 203), strip);
    p.fillRect(Span(q + 10, o + 180, q + 13, o + 200), strip);
    const auto centred = [&](int cx, int top, RangeBox box) {
        p.drawText(QRect(cx - w, top, 2 * w, lineHeight), Qt::AlignHCenter | Qt::AlignTop, BoxLabel(box));
    };
    centred(w / 2, o + 25, RangeBox::Upper);
    centred(w / 2, o + 67, RangeBox::YRight);
    centred(a / 2 + 10, o + 102, RangeBox::XLeft);
    centred(w - a / 2 - 10, o + 102, RangeBox::XRight);
    centred(w / 2, o + 137, RangeBox::YLeft);
    centred(w / 2, o + 177, RangeBox::Lower);
}
