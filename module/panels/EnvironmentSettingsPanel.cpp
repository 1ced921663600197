#include "EnvironmentSettingsPanel.h"

#include <QPainter>

#include "Dialogs.h"
#include "PostedMessage.h"
#include "mesh/NumberText.h"
#include "toolkit/CheckItem.h"
#include "toolkit/ColourButton.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/DropDownBox.h"
#include "toolkit/NumericEdit.h"
#include "toolkit/PushButton.h"
#include "toolkit/ToolkitMessages.h"

namespace {

using toolkit::NumericEdit;

struct Group {
    const char* title;
    QPoint origin;
    int frameTop;     // where the frame's top line starts, from gx
    int frameBottom;  // from gy
};
const Group kNode{"節点", {15, 5}, 25, 50};
const Group kRidge{"稜線", {15, 60}, 25, 80};
const Group kGrid{"グリッド", {15, 145}, 40, 200};
const Group kColour{"色", {180, 5}, 15, 250};
const Group kCamera{"カメラ", {345, 5}, 35, 125};

struct Label {
    const Group* group;
    int dx, dy;
    const char* text;
};
const Label kLabels[] = {
    {&kNode, 10, 28, "直径"}, {&kNode, 110, 30, "mm"},
    {&kRidge, 10, 28, "太さ"}, {&kRidge, 110, 30, "pt"}, {&kRidge, 10, 55, "線種"},
    {&kGrid, 10, 28, "太さ"}, {&kGrid, 110, 30, "pt"}, {&kGrid, 10, 55, "線種"},
    {&kGrid, 0, 84, "基準位置"}, {&kGrid, 0, 98, "x"}, {&kGrid, 50, 98, "y"}, {&kGrid, 100, 98, "z"},
    {&kGrid, 0, 140, "間隔"}, {&kGrid, 0, 154, "幅"}, {&kGrid, 50, 154, "x"}, {&kGrid, 100, 154, "y"},
    {&kColour, 10, 28, "背景色"}, {&kColour, 10, 68, "節点色"}, {&kColour, 10, 108, "稜線色"},
    {&kColour, 10, 148, "グリッド色"}, {&kColour, 10, 188, "文字色"},
    {&kCamera, 10, 60, "パースペクティブ(透視)"},
};

QRect At(const Group& g, int dx, int dy, int w, int h) { return {g.origin.x() + dx, g.origin.y() + dy, w, h}; }

QString Fixed1(double v) { return QString::fromStdString(textnum::FormatFixed(v, 1)); }
QString Int(long long v) { return QString::fromStdString(textnum::FormatInt(v)); }

QStringList LineTypeEntries() {
    QStringList entries;
    for (const char* name : kLineTypeNames) entries << QString::fromUtf8(name);
    return entries;
}

// The list's text for a line type code; another code leaves it empty.
QString LineTypeText(LineTypeCode code) {
    return code >= 0 && code < 3 ? QString::fromUtf8(kLineTypeNames[code]) : QString();
}

}  // namespace

EnvironmentSettingsPanel::EnvironmentSettingsPanel(QWidget* parent, const DisplaySettings& settings,
                                                   const ViewPreferences& view, std::string settingsPath,
                                                   std::function<void()> apply, std::function<void(int)> finish)
    : QWidget(parent), settingsPath_(std::move(settingsPath)), apply_(std::move(apply)), finish_(std::move(finish)) {
    setObjectName(QStringLiteral("EnvironmentSettingsPanel"));
    nodeSize = new NumericEdit(this, At(kNode, 40, 25, 60, 15), NumericEdit::kInteger);
    ridgeWidth = new NumericEdit(this, At(kRidge, 40, 25, 60, 15), NumericEdit::kReal);
    ridgeType = new toolkit::DropDownBox(this, At(kRidge, 40, 50, 60, 15), 1);
    gridWidth = new NumericEdit(this, At(kGrid, 40, 25, 60, 15), NumericEdit::kReal);
    gridType = new toolkit::DropDownBox(this, At(kGrid, 40, 50, 60, 15), 2);
    for (int i = 0; i < 3; ++i) gridOrigin[i] = new NumericEdit(this, At(kGrid, 50 * i, 115, 40, 15), NumericEdit::kReal);
    gridSpacing = new NumericEdit(this, At(kGrid, 0, 171, 40, 15), NumericEdit::kReal);
    gridCount[0] = new NumericEdit(this, At(kGrid, 50, 171, 40, 15), NumericEdit::kInteger);
    gridCount[1] = new NumericEdit(this, At(kGrid, 100, 171, 40, 15), NumericEdit::kInteger);
    for (int i = 0; i < 5; ++i) colours[i] = new toolkit::ColourButton(this, At(kColour, 100, 40 + 40 * i, 20, 20), 0);
    inheritPosition = new toolkit::CheckItem(this, At(kCamera, 30, 30, 100, 20).topLeft(),
                                             QStringLiteral("位置の継承"), 1, false);
    perspectiveAngle = new NumericEdit(this, At(kCamera, 40, 87, 60, 15), NumericEdit::kLimitedReal, 0.1, 199.9);
    const QRect button(0, 0, 100, 20);
    buttons[0] = new toolkit::PushButton(this, button, kDefaults, QStringLiteral("ﾃﾞﾌｫﾙﾄに戻す"));
    buttons[1] = new toolkit::PushButton(this, button, kApply, QStringLiteral("適用"));
    buttons[2] = new toolkit::PushButton(this, button, kCancel, QStringLiteral("ｷｬﾝｾﾙ"));
    ridgeType->SetEntries(LineTypeEntries());
    gridType->SetEntries(LineTypeEntries());
    Fill(settings, view);
}

void EnvironmentSettingsPanel::Fill(const DisplaySettings& s, const ViewPreferences& view) {
    nodeSize->setText(Int(s.nodeSize));
    ridgeWidth->setText(Fixed1(s.ridgeLineWidth));
    gridWidth->setText(Fixed1(s.gridLineWidth));
    gridOrigin[0]->setText(Fixed1(s.gridOriginX));
    gridOrigin[1]->setText(Fixed1(s.gridOriginY));
    gridOrigin[2]->setText(Fixed1(s.gridOriginZ));
    gridSpacing->setText(Fixed1(s.gridSpacing));
    gridCount[0]->setText(Int(s.gridCountX));
    gridCount[1]->setText(Int(s.gridCountY));
    perspectiveAngle->setText(Fixed1(view.perspectiveAngle));
    gridType->SetText(LineTypeText(s.gridLineType));
    ridgeType->SetText(LineTypeText(s.ridgeLineType));
    const Colour values[5] = {s.backgroundColour, s.nodeColour, s.ridgeLineColour, s.gridColour, s.textColour};
    for (int i = 0; i < 5; ++i) colours[i]->SetColour(values[i]);
    inheritPosition->SetChecked(view.inheritCameraPosition);
    // Narrow edits show the start of their numbers.
    for (NumericEdit* edit : findChildren<NumericEdit*>()) edit->setCursorPosition(0);
}

DisplaySettingsTexts EnvironmentSettingsPanel::Texts() const {
    DisplaySettingsTexts t;
    auto s = [](const QLineEdit* e) { return e->text().toStdString(); };
    t.nodeWidth = s(nodeSize);
    t.lineWidth = s(ridgeWidth);
    t.lineType = ridgeType->Text().toStdString();
    t.gridWidth = s(gridWidth);
    t.gridType = gridType->Text().toStdString();
    t.gridPosX = s(gridOrigin[0]);
    t.gridPosY = s(gridOrigin[1]);
    t.gridPosZ = s(gridOrigin[2]);
    t.gridSpacing = s(gridSpacing);
    t.gridCountX = s(gridCount[0]);
    t.gridCountY = s(gridCount[1]);
    t.backgroundColour = colours[0]->Colour();
    t.nodeColour = colours[1]->Colour();
    t.lineColour = colours[2]->Colour();
    t.gridColour = colours[3]->Colour();
    t.textColour = colours[4]->Colour();
    t.inheritPosition = inheritPosition->IsChecked();
    t.perspectiveAngle = s(perspectiveAngle);
    return t;
}

void EnvironmentSettingsPanel::ApplySettings() {
    // A save that fails keeps the dialog open with the edits, so the user
    // can try again or cancel knowingly; the file keeps its old content.
    if (const SettingsResult saved = SaveDisplaySettings(Texts(), settingsPath_); !saved) {
        platform::CurrentDialogs().ShowMessage(saved.message);
        return;
    }
    if (apply_) apply_();
    if (finish_) finish_(1);
}

void EnvironmentSettingsPanel::RestoreDefaultSettings() {
    const DisplaySettings defaults;
    ViewPreferences view;
    // The dialog's defaults inherit the camera position, unlike a new view.
    view.inheritCameraPosition = true;
    Fill(defaults, view);
    update();
}

bool EnvironmentSettingsPanel::event(QEvent* event) {
    if (const auto* m = platform::AsWindowMessage(event)) {
        if (m->message == toolkit::kButtonReleased) {
            switch (m->wParam) {
                case kApply: ApplySettings(); break;
                case kCancel:
                    if (finish_) finish_(2);
                    break;
                case kDefaults: RestoreDefaultSettings(); break;
                default: break;
            }
        }
        return true;
    }
    return QWidget::event(event);
}

void EnvironmentSettingsPanel::resizeEvent(QResizeEvent*) {
    const int cx = width(), cy = height();
    buttons[0]->move(cx - 110, cy - 80);
    buttons[1]->move(cx - 110, cy - 55);
    buttons[2]->move(cx - 110, cy - 30);
}

void EnvironmentSettingsPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    p.setPen(QColor(15, 15, 15));
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(0, 0, w - 2, h - 2);
    const QPen frame(QColor(100, 100, 100));
    p.setPen(frame);
    p.drawLine(2, h - 3, 2, 2);
    p.drawLine(2, 2, w - 2, 2);
    for (const Group* g : {&kNode, &kRidge, &kGrid, &kColour, &kCamera}) {
        const int gx = g->origin.x(), gy = g->origin.y();
        p.setPen(frame);
        const QPoint corners[] = {{gx + g->frameTop, gy + 6}, {gx + 150, gy + 6}, {gx + 150, gy + g->frameBottom},
                                  {gx - 6, gy + g->frameBottom}, {gx - 6, gy + 6}, {gx - 3, gy + 6}};
        p.drawPolyline(corners, 6);
        p.setFont(toolkit::UiFont(12));
        p.setPen(toolkit::TextColour());
        p.drawText(QPoint(gx, gy + p.fontMetrics().ascent()), QString::fromUtf8(g->title));
    }
    p.setFont(toolkit::UiFont(11));
    for (const Label& l : kLabels) {
        p.drawText(QPoint(l.group->origin.x() + l.dx, l.group->origin.y() + l.dy + p.fontMetrics().ascent()),
                   QString::fromUtf8(l.text));
    }
    // Each edit sits in a frame.
    for (const NumericEdit* e : findChildren<NumericEdit*>()) {
        const QRect r = e->geometry().adjusted(-2, -2, 2, 2);
        p.fillRect(r, QColor(80, 80, 80));
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}
