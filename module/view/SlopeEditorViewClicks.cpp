// The editor view's clicks: the picks a click tries in turn, the context
// menus, and the commands they send.

#include <QFontMetrics>
#include <QKeyEvent>

#include "Dialogs.h"
#include "model/IntersectionLineExtraction.h"
#include "model/ModelSteps.h"
#include "model/ModelDbLibrary.h"
#include "model/NodeSelection.h"
#include "model/OrderPickedNodes.h"
#include "model/SlopeDeletion.h"
#include "model/SlopeRegistration.h"
#include "panels/ShapeOrderDialog.h"
#include "panels/SlopeDefinitionDialog.h"
#include "view/ScenePicker.h"
#include "view/SlopeEditorView.h"

namespace {

// A pick's layer or axis name code that the model resolves; sp_cpno answers
// 0, -1 or -6 for one it does not know.
bool Resolved(int32_t code) { return code > 0 || code < -6; }

// A step's label with the selected slope's name, when it has one.
std::string StepLabel(const char* what, const SlopeShape* selected) {
    std::string label = what;
    char name[64] = {};
    if (selected && selected->number < 0 && ModelBound() &&
        Db().DB_Usnam(4, SlopeNumberOf(Db().sp_cpnam(selected->number)), name) == 0)
        label += std::string(" ") + name;
    return label;
}

template <typename Set, typename Value>
void Toggle(Set& set, const Value& value) {
    if (!set.erase(value)) set.insert(value);
}

}  // namespace

ScenePicker& SlopeEditorView::Picker() {
    if (!picker_) {
        picker_ = std::make_unique<ScenePicker>(renderer_, [this](const std::string& text) {
            // Label rectangles are measured in the view's own font.
            const QFontMetrics metrics(font());
            return std::make_pair(metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height());
        });
    }
    return *picker_;
}

bool SlopeEditorView::PickLayerName(int x, int y) {
    if (!contextReady_ || !ModelBound()) return false;
    makeCurrent();
    SceneFrame frame = Frame();
    const auto code = Picker().PickLayerName(frame, x, y);
    doneCurrent();
    if (!code) return false;
    // A label whose layer the model no longer knows is hit but toggles nothing.
    const int32_t layer = Db().sp_cpno(*code);
    if (Resolved(layer)) Toggle(hiddenLayers_, LayerCode{layer});
    return true;
}

bool SlopeEditorView::PickAxis(int x, int y) {
    if (!contextReady_ || !ModelBound()) return false;
    makeCurrent();
    SceneFrame frame = Frame();
    const auto code = Picker().PickAxis(frame, x, y);
    doneCurrent();
    if (!code) return false;
    const int32_t axis = Db().sp_wno(*code);
    if (axis > 0) Toggle(hiddenAxes_, axis);
    return true;
}

std::optional<NodeRef> SlopeEditorView::NodeAt(int x, int y, bool cull) {
    if (!contextReady_ || !ModelBound()) return std::nullopt;
    makeCurrent();
    SceneFrame frame = Frame();
    Picker().SetNodeCulling(cull);
    const auto node = Picker().PickNode(frame, x, y);
    Picker().SetNodeCulling(true);
    doneCurrent();
    return node;
}

bool SlopeEditorView::PickNode(int x, int y) {
    const auto node = NodeAt(x, y);
    if (!node) return false;
    const NodeToggle toggled = ToggleNodeSelection(picked_, node->layer, node->node);
    if (toggled == NodeToggle::Added) {
        lastPicked_ = *node;
        // The new node takes its place in the outline; nodes that are not in
        // one plane lose it again, with a message.
        OrderPickedNodes(picked_);
    }
    if (toggled != NodeToggle::Refused) BuildOutlineShape(picked_, shapes_);
    return true;
}

bool SlopeEditorView::PickSlope(int x, int y, bool quiet) {
    if (mode_ != InteractionMode::Slope || !contextReady_) return false;
    lastMouse_ = QPoint(x, y);
    makeCurrent();
    SceneFrame frame = Frame();
    const ScenePicker::SlopeHit hit = Picker().PickSlope(frame, x, y);
    doneCurrent();
    if (!hit.hit) return false;
    shapes_.Select(hit.shapeId ? shapes_.FindShapeById(*hit.shapeId) : nullptr);
    update();
    const SlopeShape* shape = shapes_.Selected();
    if (quiet || !shape) return true;
    const QPoint screen = mapToGlobal(QPoint(x, y));
    int chosen = 0;
    if (shape->kind == ShapeKind::Registered)
        chosen = platform::CurrentDialogs().PopupMenu(menus_.registered, screen.x(), screen.y());
    else if (shape->kind == ShapeKind::Outline)
        chosen = platform::CurrentDialogs().PopupMenu(menus_.outline, screen.x(), screen.y());
    if (chosen > 0) RunCommand(chosen);
    return true;
}

void SlopeEditorView::ShowRefusal(const RefusalPlace& place) {
    refusal_ = place;
    update();
}

void SlopeEditorView::LeftClick(int x, int y) {
    refusal_.reset();
    if (mode_ == InteractionMode::Mesh) {
        MeshClick(x, y, false);
        return;
    }
    if (PickLayerName(x, y) || PickAxis(x, y)) {
        DiscardDisplayLists({kListNodes, kListRidgeLines});
    } else if (!context_.ItemOn(display_items::kNodes)) {
        PickSlope(x, y, true);
    } else if (PickNode(x, y)) {
        DiscardDisplayLists({kListNodes});
    } else {
        PickSlope(x, y, true);
    }
    DiscardDisplayLists({kListMeshNodes});
    update();
}

void SlopeEditorView::RightClick(int x, int y) {
    refusal_.reset();
    if (mode_ == InteractionMode::Mesh) {
        MeshClick(x, y, true);
        return;
    }
    if (PickSlope(x, y, false)) return;
    const QPoint screen = mapToGlobal(QPoint(x, y));
    if (const int chosen = platform::CurrentDialogs().PopupMenu(menus_.background, screen.x(), screen.y()))
        RunCommand(chosen);
}

void SlopeEditorView::RefreshAfterModelChange() {
    if (context_.placement) context_.placement->RefillKeepingChoices();
    DiscardDisplayLists();
    update();
}

void SlopeEditorView::RunCommand(int id) {
    if (mode_ == InteractionMode::Mesh) {
        RunMeshCommand(id);
        return;
    }
    switch (id) {
        case kCommandDefine: {
            // The first free automatic name, the layers of the picked nodes.
            bool defined = false;
            {
                const ModelStep step("斜面定義");
                defined = DefineSlopeWithAutomaticName(picked_, shapes_, *this);
            }
            if (defined) HandleKey(Qt::Key_E);
            break;
        }
        case kCommandDefineNamed: {
            {
                const ModelStep step("斜面定義");
                OpenDefineDialog(this, picked_, shapes_, *this);
            }
            HandleKey(Qt::Key_E);
            break;
        }
        case kCommandClearOutline:
        case kCommandClearNodes:
            HandleKey(Qt::Key_E);
            break;
        case kCommandShowAllNodes:
            HandleKey(Qt::Key_Z);
            break;
        case kCommandHideAllNodes:
            HandleKey(Qt::Key_X);
            break;
        case kCommandShapeOrder:
            RunShapeOrder();
            break;
        case kCommandEditSlope: {
            // The dialog clears the selection when it closes.
            const ModelStep step(StepLabel("斜面編集", shapes_.Selected()));
            OpenEditDialog(this, shapes_, *this);
            break;
        }
        case kCommandExtractLines: {
            bool extracted = false;
            {
                const ModelStep step("他斜面との交線を抽出");
                extracted = ExtractIntersectionLines(picked_, shapes_, *this);
            }
            if (extracted) HandleKey(Qt::Key_E);
            break;
        }
        case kCommandDeleteSlope: {
            DeleteOutcome outcome;
            {
                const ModelStep step(StepLabel("斜面削除", shapes_.Selected()));
                outcome = DeleteSlope(shapes_, *this);
            }
            if (outcome == DeleteOutcome::ResetSelection) HandleKey(Qt::Key_E);
            break;
        }
        default:
            break;
    }
}

void SlopeEditorView::RunShapeOrder() {
    if (const SlopeShape* selected = shapes_.Selected()) {
        if (SlopeShape* shape = shapes_.FindShapeById(selected->id)) RunShapeOrderDialog(this, *shape);
    }
    shapes_.Select(nullptr);
    // The outline may run another way now.
    DiscardDisplayLists({kListSlopeOutlines});
    update();
}
