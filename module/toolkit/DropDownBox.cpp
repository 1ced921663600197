#include "DropDownBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "DarkStyle.h"
#include "PostedMessage.h"
#include "ToolkitMessages.h"

namespace toolkit {

// ---- the list -------------------------------------------------------------

DropDownList::DropDownList(DropDownBox* box) : QWidget(box->window()), box_(box) {
    setObjectName(QStringLiteral("ComboBoxPop"));
    setMouseTracking(true);
    setFont(UiFont());
    const QPoint at = box->mapTo(box->window(), QPoint(0, box->height()));
    const QRect area(at, QSize(box->width(), kHeight));
    // The list is drawn over a copy of what lies beneath it.
    beneath_ = box->window()->grab(area).toImage();
    setGeometry(area);
    // Open at the chosen entry when there is one.
    const int current = static_cast<int>(box_->Entries().indexOf(box_->Text()));
    first_ = std::clamp(current, 0, MaxFirst());
    raise();
    show();
}

int DropDownList::MaxFirst() const {
    return std::max(0, static_cast<int>(box_->Entries().size()) - VisibleRows());
}

void DropDownList::ScrollRows(int rows) {
    const int first = std::clamp(first_ + rows, 0, MaxFirst());
    if (first != first_) {
        first_ = first;
        update();
    }
}

int DropDownList::RowAt(int y) const {
    const int row = first_ + y / kRowHeight;
    return (y >= 0 && row < box_->Entries().size()) ? row : -1;
}

QRect DropDownList::ThumbRect() const {
    const int track = kHeight - 2 * kArrowWidth;
    const int count = static_cast<int>(box_->Entries().size());
    const int length = count <= VisibleRows() ? track : std::max(6, track * VisibleRows() / count);
    const int top = MaxFirst() > 0 ? (track - length) * first_ / MaxFirst() : 0;
    return {width() - kArrowWidth, kArrowWidth + top, kArrowWidth, length};
}

void DropDownList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    if (p.x() >= width() - kArrowWidth) {
        if (p.y() < kArrowWidth) {
            ScrollRows(-1);
        } else if (p.y() >= kHeight - kArrowWidth) {
            ScrollRows(1);
        } else if (ThumbRect().contains(p)) {
            draggingThumb_ = true;
            dragStartY_ = p.y();
            dragStartFirst_ = first_;
        }
        return;
    }
    PickAt(p);
}

void DropDownList::PickAt(const QPoint& point) {
    const int row = RowAt(point.y());
    if (row >= 0) box_->Choose(row);  // closes and deletes this list
}

void DropDownList::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (draggingThumb_ && (event->buttons() & Qt::LeftButton)) {
        const int track = kHeight - 2 * kArrowWidth - ThumbRect().height();
        if (track > 0) {
            const int rows = (p.y() - dragStartY_) * MaxFirst() / track;
            ScrollRows(dragStartFirst_ + rows - first_);
        }
        return;
    }
    const int row = p.x() < width() - kArrowWidth ? RowAt(p.y()) : -1;
    if (row != hovered_) {
        hovered_ = row;
        update();
    }
}

void DropDownList::mouseReleaseEvent(QMouseEvent*) { draggingThumb_ = false; }

void DropDownList::wheelEvent(QWheelEvent* event) {
    ScrollRows(event->angleDelta().y() > 0 ? -1 : 1);
    event->accept();
}

void DropDownList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, beneath_);
    p.fillRect(rect(), QColor(30, 30, 30, 230));
    p.setPen(LightEdgeColour());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QStringList& entries = box_->Entries();
    for (int i = 0; i < VisibleRows() && first_ + i < entries.size(); ++i) {
        const QRect row(2, i * kRowHeight, width() - kArrowWidth - 4, kRowHeight);
        if (first_ + i == hovered_) p.fillRect(row, QColor(0, 70, 140));
        p.setPen(TextColour());
        p.drawText(row, Qt::AlignVCenter | Qt::AlignLeft, entries[first_ + i]);
    }
    // The scroll column: arrows at the ends, the thumb between them.
    const int x = width() - kArrowWidth;
    p.fillRect(QRect(x, 0, kArrowWidth, kHeight), QColor(25, 25, 25));
    p.fillRect(ThumbRect().adjusted(2, 0, -2, 0), StripColour());
    p.setBrush(TextColour());
    p.setPen(Qt::NoPen);
    const QPointF up[] = {{x + 6.0, 3.0}, {x + 10.0, 9.0}, {x + 2.0, 9.0}};
    const QPointF down[] = {{x + 6.0, kHeight - 3.0}, {x + 10.0, kHeight - 9.0}, {x + 2.0, kHeight - 9.0}};
    p.drawPolygon(up, 3);
    p.drawPolygon(down, 3);
}

// ---- the box --------------------------------------------------------------

DropDownBox::DropDownBox(QWidget* parent, const QRect& rect, int code) : QWidget(parent), code_(code) {
    setObjectName(QStringLiteral("ComboBox"));
    setGeometry(rect.x(), rect.y(), rect.width(), rect.height() > 0 ? rect.height() : 20);
    setFont(UiFont());
    show();
}

DropDownBox::~DropDownBox() { Close(); }

void DropDownBox::SetEntries(const QStringList& entries) {
    Close();
    entries_ = entries;
}

void DropDownBox::SetText(const QString& text) {
    text_ = text;
    update();
}

void DropDownBox::Open() {
    if (!list_) list_ = new DropDownList(this);
}

void DropDownBox::Close() {
    if (list_) {
        list_->hide();
        list_->deleteLater();
        list_ = nullptr;
    }
}

bool DropDownBox::OfferWheel(int delta) {
    if (!list_) return false;
    list_->ScrollRows(delta > 0 ? -1 : 1);
    return true;
}

void DropDownBox::Choose(int entry) {
    if (entry < 0 || entry >= entries_.size()) return;
    SetText(entries_[entry]);
    Close();
    if (QWidget* parent = parentWidget()) {
        parent->update();
        platform::PostWindowMessage(parent, kDropDownChosen);
    }
}

void DropDownBox::mousePressEvent(QMouseEvent* event) { pressed_ = event->button() == Qt::LeftButton; }

void DropDownBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (!click) return;
    if (list_) Close();
    else Open();
}

void DropDownBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(20, 20, 20));
    p.setPen(QColor(100, 100, 100));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(TextColour());
    p.drawText(rect().adjusted(4, 0, -16, 0), Qt::AlignVCenter | Qt::AlignLeft, text_);
    p.setBrush(TextColour());
    p.setPen(Qt::NoPen);
    const double x = width() - 10.0, y = height() / 2.0;
    const QPointF arrow[] = {{x - 4, y - 2}, {x + 4, y - 2}, {x, y + 3}};
    p.drawPolygon(arrow, 3);
}

}  // namespace toolkit
