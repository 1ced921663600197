#include "panels/EditSlopePanel.h"

#include <QLineEdit>
#include <QPainter>

#include "Dialogs.h"
#include "PostedMessage.h"
#include "model/MeshFileRecords.h"
#include "model/SlopeEdit.h"
#include "panels/LayerCombo.h"
#include "panels/SlopePanelLook.h"
#include "toolkit/CheckItem.h"
#include "toolkit/DarkStyle.h"
#include "toolkit/PushButton.h"
#include "toolkit/ToolkitMessages.h"

namespace {

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 30;
constexpr int kButtonTop = 270;
const QString kPlane = QStringLiteral("平面");
const QString kMesh = QStringLiteral("擬似ﾒｯｼｭ");

}  // namespace

EditSlopePanel::EditSlopePanel(QWidget* parent, SlopeShapeList& shapes, EditorRefresh& refresh,
                               std::function<void(int)> finish)
    : QWidget(parent), shapes_(shapes), refresh_(refresh), finish_(std::move(finish)) {
    setObjectName(QStringLiteral("11001"));
    setFont(toolkit::UiFont(12));
    const auto repaint = [this] { refresh_.Repaint(); };
    upper = new LayerCombo(this, {60, 20, 100, 20}, 1, LayerCombo::Mode::Layers, repaint);
    lower = new LayerCombo(this, {60, 50, 100, 20}, 2, LayerCombo::Mode::Layers, repaint);
    type = new LayerCombo(this, {60, 80, 100, 20}, 3, LayerCombo::Mode::Plain, repaint);
    name = MakeSlopeNameEdit(this);
    repeat = new toolkit::CheckItem(this, {5, 145}, QStringLiteral("繰り返し"), 1, false);
    repeat->resize(100, 15);
    repeatLayer = new LayerCombo(this, {60, 170, 80, 20}, 4, LayerCombo::Mode::Layers, repaint);
    repeatLayer->setEnabled(false);
    buttons[0] =
        new toolkit::PushButton(this, {0, kButtonTop, kButtonWidth, kButtonHeight}, kChange, QStringLiteral("変更"));
    buttons[1] = new toolkit::PushButton(this, {0, kButtonTop, kButtonWidth, kButtonHeight}, kCancel,
                                         QStringLiteral("キャンセル"));
    browse = new toolkit::PushButton(this, {200, 80, 80, 20}, kBrowse, QStringLiteral("参照"));
    Load();
    // Whatever was loaded, the type decides whether 参照 shows.
    ApplyTypeRule();
}

EditSlopePanel::~EditSlopePanel() {
    shapes_.Select(nullptr);
    refresh_.Repaint();
}

void EditSlopePanel::Load() {
    const SlopeShape* shape = shapes_.Selected();
    number_ = shape && shape->kind == ShapeKind::Registered ? SlopeNumberOfLayer(shape->number) : 0;
    const auto slope = ReadEditedSlope(number_);
    if (!slope) {
        buttons[0]->SetDisabled(true);
        return;
    }
    const std::vector<LayerEntry> layers = ReadLayerEntries();
    upper->SetLayerEntries(layers, UpperLayerOf(slope->record));
    lower->SetLayerEntries(layers, LowerLayerOf(slope->record));
    repeatLayer->SetLayerEntries(layers, 0);
    type->SetEntries({kPlane, kMesh});
    type->SetChoice(slope->record.definition == teva::SlopeRecord::meshDefinition ? kMesh : kPlane, 0);
    name->setText(QString::fromStdString(slope->name));
    working_ = slope->record;
    loaded_ = true;
}

void EditSlopePanel::ApplyTypeRule() {
    if (type->Text() == kMesh) {
        working_.definition = teva::SlopeRecord::meshDefinition;
        browse->show();
    } else {
        working_.meshRecord = 0;
        browse->hide();
    }
    update();
    if (parentWidget()) parentWidget()->update();
}

void EditSlopePanel::Change() {
    if (!loaded_) return;
    const SlopeEdit edit{name->text().toStdString(), upper->Value(), lower->Value(), type->Text() == kMesh,
                         working_.meshRecord};
    if (ApplySlopeEdit(number_, edit, shapes_, refresh_) == EditOutcome::Written) finish_(kClosed);
}

void EditSlopePanel::Cancel() { finish_(kClosed); }

void EditSlopePanel::Browse() {
    const std::string initial = ReadMeshFilePath(working_.meshRecord).value_or(std::string());
    const auto chosen = platform::CurrentDialogs().OpenFileName("開く", initial, "斜面定義ﾌｧｲﾙ(*.tmsh)");
    if (!chosen) return;
    if (const auto number = FindOrAddMeshFile(*chosen)) working_.meshRecord = *number;
    update();
    if (parentWidget()) parentWidget()->update();
}

QString EditSlopePanel::ShownMeshPath() const {
    if (working_.definition != teva::SlopeRecord::meshDefinition) return {};
    return QString::fromStdString(ReadMeshFilePath(working_.meshRecord).value_or(std::string()));
}

bool EditSlopePanel::event(QEvent* event) {
    if (const auto* m = platform::AsWindowMessage(event)) {
        if (m->message == toolkit::kButtonReleased) {
            if (m->wParam == kChange) Change();
            if (m->wParam == kCancel) Cancel();
            if (m->wParam == kBrowse) Browse();
        } else if (m->message == toolkit::kDropDownChosen) {
            ApplyTypeRule();
        } else if (m->message == toolkit::kCheckToggled) {
            refresh_.Repaint();
        }
        return true;
    }
    return QWidget::event(event);
}

void EditSlopePanel::resizeEvent(QResizeEvent*) {
    PlaceSlopePanelControls(width(), kButtonTop, upper, lower, repeatLayer, buttons[0], buttons[1]);
}

void EditSlopePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintSlopePanel(p, rect(), name->geometry(), repeat->geometry());
    const QString path = ShownMeshPath();
    if (!path.isEmpty()) p.drawText(0, 200 + QFontMetrics(p.font()).ascent(), path);
}
