#include <cstring>
#include <ostream>

#include "ModelFixture.h"
#include "TempDir.h"
#include "model/BusyFlag.h"
#include "model/SlopeShapeList.h"

namespace {

using modeldbtest::addSlope;
using modeldbtest::SlopeSpec;

constexpr double kTol = 0.01;  // positions come from 32-bit floats

SlopeSpec SecondSlope(const char* name) {
    SlopeSpec spec;
    spec.name = name;
    spec.edges = {"Y1", "X3", "Y2", "X2"};
    spec.bottom = "Y1";
    spec.top = "Y2";
    return spec;
}

SlopeSpec TwoEdgeSlope(const char* name) {
    SlopeSpec spec;
    spec.name = name;
    spec.edges = {"Y1", "X2"};
    spec.bottom = "Y1";
    spec.top = "X2";
    return spec;
}

// A slope whose edge names no axis: the model gives it no bays.
SlopeSpec BrokenSlope(const char* name) {
    SlopeSpec spec = SecondSlope(name);
    spec.edges = {"Y1", "X3", "Y2", "NoSuchAxis"};
    return spec;
}

using ShapeBuild = ModelFixture;

TEST_F(ShapeBuild, AModelWithoutSlopesGivesNoShapes) {
    SlopeShapeList list;
    list.BuildShapesFromModel();
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(IsShapeListBusy());
}

TEST_F(ShapeBuild, ARegisteredSlopeBecomesAShapeWithItsCornersAndNodes) {
    const int number = addSlope(RisingSlope());
    ASSERT_GE(number, 1);
    ASSERT_EQ(DB_restruct(0), 0);
    const LayerCode code = SlopeCode(number);

    SlopeShapeList list;
    list.BuildShapesFromModel();
    ASSERT_EQ(list.Size(), 1u);
    const SlopeShape& shape = list.At(0);
    EXPECT_EQ(shape.kind, ShapeKind::Registered);
    EXPECT_EQ(shape.number, code);
    EXPECT_EQ(shape.id, 1);
    EXPECT_GT(shape.definitionHandle, 0);
    EXPECT_TRUE(shape.mesh.empty());
    ASSERT_EQ(shape.VertexCount(), 4);
    // Corner j lies between edges j and j+1: Y1×X2, X2×Y2, Y2×X1, X1×Y1.
    const Vec3d expected[4] = {{6000, 0, 0}, {6000, 5000, 3000}, {0, 5000, 3000}, {0, 0, 0}};
    const char* axes[4][2] = {{"Y1", "X2"}, {"X2", "Y2"}, {"Y2", "X1"}, {"X1", "Y1"}};
    for (int j = 0; j < 4; ++j) {
        SCOPED_TRACE(j);
        EXPECT_NEAR(shape.vertices[j].x, expected[j].x, kTol);
        EXPECT_NEAR(shape.vertices[j].y, expected[j].y, kTol);
        EXPECT_NEAR(shape.vertices[j].z, expected[j].z, kTol);
        EXPECT_EQ(shape.nodes[j].layer, code);
        EXPECT_EQ(shape.nodes[j].node, Node(code, axes[j][0], axes[j][1]));
    }
    EXPECT_FALSE(IsShapeListBusy());
}

TEST_F(ShapeBuild, AnOutlineWithTwoBoundaryAxesIsIgnored) {
    const int first = addSlope(RisingSlope("sl:1"));
    ASSERT_GE(addSlope(TwoEdgeSlope("sl:2")), 1);
    ASSERT_EQ(DB_restruct(0), 0);
    SlopeShapeList list;
    list.BuildShapesFromModel();
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.At(0).number, SlopeCode(first));
    EXPECT_EQ(list.FindShapeByNumber(SlopeCode(2)), nullptr);
}

TEST_F(ShapeBuild, ASlopeWithoutBaysIsLeftOutAndTheRestBuilt) {
    const int first = addSlope(RisingSlope("sl:1"));
    ASSERT_GE(addSlope(BrokenSlope("sl:2")), 1);
    const int third = addSlope(SecondSlope("sl:3"));
    ASSERT_EQ(DB_restruct(0), 0);
    ASSERT_LT(Db().sp_GetMaxBayS(SlopeCode(2)), 1);
    SlopeShapeList list;
    list.BuildShapesFromModel();
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list.At(0).number, SlopeCode(first));
    EXPECT_EQ(list.At(1).number, SlopeCode(third));
    EXPECT_FALSE(IsShapeListBusy());
}

TEST_F(ShapeBuild, RebuildReplacesOnlyTheRegisteredShapes) {
    ASSERT_GE(addSlope(RisingSlope("sl:1")), 1);
    ASSERT_EQ(DB_restruct(0), 0);
    SlopeShapeList list;
    list.BuildShapesFromModel();
    const std::vector<Vec3d> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    const std::vector<NodeRef> nodes = {{1, 1}, {1, 2}, {1, 3}};
    list.AddShape(square, nodes, ShapeKind::Outline, 0);
    list.AddShape(square, nodes, ShapeKind::Defined, -1);

    ASSERT_GE(addSlope(SecondSlope("sl:2")), 1);
    ASSERT_EQ(DB_restruct(0), 0);
    list.RebuildRegisteredShapes();
    ASSERT_EQ(list.Size(), 4u);
    EXPECT_EQ(list.At(0).kind, ShapeKind::Outline);
    EXPECT_EQ(list.At(1).kind, ShapeKind::Defined);
    EXPECT_EQ(list.At(2).kind, ShapeKind::Registered);
    EXPECT_EQ(list.At(3).kind, ShapeKind::Registered);
    // New shapes take ids after the kept ones.
    EXPECT_EQ(list.At(2).id, 4);
    EXPECT_EQ(list.At(3).id, 5);
    ASSERT_NE(list.FindShapeByNumber(SlopeCode(2)), nullptr);
}

// A MeshFileRecord pointing at `path`.
void PutMeshFileRecord(int number, const std::string& path) {
    unsigned char record[TEVA_SIZE_MESH_FILE] = {};
    modeldbtest::putI16(record, 0, number);
    std::memcpy(record + 2, path.c_str(), std::min<size_t>(path.size(), TEVA_SIZE_MESH_FILE - 3));
    ASSERT_EQ(DB_put(TEVA_REC_MESH_FILE, record), 0);
}

struct MeshCase {
    const char* name;
    friend void PrintTo(const MeshCase& c, std::ostream* os) { *os << c.name; }
    const char* content;  // nullptr: no file at all
    size_t triangles;
};

class ShapeMesh : public ModelFixture, public testing::WithParamInterface<MeshCase> {};

TEST_P(ShapeMesh, ASlopeDefinedByAMeshFileCarriesWhatCouldBeRead) {
    const std::string meshPath = dir.File("roof.tmsh");
    if (GetParam().content) {
        ASSERT_TRUE(testing_support::WriteFile(meshPath, GetParam().content));
    }
    PutMeshFileRecord(3, meshPath);
    SlopeSpec spec = RisingSlope();
    spec.definitionType = 5;
    spec.meshRecord = 3;
    ASSERT_GE(addSlope(spec), 1);
    ASSERT_EQ(DB_restruct(0), 0);

    SlopeShapeList list;
    list.BuildShapesFromModel();
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_GT(list.At(0).definitionHandle, 0);
    EXPECT_EQ(list.At(0).mesh.size(), GetParam().triangles);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapeMesh,
    testing::Values(
        MeshCase{"ReadableFile",
                 "TORMEL_MESH\n7,6,7\n2\n1,0,0,0,6000,0,0,0,5000,3000\n"
                 "2,6000,0,0,6000,5000,3000,0,5000,3000\n",
                 2},
        MeshCase{"BrokenAfterOneTriangle",
                 "TORMEL_MESH\n7,6,7\n2\n1,0,0,0,6000,0,0,0,5000,3000\nbroken\n", 1},
        MeshCase{"MissingFile", nullptr, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShapeBuild, AMeshFileIsReadOnlyForMeshDefinedSlopes) {
    const std::string meshPath = dir.File("roof.tmsh");
    ASSERT_TRUE(testing_support::WriteFile(meshPath, "H\n7,6,7\n1\n1,0,0,0,1,0,0,0,1,0\n"));
    PutMeshFileRecord(1, meshPath);
    SlopeSpec spec = RisingSlope();
    spec.meshRecord = 1;  // type 0: the record number is not followed
    ASSERT_GE(addSlope(spec), 1);
    ASSERT_EQ(DB_restruct(0), 0);
    SlopeShapeList list;
    list.BuildShapesFromModel();
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_TRUE(list.At(0).mesh.empty());
}

TEST_F(ShapeBuild, AnUnknownSlopeNumberLeavesTheHandleZero) {
    SlopeShapeList list;
    const std::vector<Vec3d> corners = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    const std::vector<NodeRef> nodes = {{-1, 1}, {-1, 2}, {-1, 3}};
    ASSERT_EQ(list.AddShape(corners, nodes, ShapeKind::Registered, SlopeCode(42)), 0);
    EXPECT_EQ(list.At(0).definitionHandle, 0);
    EXPECT_TRUE(list.At(0).mesh.empty());
}

}  // namespace
