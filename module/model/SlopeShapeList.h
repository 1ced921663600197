#pragma once
// The slope outlines the editor view holds: the registered slopes read from
// the model, the outline of the picked nodes and the polygons defined without
// registration. The list owns its shapes.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/MeshFileCache.h"
#include "model/SlopeShape.h"

class SlopeShapeList {
public:
    // Adds a copy of the outline and answers its index in the list, or -1
    // when there are fewer than three vertices or the node list does not
    // match them. The shape's id is 1 + the largest id present (1 in an empty
    // list). A Defined shape given number -1 is numbered 1 + the largest
    // Defined number. A negative number is a slope layer code: the slope's
    // definition handle and its mesh file (when it has one) are read from the
    // model; a mesh file that cannot be read leaves the mesh as far as it was
    // read.
    int AddShape(std::span<const Vec3d> vertices, std::span<const NodeRef> nodes, ShapeKind kind,
                 int32_t number, int16_t value = 0);

    // Frees every shape of `kind`, keeping the order of the rest.
    void RemoveShapes(ShapeKind kind);
    // Frees every shape.
    void RemoveAllShapes();

    // The first match in list order, or null.
    SlopeShape* FindShapeById(int32_t id);
    SlopeShape* FindShapeByNumber(int32_t number);
    SlopeShape* FindOutlineShape();
    const SlopeShape* FindShapeById(int32_t id) const;
    const SlopeShape* FindShapeByNumber(int32_t number) const;
    const SlopeShape* FindOutlineShape() const;

    // The selected shape, or null. Only a shape of this list can be
    // selected (anything else selects nothing), and every removal that frees
    // the selected shape clears the selection, so it never dangles.
    const SlopeShape* Selected() const { return selected_; }
    void Select(const SlopeShape* shape);

    // Reads the registered slopes of the model in layer-list order and adds
    // each outline of three or more corners as a Registered shape; a slope
    // the model cannot outline (no bays, too few axes, an unreadable corner)
    // is left out. The busy flag is set meanwhile.
    void BuildShapesFromModel();
    // RemoveShapes(Registered), then BuildShapesFromModel.
    void RebuildRegisteredShapes();

    // Fills DrawOrder() with the ids of all shapes from the farthest centroid
    // to the nearest, seen from `viewpoint`; of equally far shapes the later
    // in the list comes first.
    void OrderShapesForDrawing(const Vec3d& viewpoint);
    const std::vector<int32_t>& DrawOrder() const { return drawOrder_; }

    size_t Size() const { return shapes_.size(); }
    bool Empty() const { return shapes_.empty(); }
    SlopeShape& At(size_t index) { return *shapes_[index]; }
    const SlopeShape& At(size_t index) const { return *shapes_[index]; }

private:
    std::vector<std::unique_ptr<SlopeShape>> shapes_;
    std::vector<int32_t> drawOrder_;
    const SlopeShape* selected_ = nullptr;
    // Mesh files of registered slopes, kept across rebuilds.
    MeshFileCache meshFiles_;
};
