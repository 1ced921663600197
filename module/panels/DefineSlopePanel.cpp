#include "panels/DefineSlopePanel.h"

#include <QLineEdit>
#include <QPainter>

#include "Dialogs.h"
#include "PostedMessage.h"
#include "model/ModelDbLibrary.h"
#include "model/NodeSelection.h"
#include "model/SlopeMessages.h"
#include "model/SlopeName.h"
#include "model/SlopeRegistration.h"
#include "panels/LayerCombo.h"
#include "panels/SlopePanelLook.h"
#include "toolkit/CheckItem.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/PushButton.h"
#include "toolkit/ToolkitMessages.h"

namespace {

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 30;
constexpr int kButtonTop = 225;
const QString kPlane = QStringLiteral("平面");

// The layer code a list's value names; 0 when it names none (sp_cpno
// answers 0, -1 or -6).
LayerCode LayerOf(int32_t nameCode) {
    if (nameCode == 0 || !ModelBound()) return 0;
    const LayerCode layer = Db().sp_cpno(nameCode);
    return layer > 0 ? layer : 0;
}

}  // namespace

DefineSlopePanel::DefineSlopePanel(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                                   EditorRefresh& refresh, std::function<void(int)> finish)
    : QWidget(parent), picked_(picked), shapes_(shapes), refresh_(refresh), finish_(std::move(finish)) {
    setObjectName(QStringLiteral("11001"));
    setFont(toolkit::UiFont(12));
    const auto repaint = [this] { refresh_.Repaint(); };
    upper = new LayerCombo(this, {60, 20, 100, 20}, 1, LayerCombo::Mode::Layers, repaint);
    lower = new LayerCombo(this, {60, 50, 100, 20}, 2, LayerCombo::Mode::Layers, repaint);
    type = new LayerCombo(this, {60, 80, 60, 20}, 3, LayerCombo::Mode::Plain, repaint);
    type->SetEntries({kPlane});
    type->SetChoice(kPlane, 1);

    name = MakeSlopeNameEdit(this);

    repeat = new toolkit::CheckItem(this, {5, 145}, QStringLiteral("繰り返し"), 1, false);
    repeat->resize(100, 15);
    repeatLayer = new LayerCombo(this, {60, 170, 80, 20}, 4, LayerCombo::Mode::Layers, repaint);
    repeatLayer->setEnabled(false);

    buttons[0] = new toolkit::PushButton(this, {0, kButtonTop, kButtonWidth, kButtonHeight}, kDefine,
                                         QStringLiteral("定義して登録"));
    buttons[1] = new toolkit::PushButton(this, {0, kButtonTop, kButtonWidth, kButtonHeight}, kCancel,
                                         QStringLiteral("キャンセル"));

    LayerCode top = 0, bottom = 0;
    if (!FindTopBottomLayers(picked_, top, bottom)) top = bottom = 0;
    const std::vector<LayerEntry> layers = ReadLayerEntries();
    upper->SetLayerEntries(layers, top);
    lower->SetLayerEntries(layers, bottom);
    repeatLayer->SetLayerEntries(layers, 0);
}

void DefineSlopePanel::Define() {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    const std::string slopeName = NormalizeSlopeName(name->text().toStdString());
    if (!SlopeNameFits(slopeName)) {
        dialogs.ShowMessage(kNameTooLongMessage);
        return;
    }
    // Anything but "no such name" refuses: a taken name, an empty one, or a
    // lookup that failed.
    if (slopeName.empty() || !ModelBound() || Db().DB_Usfind(4, slopeName.c_str()) != -2) {
        dialogs.ShowMessage(kDuplicateNameMessage);
        return;
    }
    const LayerCode upperLayer = LayerOf(upper->Value()), lowerLayer = LayerOf(lower->Value());
    if (upperLayer == 0 || lowerLayer == 0) {
        dialogs.ShowMessage(kUnknownLayerMessage);
        return;
    }
    const int32_t plane = type->Text() == kPlane ? 1 : 0;
    DefineSlope({upperLayer, lowerLayer, plane, slopeName, true}, picked_, shapes_, refresh_);
    finish_(kClosed);
}

void DefineSlopePanel::Cancel() {
    refresh_.Repaint();
    finish_(kClosed);
}

bool DefineSlopePanel::event(QEvent* event) {
    if (const auto* m = platform::AsWindowMessage(event)) {
        if (m->message == toolkit::kButtonReleased) {
            if (m->wParam == kDefine) Define();
            if (m->wParam == kCancel) Cancel();
        } else if (m->message == toolkit::kCheckToggled) {
            refresh_.Repaint();
        }
        return true;
    }
    return QWidget::event(event);
}

void DefineSlopePanel::resizeEvent(QResizeEvent*) {
    PlaceSlopePanelControls(width(), kButtonTop, upper, lower, repeatLayer, buttons[0], buttons[1]);
}

void DefineSlopePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintSlopePanel(p, rect(), name->geometry(), repeat->geometry());
}
