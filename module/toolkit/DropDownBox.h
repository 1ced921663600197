#pragma once
// A drop-down box of the dark style ("ComboBox", 20 high unless its
// rectangle says otherwise) and its list
// ("ComboBoxPop", 72 high, under the box). A click on the box opens the list;
// in the list the arrows scroll by a row, the thumb drags, and a press
// elsewhere picks the hovered entry: it becomes the box's text, the list
// closes, and the box's parent gets WM_USER + 101.

#include <QImage>
#include <QStringList>
#include <QWidget>

namespace toolkit {

class DropDownBox;

class DropDownList : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 72;
    static constexpr int kRowHeight = 12;
    static constexpr int kArrowWidth = 12;

    explicit DropDownList(DropDownBox* box);

    int FirstRow() const { return first_; }
    int VisibleRows() const { return kHeight / kRowHeight; }
    // Scrolls by rows, never above the first row nor past the last.
    void ScrollRows(int rows);
    // Picks the entry at a row of the list's client area.
    void PickAt(const QPoint& point);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    int RowAt(int y) const;
    QRect ThumbRect() const;
    int MaxFirst() const;

    DropDownBox* box_;
    QImage beneath_;
    int first_ = 0;
    int hovered_ = -1;
    bool draggingThumb_ = false;
    int dragStartY_ = 0;
    int dragStartFirst_ = 0;
};

class DropDownBox : public QWidget {
    Q_OBJECT
public:
    DropDownBox(QWidget* parent, const QRect& rect, int code);
    ~DropDownBox() override;

    int Code() const { return code_; }
    const QStringList& Entries() const { return entries_; }
    void SetEntries(const QStringList& entries);
    QString Text() const { return text_; }
    void SetText(const QString& text);

    bool IsOpen() const { return list_ != nullptr; }
    DropDownList* List() const { return list_; }
    void Open();
    void Close();
    // A wheel turn offered by the owner: the open list scrolls and takes it.
    bool OfferWheel(int delta);

    // Called by the list when an entry is picked.
    void Choose(int entry);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    int code_;
    QStringList entries_;
    QString text_;
    DropDownList* list_ = nullptr;
    bool pressed_ = false;
};

}  // namespace toolkit
