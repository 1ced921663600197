#include "model/SlopeRegistration.h"

#include <cmath>

#include "Dialogs.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelQueries.h"
#include "model/NodeSelection.h"
#include "model/RegisteredSlopeSearch.h"
#include "model/SlopeDefinitionChecks.h"
#include "model/SlopeMessages.h"
#include "model/SlopeName.h"
#include "model/SlopeRecords.h"

namespace {

constexpr double kSameDirection = 1e-9;
constexpr int kLastNameNumber = 32767;

void Show(const char* text) { platform::CurrentDialogs().ShowMessage(text); }

bool Refuse(SlopeShapeList& shapes, EditorRefresh& refresh, const char* message = nullptr) {
    if (message) Show(message);
    shapes.Select(nullptr);
    refresh.Repaint();
    return false;
}

bool Finish(SlopeShapeList& shapes, EditorRefresh& refresh) {
    Db().DB_restruct(0);
    shapes.Select(nullptr);
    shapes.RebuildRegisteredShapes();
    refresh.RefreshAfterModelChange();
    return true;
}

bool SameDirection(const Vec3d& a, const Vec3d& b) {
    return std::fabs(a.x - b.x) < kSameDirection && std::fabs(a.y - b.y) < kSameDirection &&
           std::fabs(a.z - b.z) < kSameDirection;
}

// The message refusing a name, or null for a name that may be registered.
const char* NameProblem(const std::string& name) {
    if (name.empty()) return kDuplicateNameMessage;
    if (!SlopeNameFits(name)) return kNameTooLongMessage;
    return Db().DB_Usfind(4, name.c_str()) == -2 ? nullptr : kDuplicateNameMessage;
}

}  // namespace

void RemoveCollinearVertices(SlopeShape& shape) {
    auto& v = shape.vertices;
    size_t a = 0;
    while (a < v.size() && v.size() > 2) {
        const size_t n = v.size();
        const size_t b = (a + 1) % n, c = (a + 2) % n;
        const Vec3d toB = v[b] - v[a], toC = v[c] - v[a];
        // A corner coinciding with its neighbour has no direction to compare.
        const bool degenerate = Length(toB) == 0.0 || Length(toC) == 0.0;
        if (!degenerate && SameDirection(Unit(toC), Unit(toB))) {
            v.erase(v.begin() + static_cast<std::ptrdiff_t>(b));
            shape.nodes.erase(shape.nodes.begin() + static_cast<std::ptrdiff_t>(b));
            if (b < a) --a;  // the removed corner stood before a (wrapped)
            continue;
        }
        ++a;
    }
}

std::optional<std::string> AutoSlopeName() {
    if (ModelBound()) {
        for (int n = 1; n <= kLastNameNumber; ++n) {
            const std::string name = "sl:" + std::to_string(n);
            const int found = Db().DB_Usfind(4, name.c_str());
            if (found == -2) return name;
            if (found < 1) break;  // the lookup failed
        }
    }
    Show(kNoAutomaticNameMessage);
    return std::nullopt;
}

bool DefineSlope(const DefineRequest& request, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                 EditorRefresh& refresh) {
    const SlopeShape* selected = shapes.Selected();
    if (!selected || !ModelBound()) return false;
    SlopeShape& s = *shapes.FindShapeById(selected->id);

    RemoveCollinearVertices(s);
    if (s.VertexCount() < 3) {
        Show(kThreePointsMessage);
        return false;
    }
    if (request.registerSlope) {
        if (const char* problem = NameProblem(request.name)) return Refuse(shapes, refresh, problem);
    }

    // The layers: both storey layers, the picked nodes on two of them, the
    // upper one higher. The picked nodes give way to the shape's own when
    // none are passed.
    LayerCode top = 0, bottom = 0;
    if (!FindTopBottomLayers(picked.empty() ? s.nodes : picked, top, bottom))
        return Refuse(shapes, refresh, kUnreadablePositionMessage);
    if (!StoreyLayerExists(request.upper) || !StoreyLayerExists(request.lower))
        return Refuse(shapes, refresh, kUnknownLayerMessage);
    const auto upperAt = NodePositionOnLayer(request.upper, s.nodes[0].node);
    const auto lowerAt = NodePositionOnLayer(request.lower, s.nodes[0].node);
    if (!upperAt || !lowerAt) return Refuse(shapes, refresh, kUnreadablePositionMessage);
    if (top == bottom || !(upperAt->z > lowerAt->z)) return Refuse(shapes, refresh, kInvalidPositionMessage);

    WorkingPolygon polygon;
    for (const NodeRef& ref : s.nodes) {
        NodeRef working = ref;
        if (ref.layer == top) working.layer = request.upper;
        if (ref.layer == bottom) working.layer = request.lower;
        const auto position = NodePositionOnLayer(working.layer, working.node);
        if (!position) return Refuse(shapes, refresh, kUnreadablePositionMessage);
        polygon.nodes.push_back(working);
        polygon.positions.push_back(*position);
    }

    RefusalPlace place;
    if (!SlopeOverlapTest(polygon.positions, &place.slope)) {
        refresh.ShowRefusal(place);
        Show(kOverlapsRegisteredMessage);
        return Finish(shapes, refresh);
    }
    if (size_t edge = 0; !PeripheralWallsPresent(polygon, request.lower, request.upper, &edge)) {
        place.edge = {polygon.positions[edge], polygon.positions[(edge + 1) % polygon.Size()]};
        refresh.ShowRefusal(place);
        return Refuse(shapes, refresh, kWallLinesMissingMessage);
    }
    if (!IntersectionLinesDefined(polygon.positions, &place.slope)) {
        refresh.ShowRefusal(place);
        return Refuse(shapes, refresh);
    }

    if (!request.registerSlope) {
        shapes.AddShape(polygon.positions, polygon.nodes, ShapeKind::Defined, -1);
        return Finish(shapes, refresh);
    }
    auto records = BuildSlopeRecords(polygon, request.upper, request.lower);
    if (!records) return Refuse(shapes, refresh, kCannotDefineMessage);
    if (!WriteSlopeRecords(*records, request.name)) return Refuse(shapes, refresh);
    return Finish(shapes, refresh);
}

bool DefineSlopeWithAutomaticName(const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                                  EditorRefresh& refresh) {
    if (!shapes.Selected()) return false;
    const auto name = AutoSlopeName();
    if (!name) return Refuse(shapes, refresh);
    LayerCode top = 0, bottom = 0;
    const std::vector<NodeRef>& nodes = picked.empty() ? shapes.Selected()->nodes : picked;
    if (!FindTopBottomLayers(nodes, top, bottom)) return Refuse(shapes, refresh, kUnreadablePositionMessage);
    return DefineSlope({top, bottom, 0, *name, true}, picked, shapes, refresh);
}
