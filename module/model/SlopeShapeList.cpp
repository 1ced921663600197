#include "model/SlopeShapeList.h"

#include <algorithm>
#include <utility>

#include "model/BusyFlag.h"
#include "model/ModelQueries.h"
#include "model/SlopeDefinition.h"
#include "model/ModelDbLibrary.h"

Vec3d SlopeShape::Centroid() const {
    Vec3d sum;
    for (const auto& v : vertices) sum += v;
    return sum / static_cast<double>(vertices.size());
}

int SlopeShapeList::AddShape(std::span<const Vec3d> vertices, std::span<const NodeRef> nodes,
                             ShapeKind kind, int32_t number, int16_t value) {
    if (vertices.size() < 3 || nodes.size() != vertices.size()) return -1;
    auto shape = std::make_unique<SlopeShape>();
    int32_t largestId = 0;
    int32_t largestDefined = 0;
    for (const auto& s : shapes_) {
        largestId = std::max(largestId, s->id);
        if (s->kind == ShapeKind::Defined) largestDefined = std::max(largestDefined, s->number);
    }
    shape->id = largestId + 1;
    shape->number = (kind == ShapeKind::Defined && number == -1) ? largestDefined + 1 : number;
    shape->kind = kind;
    shape->value = value;
    shape->vertices.assign(vertices.begin(), vertices.end());
    shape->nodes.assign(nodes.begin(), nodes.end());
    if (shape->number < 0) {
        const SlopeDefinition definition = ReadSlopeDefinition(shape->number);
        shape->definitionHandle = definition.handle;
        if (definition.meshFilePath) shape->mesh = meshFiles_.Read(*definition.meshFilePath);
    }
    shapes_.push_back(std::move(shape));
    return static_cast<int>(shapes_.size()) - 1;
}

void SlopeShapeList::RemoveShapes(ShapeKind kind) {
    if (selected_ && selected_->kind == kind) selected_ = nullptr;
    std::erase_if(shapes_, [kind](const auto& s) { return s->kind == kind; });
}

void SlopeShapeList::RemoveAllShapes() {
    selected_ = nullptr;
    shapes_.clear();
}

void SlopeShapeList::Select(const SlopeShape* shape) {
    const bool inList =
        std::any_of(shapes_.begin(), shapes_.end(), [shape](const auto& s) { return s.get() == shape; });
    selected_ = inList ? shape : nullptr;
}

const SlopeShape* SlopeShapeList::FindShapeById(int32_t id) const {
    for (const auto& s : shapes_) {
        if (s->id == id) return s.get();
    }
    return nullptr;
}

const SlopeShape* SlopeShapeList::FindShapeByNumber(int32_t number) const {
    for (const auto& s : shapes_) {
        if (s->number == number) return s.get();
    }
    return nullptr;
}

const SlopeShape* SlopeShapeList::FindOutlineShape() const {
    for (const auto& s : shapes_) {
        if (s->kind == ShapeKind::Outline) return s.get();
    }
    return nullptr;
}

// The list owns its shapes, so handing out a mutable pointer from a mutable
// list is sound.
SlopeShape* SlopeShapeList::FindShapeById(int32_t id) {
    return const_cast<SlopeShape*>(std::as_const(*this).FindShapeById(id));
}

SlopeShape* SlopeShapeList::FindShapeByNumber(int32_t number) {
    return const_cast<SlopeShape*>(std::as_const(*this).FindShapeByNumber(number));
}

SlopeShape* SlopeShapeList::FindOutlineShape() {
    return const_cast<SlopeShape*>(std::as_const(*this).FindOutlineShape());
}

void SlopeShapeList::BuildShapesFromModel() {
    ShapeListBusyScope busy;
    if (!Db().sp_lslay || !Db().sp_nno) return;
    SlopeOutline outline;
    std::vector<NodeRef> nodes;
    for (int index = 1;; ++index) {
        const LayerCode slope = Db().sp_lslay(index);
        if (slope == 0) break;
        if (slope > 0) continue;
        // A slope without bays (an edge axis that no longer exists) is left
        // out like any other slope the model cannot outline; the slopes
        // after it are still shown, picked and deleted.
        if (ReadSlopeOutline(slope, outline) != OutlineStatus::Ok) continue;
        nodes.clear();
        for (int32_t crossing : outline.crossings) {
            nodes.push_back({slope, Db().sp_nno(slope, crossing)});
        }
        AddShape(outline.positions, nodes, ShapeKind::Registered, slope, 0);
    }
}

void SlopeShapeList::RebuildRegisteredShapes() {
    RemoveShapes(ShapeKind::Registered);
    BuildShapesFromModel();
}

void SlopeShapeList::OrderShapesForDrawing(const Vec3d& viewpoint) {
    drawOrder_.clear();
    std::vector<const SlopeShape*> remaining;
    remaining.reserve(shapes_.size());
    for (const auto& s : shapes_) remaining.push_back(s.get());
    // Distances are computed once; the selection below keeps the
    // farthest-first order with the later shape winning a tie.
    std::vector<double> distance;
    distance.reserve(remaining.size());
    for (const auto* s : remaining) distance.push_back(Length(s->Centroid() - viewpoint));
    while (!remaining.empty()) {
        size_t farthest = 0;
        double best = -1.0e10;
        for (size_t i = 0; i < remaining.size(); ++i) {
            if (distance[i] >= best) {
                best = distance[i];
                farthest = i;
            }
        }
        drawOrder_.push_back(remaining[farthest]->id);
        remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(farthest));
        distance.erase(distance.begin() + static_cast<std::ptrdiff_t>(farthest));
    }
}
