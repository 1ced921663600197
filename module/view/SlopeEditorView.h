#pragma once
// The OpenGL window in the Editor pane ("GLitem"): owns the camera, the
// picked and hidden selections and the slope outlines, and draws the scene
// through the SceneRenderer. Mouse moves pan (left button) and orbit
// (middle button); the wheel zooms; keys C, E, O, X and Z act on the view.

#include <QOpenGLWidget>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "mesh/MeshDialogs.h"
#include "mesh/MeshWorkspace.h"
#include "model/EditorRefresh.h"
#include "model/EffectiveRange.h"
#include "model/NodeRef.h"
#include "model/SlopeShapeList.h"
#include "panels/EditorViewAccess.h"
#include "panels/EditorViewLink.h"
#include "panels/SessionContext.h"
#include "settings/SettingsResult.h"
#include "view/Camera.h"
#include "view/EditorMenus.h"
#include "view/SceneRenderer.h"

class QtLabelRasterizer;
class ScenePicker;

class SlopeEditorView : public QOpenGLWidget,
                        public EditorViewLink,
                        public EditorViewAccess,
                        public EditorRefresh {
    Q_OBJECT
public:
    // The view puts itself in `context` while it exists, and reads the
    // ranges, the display items and the display settings from it. The
    // settings file is read from `settingsPath` ("" for the one beside the
    // host executable).
    explicit SlopeEditorView(SessionContext& context, QWidget* parent = nullptr, std::string settingsPath = {});
    ~SlopeEditorView() override;

    // Key presses routed from the main window.
    void HandleKey(int key);
    // A click (a release less than 5 pixels from the press in x and in y)
    // at (x, y), window pixels.
    void LeftClick(int x, int y);
    void RightClick(int x, int y);
    // Ctrl+Z (false) and Ctrl+Y or Ctrl+Shift+Z (true): the last model step
    // taken back or forth, the shapes and lists rebuilt, what was done shown
    // for a while at the bottom left.
    void UndoOrRedo(bool redo);
    const std::string& Notice() const { return notice_; }
    // Runs a menu command (32772 … 32783; in mesh mode 1 … 5).
    void RunCommand(int id);
    // The picks of a left click, each toggling what it hits; true on a hit.
    bool PickLayerName(int x, int y);
    bool PickAxis(int x, int y);
    bool PickNode(int x, int y);
    // Selects the slope face under (x, y); unless `quiet`, opens the menu of
    // its kind. True when anything at all lies under the click.
    bool PickSlope(int x, int y, bool quiet);
    ScenePicker& Picker();
    // The node a node pick at (x, y) would hit, changing nothing; `cull`
    // false draws every visible node instead of those near the click.
    std::optional<NodeRef> NodeAt(int x, int y, bool cull = true);
    // Wheel turns; `shiftOnly` when Shift is the only key or button held.
    void HandleWheel(int delta, bool shiftOnly);
    void FitCamera();
    void TurnAroundEye(double dx, double dy);
    void ApplyClearColour();

    Camera& ViewCamera() { return camera_; }
    std::vector<NodeRef>& PickedNodes() { return picked_; }
    std::optional<NodeRef>& LastPickedNode() { return lastPicked_; }
    SlopeShapeList& Shapes() { return shapes_; }
    const SlopeShape* SelectedShape() const { return shapes_.Selected(); }
    // Selects a shape of Shapes(), or nothing.
    void SetSelectedShape(const SlopeShape* shape) { shapes_.Select(shape); }
    std::set<int32_t>& HiddenAxes() { return hiddenAxes_; }
    std::set<LayerCode>& HiddenLayers() { return hiddenLayers_; }
    const EffectiveRange& Range() const { return range_; }
    const SceneRenderer& Renderer() const { return renderer_; }
    // The popup menus; their commands come with picking and the slope
    // commands.
    const EditorMenus& Menus() const { return menus_; }
    // Mesh mode's workspace and the dialogs its commands ask (the Qt ones
    // unless tests give others; null gives the Qt ones back).
    MeshWorkspace& Mesh() { return mesh_; }
    const std::string& MeshFilePath() const { return meshPath_; }
    void SetMeshDialogs(MeshDialogs* dialogs) { meshDialogs_ = dialogs; }
    // A click in mesh mode: a node, else an element (its menu), else on a
    // right click the background menu.
    void MeshClick(int x, int y, bool right);
    // What a node pick leads to: the coordinates dialog, a split or nodes
    // along a line.
    void NodeOperation();
    bool InheritCameraPosition() const { return preferences_.inheritCameraPosition; }

    // EditorViewLink
    InteractionMode Mode() const override { return mode_; }
    bool HasSelectedSlope() const override;
    void EnterMeshMode() override;
    void LeaveMeshMode() override;
    ViewPreferences Preferences() const override { return preferences_; }
    const DisplaySettings& Settings() const override { return context_.displaySettings; }
    void ReloadDisplaySettings() override;

    // EditorViewAccess
    float Azimuth() const override { return camera_.azimuth; }
    float Elevation() const override { return camera_.elevation; }
    void SetAzimuth(float degrees) override { camera_.azimuth = degrees; }
    void SetElevation(float degrees) override { camera_.elevation = degrees; }
    bool ParallelProjection() const override { return camera_.parallel; }
    void SetParallelProjection(bool parallel) override { camera_.parallel = parallel; }
    void DragRotate(int dx, int dy) override;
    void ResetCamera() override;
    void CentreOnPickedNodes() override;
    void DiscardDisplayLists() override;
    // EditorRefresh
    void RefreshAfterModelChange() override;
    void Repaint() override { update(); }
    void ShowRefusal(const RefusalPlace& place) override;
    // Where the last definition was refused; cleared by the next click.
    const std::optional<RefusalPlace>& Refusal() const { return refusal_; }
    // Deletes the given display lists only.
    void DiscardDisplayLists(std::initializer_list<unsigned int> lists);
    void Invalidate() override { update(); }

signals:
    // After every left button release, click or not: the header bar redraws.
    void LeftButtonReleased();
    // The interaction mode or the selection changed without a click.
    void ModeChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void initializeGL() override;
    void paintGL() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What the window's creation does: settings, camera, the slope outlines
    // from the model. Runs once, when the view is first shown (the model
    // library is bound by then).
    void Create();
    SceneFrame Frame();
    SettingsResult LoadSettings();
    // Command 32783: the shape-order dialog on the selected shape (when
    // there is one); the selection is cleared afterwards.
    void RunShapeOrder();
    // Commands 1 to 5 of the mesh menus.
    void RunMeshCommand(int id);
    void DivideSelected(bool triangles);
    void SwapNodeOrder();
    void AddNode();
    MeshDialogs& MeshDialogsInUse();
    // After a change of the mesh's elements: nodes regrouped, picks dropped,
    // lists discarded, a repaint.
    void MeshChanged();

    SessionContext& context_;
    std::string settingsPath_;
    ViewPreferences preferences_;
    InteractionMode mode_ = InteractionMode::Slope;
    Camera camera_;
    std::vector<NodeRef> picked_;
    std::optional<NodeRef> lastPicked_;
    std::set<int32_t> hiddenAxes_;
    std::set<LayerCode> hiddenLayers_;
    EffectiveRange range_;
    SlopeShapeList shapes_;
    EditorMenus menus_;
    SceneRenderer renderer_;
    std::unique_ptr<QtLabelRasterizer> labels_;
    QPoint lastMouse_;
    QPoint buttonDown_;
    std::unique_ptr<ScenePicker> picker_;
    MeshWorkspace mesh_;
    std::optional<RefusalPlace> refusal_;
    std::string notice_;
    QTimer noticeTimer_;
    void ShowNotice(const std::string& text);
    std::string meshPath_;  // the file a file mesh was read from
    MeshDialogs* meshDialogs_ = nullptr;
    std::unique_ptr<MeshDialogs> qtMeshDialogs_;
    bool contextReady_ = false;
    bool painting_ = false;  // inside paintGL: the context is current
    struct PaintScope {
        explicit PaintScope(bool& flag) : flag_(flag) { flag_ = true; }
        ~PaintScope() { flag_ = false; }
        bool& flag_;
    };
    bool created_ = false;
};
