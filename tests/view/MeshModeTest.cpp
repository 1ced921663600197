// Mesh mode in the real view over the demo building: entering it on a
// registered slope, dividing, the node operations, saving and what the
// project keeps afterwards.

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "DemoViewFixture.h"
#include "ScriptedDialogs.h"
#include "mesh/MeshFile.h"
#include "mesh/MeshMessages.h"
#include "model/MeshSave.h"
#include "model/SlopeMesh.h"

namespace {

// Answers the mesh dialogs from queues; an empty queue cancels.
struct ScriptedMeshDialogs : MeshDialogs {
    std::optional<MeshVertex> NodeCoordinates(const MeshVertex& at) override {
        asked.push_back("節点座標");
        if (coordinates.empty()) return std::nullopt;
        const auto answer = coordinates.front();
        coordinates.pop_front();
        return answer ? std::optional<MeshVertex>(*answer) : std::optional<MeshVertex>(at);
    }
    std::optional<std::pair<int, int>> DivisionCounts() override {
        asked.push_back("自動分割");
        if (counts.empty()) return std::nullopt;
        const auto answer = counts.front();
        counts.pop_front();
        return answer;
    }
    std::optional<std::vector<std::string>> NodeOrder(const std::vector<std::string>&) override { return order; }
    std::optional<int> AddNodeSpan(const std::vector<int>&) override { return span; }

    std::deque<std::optional<MeshVertex>> coordinates;  // nothing: keep the position
    std::deque<std::pair<int, int>> counts;
    std::optional<std::vector<std::string>> order;
    std::optional<int> span;
    std::vector<std::string> asked;
};

class MeshMode : public DemoViewFixture {
protected:
    void SetUp() override {
        DemoViewFixture::SetUp();
        view->SetMeshDialogs(&meshDialogs);
    }
    void Enter(const char* slope = "South roof") {
        view->SetSelectedShape(view->Shapes().FindShapeByNumber(SlopeLayer(slope)));
        ASSERT_TRUE(view->HasSelectedSlope());
        view->EnterMeshMode();
        view->grabFramebuffer();
    }
    QPoint At(const MeshVertex& v) { return ToWindow(Vec3d(v.x, v.y, v.z)); }
    MeshVertex Centre(const MeshElement& e) {
        MeshVertex c;
        for (const MeshVertex& v : e.vertices) c = {c.x + v.x / e.vertices.size(), c.y + v.y / e.vertices.size(), c.z + v.z / e.vertices.size()};
        return c;
    }
    // Left-clicks the node at a corner of the first working element.
    void ClickCorner(size_t i) { Click(Qt::LeftButton, At(view->Mesh().working.at(0).vertices.at(i))); }

    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
    ScriptedMeshDialogs meshDialogs;
};

TEST_F(MeshMode, EntersWithTheOutlineAsOneElementRoundedToHundredths) {
    Enter();
    ASSERT_EQ(view->Mode(), InteractionMode::Mesh);
    const MeshWorkspace& ws = view->Mesh();
    EXPECT_EQ(ws.kind, MeshKind::Outline);
    ASSERT_EQ(ws.working.size(), 1u);
    ASSERT_EQ(ws.working[0].vertices.size(), 4u);
    EXPECT_EQ(ws.nodes.size(), 4u);
    for (const MeshVertex& v : ws.working[0].vertices) {
        for (double c : {v.x, v.y, v.z}) EXPECT_DOUBLE_EQ(c, std::round(c * 100) / 100);
        EXPECT_DOUBLE_EQ(v.z, 10500.0);  // the lower layer
    }
    view->LeaveMeshMode();
    EXPECT_EQ(view->Mode(), InteractionMode::Slope);
    EXPECT_TRUE(view->Mesh().working.empty());
    ASSERT_TRUE(view->SelectedShape());
    EXPECT_EQ(view->SelectedShape()->number, SlopeLayer("South roof"));
}

TEST_F(MeshMode, AMissingMeshFileReturnsToSlopeMode) {
    ASSERT_TRUE(LinkMeshFile(1, dir.File("gone.tmsh")));
    view->Shapes().RebuildRegisteredShapes();
    Enter();
    EXPECT_EQ(view->Mode(), InteractionMode::Slope);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{kMeshFileUnreadable});
}

TEST_F(MeshMode, TwoPickedCornersSplitOrLieOnAnEdge) {
    struct Case {
        size_t a, b;
        platform::MessageResult answer;
        size_t elements;
        std::string message;
    };
    for (const Case& c : {Case{0, 2, platform::MessageResult::Yes, 2, kMeshSplitQuestion},
                          Case{0, 2, platform::MessageResult::No, 1, kMeshSplitQuestion},
                          Case{0, 1, platform::MessageResult::Yes, 1, kMeshNodesOnEdge}}) {
        view->LeaveMeshMode();
        Enter();
        dialogs.shown.clear();
        dialogs.messageAnswers = {c.answer};
        ClickCorner(c.a);
        ClickCorner(c.b);
        EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{c.message}) << c.a << "-" << c.b;
        EXPECT_EQ(view->Mesh().working.size(), c.elements);
        EXPECT_FALSE(view->Mesh().firstPick || view->Mesh().secondPick);
    }
    // The same node twice opens its coordinates.
    meshDialogs.coordinates = {MeshVertex{1.0, 2.0, 3.0}};
    ClickCorner(1);
    ClickCorner(1);
    EXPECT_EQ(meshDialogs.asked, std::vector<std::string>{"節点座標"});
    EXPECT_EQ(view->Mesh().NodePosition(1).z, 3.0);
}

TEST_F(MeshMode, SavingRefusesQuadrilateralsAndReusesOneRecordForOnePath) {
    Enter();
    EXPECT_EQ(SaveMesh(view->Mesh(), {}), MeshSaveOutcome::NotSaved);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{kMeshTrianglesOnly});

    MeshWorkspace ws;
    ws.kind = MeshKind::Outline;
    ws.slopeNumber = 1;
    ws.working = {MeshElement{0, {{0, 0, 0}, {0, 1000, 0}, {1000, 0, 0}}}};
    const std::string path = dir.File("twice.tmsh");
    dialogs.fileAnswers = {path, path};
    EXPECT_EQ(SaveMesh(ws, {}), MeshSaveOutcome::Linked);
    EXPECT_EQ(SaveMesh(ws, {}), MeshSaveOutcome::Linked);
    // A path the record cannot hold is refused before anything is written.
    dialogs.fileAnswers = {dir.File(std::string(300, 'm') + ".tmsh")};
    EXPECT_EQ(SaveMesh(ws, {}), MeshSaveOutcome::NotSaved);
    const nlohmann::json files = Dump()["records"]["meshFiles"];
    ASSERT_EQ(files.size(), 1u);
}

TEST_F(MeshMode, DividedSavedMeshIsLinkedAndDrawnAfterReopening) {
    // What the placement panel turns off in mesh mode, and closer, for the
    // pictures.
    items.off = {display_items::kRange, display_items::kRidgeLines, display_items::kEdges};
    items.nodes = false;
    view->ViewCamera().target = Vec3d(12000, 6000, 10500);
    view->ViewCamera().distance = 30000;
    Enter();
    // 自動分割 3 × 2 from the element menu of a left click on the element.
    dialogs.menuAnswers = {2};
    meshDialogs.counts = {{3, 2}};
    Click(Qt::LeftButton, At(Centre(view->Mesh().working[0])) + QPoint(7, 3));
    ASSERT_EQ(view->Mesh().working.size(), 24u);
    EXPECT_FALSE(view->Mesh().selectedElement);
    SaveScreenshot(view->grabFramebuffer(), "mesh-divided.png");
    // Undo keeps the mesh not yet saved, and says so.
    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->Mode(), InteractionMode::Mesh);
    EXPECT_EQ(view->Mesh().working.size(), 24u);
    EXPECT_EQ(view->Notice(), kUndoInMeshModeNotice);

    // メッシュを保存 from the background menu of a right click beside the roof.
    const std::string path = dir.File("south.tmsh");
    dialogs.menuAnswers = {1};
    dialogs.fileAnswers = {path};
    Click(Qt::RightButton, QPoint(3, 3));
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{kMeshSaved});
    EXPECT_EQ(view->Mesh().kind, MeshKind::File);  // entered again on the saved file
    EXPECT_EQ(view->Mesh().file.size(), 24u);
    EXPECT_EQ(view->MeshFilePath(), path);

    const nlohmann::json records = Dump()["records"];
    ASSERT_EQ(records["meshFiles"].size(), 1u);
    EXPECT_EQ(records["meshFiles"][0]["path"], path);
    EXPECT_EQ(records["slopes"][0]["definition"], 5);
    EXPECT_EQ(records["slopes"][0]["meshRecord"], records["meshFiles"][0]["number"]);

    // Reopened: slope mode draws the slope as its mesh.
    items.off.clear();
    OpenView();
    const SlopeShape* south = view->Shapes().FindShapeByNumber(SlopeLayer("South roof"));
    ASSERT_TRUE(south);
    EXPECT_EQ(south->mesh.size(), 24u);
    SaveScreenshot(view->grabFramebuffer(), "mesh-slope-mode.png");
}

}  // namespace
