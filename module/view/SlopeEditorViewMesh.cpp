// Mesh mode in the editor view: entering and leaving it, its clicks, the
// node operation and the commands of its two menus.

#include <QKeyEvent>

#include <cstdlib>

#include "Dialogs.h"
#include "mesh/MeshDivision.h"
#include "mesh/MeshMessages.h"
#include "model/MeshSave.h"
#include "model/ModelSteps.h"
#include "model/SlopeMesh.h"
#include "panels/QtMeshDialogs.h"
#include "view/ScenePicker.h"
#include "view/SlopeEditorView.h"

namespace {

bool Acceptable(const MeshVertex& v) {
    return AcceptableCoordinate(v.x) && AcceptableCoordinate(v.y) && AcceptableCoordinate(v.z);
}

bool Yes(const char* question) {
    return platform::CurrentDialogs().ShowMessage(question, platform::MessageButtons::YesNo) ==
           platform::MessageResult::Yes;
}

}  // namespace

MeshDialogs& SlopeEditorView::MeshDialogsInUse() {
    if (meshDialogs_) return *meshDialogs_;
    if (!qtMeshDialogs_) qtMeshDialogs_ = std::make_unique<QtMeshDialogs>(this);
    return *qtMeshDialogs_;
}

void SlopeEditorView::EnterMeshMode() {
    mode_ = InteractionMode::Mesh;
    picked_.clear();
    lastPicked_.reset();
    shapes_.RemoveShapes(ShapeKind::Outline);
    DiscardDisplayLists();
    mesh_.Clear();
    meshPath_.clear();
    const SlopeShape* selected = shapes_.Selected();
    std::optional<std::string> path;
    if (selected && selected->kind == ShapeKind::Registered) {
        path = LoadSlopeMesh(selected->number, mesh_);
    } else {
        platform::CurrentDialogs().ShowMessage(kMeshDefinitionUnreadable);
    }
    if (!path) {
        // Back to slope mode; the header bar repaints its button from the mode.
        mode_ = InteractionMode::Slope;
        update();
        return;
    }
    meshPath_ = *path;
    if (context_.placement)
        context_.placement->TurnItemsOff({display_items::kRange, display_items::kRidgeLines, display_items::kNodes,
                                          display_items::kEdges});
    update();
}

void SlopeEditorView::LeaveMeshMode() {
    mode_ = InteractionMode::Slope;
    mesh_.Clear();
    meshPath_.clear();
    // The rebuild replaces the shapes: the selection is found again by number.
    const int32_t number = shapes_.Selected() ? shapes_.Selected()->number : 0;
    shapes_.RebuildRegisteredShapes();
    shapes_.Select(number ? shapes_.FindShapeByNumber(number) : nullptr);
    DiscardDisplayLists();
    update();
}

void SlopeEditorView::MeshClick(int x, int y, bool right) {
    if (!contextReady_) return;
    makeCurrent();
    SceneFrame frame = Frame();
    const std::vector<size_t> nodes = Picker().PickMeshNodes(frame, x, y);
    std::optional<size_t> element;
    if (nodes.empty()) element = Picker().PickMeshElement(frame, x, y);
    doneCurrent();

    if (!nodes.empty()) {
        for (size_t n : nodes) {
            // An outline mesh keeps the two latest picks.
            if (mesh_.kind == MeshKind::Outline) mesh_.secondPick = mesh_.firstPick;
            mesh_.firstPick = n;
        }
        DiscardDisplayLists({kListMeshNodes});
        NodeOperation();
    } else {
        mesh_.ClearPicks();
        mesh_.selectedElement = element;
        const QPoint screen = mapToGlobal(buttonDown_);
        int chosen = 0;
        if (element) chosen = platform::CurrentDialogs().PopupMenu(menus_.meshNode, screen.x(), screen.y());
        else if (right) chosen = platform::CurrentDialogs().PopupMenu(menus_.mesh, screen.x(), screen.y());
        if (chosen > 0) RunMeshCommand(chosen);
    }
    if (!right) DiscardDisplayLists({kListMeshNodes});
    update();
}

void SlopeEditorView::NodeOperation() {
    MeshWorkspace& ws = mesh_;
    if (!ws.firstPick || *ws.firstPick >= ws.nodes.size()) return;
    const size_t first = *ws.firstPick;
    auto moveFirst = [&] {
        const auto to = MeshDialogsInUse().NodeCoordinates(ws.NodePosition(first));
        if (to && Acceptable(*to)) MoveNode(ws, first, *to);
        return to.has_value();
    };
    if (ws.kind == MeshKind::File) {
        if (moveFirst()) ws.firstPick.reset();
        DiscardDisplayLists({kListMeshNodes});
        update();
        return;
    }
    if (!ws.secondPick || *ws.secondPick >= ws.nodes.size()) return;
    const size_t second = *ws.secondPick;
    if (first == second) {
        moveFirst();
        ws.ClearPicks();
        DiscardDisplayLists({kListMeshNodes});
        update();
        return;
    }
    const NodePair pair = ClassifyNodePair(ws, first, second);
    switch (pair.kind) {
        case NodePair::Kind::Line:
            if (Yes(kMeshInsertAlongLine)) {
                InsertNodesAlongLine(ws.working, ws.NodePosition(first), ws.NodePosition(second));
                ws.Group(GroupedList::Working);
            }
            break;
        case NodePair::Kind::Split:
            if (Yes(kMeshSplitQuestion)) SplitWorkingElement(ws, pair);
            break;
        case NodePair::Kind::OnEdge:
            platform::CurrentDialogs().ShowMessage(kMeshNodesOnEdge);
            break;
    }
    ws.ClearPicks();
    DiscardDisplayLists();
    update();
}

void SlopeEditorView::RunMeshCommand(int id) {
    switch (id) {
        case 1: {
            MeshSaveOutcome saved;
            {
                const ModelStep step("メッシュを保存");
                saved = SaveMesh(mesh_, meshPath_);
            }
            if (saved == MeshSaveOutcome::Linked) EnterMeshMode();
            DiscardDisplayLists();
            update();
            break;
        }
        case 2:
        case 3:
            DivideSelected(id == 2);
            break;
        case 4:
            SwapNodeOrder();
            break;
        case 5:
            AddNode();
            break;
        default:
            break;
    }
}

void SlopeEditorView::MeshChanged() {
    mesh_.Group(GroupedList::Working);
    mesh_.ClearPicks();
    DiscardDisplayLists();
    update();
}

void SlopeEditorView::DivideSelected(bool triangles) {
    if (!mesh_.selectedElement || *mesh_.selectedElement >= mesh_.working.size()) return;
    if (mesh_.working[*mesh_.selectedElement].vertices.size() != 4) {
        platform::CurrentDialogs().ShowMessage(kMeshQuadrilateralOnly);
        return;
    }
    const auto counts = MeshDialogsInUse().DivisionCounts();
    if (!counts) return;
    if (DivideSelectedElement(mesh_, counts->first, counts->second, triangles) == DivisionResult::TooMany)
        platform::CurrentDialogs().ShowMessage(kMeshTooManyElements);
    DiscardDisplayLists();
    update();
}

void SlopeEditorView::SwapNodeOrder() {
    if (!mesh_.selectedElement || *mesh_.selectedElement >= mesh_.working.size()) return;
    MeshElement& element = mesh_.working[*mesh_.selectedElement];
    std::vector<std::string> items;
    for (size_t i = 1; i <= element.vertices.size(); ++i) items.push_back(std::to_string(i));
    if (const auto order = MeshDialogsInUse().NodeOrder(items)) {
        std::vector<size_t> indices;
        for (const std::string& text : *order) indices.push_back(static_cast<size_t>(std::atoi(text.c_str()) - 1));
        ReorderVertices(element, indices);
    }
    // Nodes name vertices by their place in the element: group them again.
    MeshChanged();
}

void SlopeEditorView::AddNode() {
    if (!mesh_.selectedElement || *mesh_.selectedElement >= mesh_.working.size()) return;
    MeshElement& element = mesh_.working[*mesh_.selectedElement];
    std::vector<int> spans;
    for (int i = 1; i <= static_cast<int>(element.vertices.size()); ++i) spans.push_back(i);
    if (const auto span = MeshDialogsInUse().AddNodeSpan(spans); span && *span >= 0)
        InsertSpanMidpoint(element, static_cast<size_t>(*span));
    MeshChanged();
}
