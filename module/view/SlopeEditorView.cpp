#include "SlopeEditorView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QKeyEvent>

#include <cstdlib>
#include <QMouseEvent>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include "Dialogs.h"
#include "mesh/MeshMessages.h"
#include "model/BusyFlag.h"
#include "model/ModelSteps.h"
#include "view/ScenePicker.h"
#include "model/ModelQueries.h"
#include "model/ModelDbLibrary.h"
#include "settings/DisplaySettingsFile.h"
#include "view/CameraFit.h"
#include "settings/CameraPersistence.h"
#include "view/CompassFaces.h"
#include "view/QtLabelRasterizer.h"

namespace {

QSurfaceFormat ViewFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

}  // namespace

SlopeEditorView::SlopeEditorView(SessionContext& context, QWidget* parent, std::string settingsPath)
    : QOpenGLWidget(parent), context_(context), settingsPath_(settingsPath.empty() ? SettingsFilePath() : std::move(settingsPath)),
      renderer_(MakeCompassImages()) {
    setObjectName(QStringLiteral("GLitem"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFormat(ViewFormat());
    // A screenshot waits for the first frame.
    setProperty("framePending", true);
    context_.view = this;
    noticeTimer_.setSingleShot(true);
    connect(&noticeTimer_, &QTimer::timeout, this, [this] {
        notice_.clear();
        update();
    });
}

void SlopeEditorView::Create() {
    if (created_) return;
    created_ = true;
    // An unreadable file is kept as it is and the view draws with the
    // defaults; said once, when the view is made.
    if (const SettingsResult loaded = LoadSettings(); loaded.error == SettingsError::Unreadable)
        platform::CurrentDialogs().ShowMessage(loaded.message);
    if (preferences_.inheritCameraPosition) {
        CameraPosition saved = camera_.Position();
        LoadCameraPosition(saved, settingsPath_);
        camera_.SetPosition(saved);
    } else {
        StartCamera(camera_);
    }
    shapes_.BuildShapesFromModel();
    picked_.clear();
    shapes_.Select(nullptr);
    lastPicked_.reset();
    menus_ = MakeEditorMenus();
    camera_.parallelScale = 0.0005;
    hiddenAxes_.clear();
    hiddenLayers_.clear();
}

void SlopeEditorView::showEvent(QShowEvent* event) {
    Create();
    QOpenGLWidget::showEvent(event);
}

SlopeEditorView::~SlopeEditorView() {
    if (context_.view == this) context_.view = nullptr;
    if (created_) SaveCameraPosition(camera_.Position(), preferences_.inheritCameraPosition, settingsPath_);
    if (contextReady_) {
        makeCurrent();
        renderer_.DiscardDisplayLists();
        doneCurrent();
    }
}

SettingsResult SlopeEditorView::LoadSettings() {
    const SettingsResult loaded = LoadDisplaySettings(context_.displaySettings, preferences_, settingsPath_);
    camera_.perspectiveAngle = preferences_.perspectiveAngle;
    return loaded;
}

bool SlopeEditorView::HasSelectedSlope() const {
    const SlopeShape* selected = shapes_.Selected();
    return selected && selected->number != 0;
}

void SlopeEditorView::ReloadDisplaySettings() {
    LoadSettings();
    ApplyClearColour();
    DiscardDisplayLists();
    update();
}

void SlopeEditorView::ApplyClearColour() {
    if (!contextReady_) return;
    if (painting_) {
        renderer_.ApplyClearColour(context_.displaySettings);
        return;
    }
    makeCurrent();
    renderer_.ApplyClearColour(context_.displaySettings);
    doneCurrent();
}

void SlopeEditorView::DiscardDisplayLists() { DiscardDisplayLists({1, 2, 3, 4, 5, 6, 7, 8}); }

void SlopeEditorView::DiscardDisplayLists(std::initializer_list<unsigned int> lists) {
    if (!contextReady_) return;
    // During a paint (a range selector noticing its change, say) the context
    // is current and the frame still draws with it: it must stay current.
    if (painting_) {
        for (unsigned int list : lists) renderer_.DiscardDisplayList(list);
        return;
    }
    makeCurrent();
    for (unsigned int list : lists) renderer_.DiscardDisplayList(list);
    doneCurrent();
}

void SlopeEditorView::initializeGL() {
    Create();
    labels_ = std::make_unique<QtLabelRasterizer>(logicalDpiY());
    renderer_.Initialise(context_.displaySettings);
    contextReady_ = true;
}

SceneFrame SlopeEditorView::Frame() {
    SceneFrame f;
    f.camera = &camera_;
    f.settings = &context_.displaySettings;
    f.shapes = &shapes_;
    f.picked = &picked_;
    f.lastPicked = lastPicked_;
    f.selected = shapes_.Selected();
    f.hiddenAxes = &hiddenAxes_;
    f.hiddenLayers = &hiddenLayers_;
    f.range = &range_;
    for (int i = 1; i <= 9; ++i) f.items[static_cast<size_t>(i)] = context_.ItemOn(i);
    f.mode = mode_;
    f.width = static_cast<int>(width() * devicePixelRatioF());
    f.height = static_cast<int>(height() * devicePixelRatioF());
    f.labels = labels_.get();
    f.mesh = &mesh_;
    f.notice = notice_;
    f.refusal = refusal_ ? &*refusal_ : nullptr;
    return f;
}

void SlopeEditorView::paintGL() {
    // The outlines are being rebuilt: this frame is skipped, the next one
    // draws them.
    if (IsShapeListBusy()) {
        update();
        return;
    }
    const PaintScope paint(painting_);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_BLEND);
    if (const RangeSource* source = context_.placement) CacheEffectiveRange(*source, range_);
    else range_.enabled = false;
    SceneFrame frame = Frame();
    renderer_.SetupProjection(camera_, frame.width, frame.height);
    renderer_.DrawScene(frame);
    setProperty("framePending", false);
}

void SlopeEditorView::mousePressEvent(QMouseEvent* event) {
    lastMouse_ = event->position().toPoint();
    buttonDown_ = lastMouse_;
    if (mode_ == InteractionMode::Slope && shapes_.Selected()) {
        shapes_.Select(nullptr);
        update();
    }
    QOpenGLWidget::mousePressEvent(event);
}

void SlopeEditorView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    // A click is a release less than 5 pixels from the press, in x and in y;
    // anything further was a drag of the camera.
    const bool click = std::abs(at.x() - buttonDown_.x()) < 5 && std::abs(at.y() - buttonDown_.y()) < 5;
    if (event->button() == Qt::LeftButton) {
        if (click) LeftClick(at.x(), at.y());
        emit LeftButtonReleased();
    } else if (event->button() == Qt::RightButton && click) {
        RightClick(at.x(), at.y());
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void SlopeEditorView::mouseMoveEvent(QMouseEvent* event) {
    setCursor(Qt::ArrowCursor);
    const QPoint at = event->position().toPoint();
    const int dx = at.x() - lastMouse_.x(), dy = at.y() - lastMouse_.y();
    if (event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) {
        // One pixel left and one pixel up on the screen, in the model.
        const auto& view = renderer_.Viewport();
        const auto& model = renderer_.Modelview();
        const auto& projection = renderer_.Projection();
        Vec3d p[3];
        const double window[3][2] = {{0, 0}, {-1, 0}, {0, 1}};
        bool projected = true;
        for (int i = 0; i < 3; ++i) {
            projected = projected && gluUnProject(window[i][0], window[i][1], 0.0, model.data(), projection.data(),
                                                  view.data(), &p[i].x, &p[i].y, &p[i].z) == GL_TRUE;
        }
        // A singular matrix (a camera distance of 0, say) gives no screen
        // directions: the view does not move.
        if (projected) {
            camera_.Pan(dx, dy, height(), Unit(p[1] - p[0]), Unit(p[2] - p[0]));
            update();
        }
    } else if (event->buttons() == Qt::MiddleButton && event->modifiers() == Qt::NoModifier) {
        camera_.Orbit(dx, dy);
        update();
    }
    lastMouse_ = at;
}

void SlopeEditorView::wheelEvent(QWheelEvent* event) {
    const bool shiftOnly = event->modifiers() == Qt::ShiftModifier && event->buttons() == Qt::NoButton;
    HandleWheel(event->angleDelta().y(), shiftOnly);
    event->accept();
}

void SlopeEditorView::HandleWheel(int delta, bool shiftOnly) {
    camera_.Wheel(static_cast<int16_t>(delta), shiftOnly);
    update();
}

void SlopeEditorView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = event->key();
    if (mods == Qt::ControlModifier && key == Qt::Key_Z) {
        UndoOrRedo(false);
    } else if ((mods == Qt::ControlModifier && key == Qt::Key_Y) ||
               (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z)) {
        UndoOrRedo(true);
    } else if (!(mods & Qt::ControlModifier)) {
        HandleKey(key);
    }
}

void SlopeEditorView::UndoOrRedo(bool redo) {
    if (!UndoSupported()) return;
    // Mesh mode shows a slope a step may change, and a mesh not yet saved:
    // nothing is taken back there.
    if (mode_ == InteractionMode::Mesh) {
        ShowNotice(kUndoInMeshModeNotice);
        return;
    }
    const auto label = redo ? RedoModelStep() : UndoModelStep();
    if (!label) return;
    picked_.clear();
    lastPicked_.reset();
    refusal_.reset();
    shapes_.RemoveShapes(ShapeKind::Outline);
    shapes_.Select(nullptr);
    shapes_.RebuildRegisteredShapes();
    ShowNotice((redo ? "やり直し: " : "元に戻す: ") + *label);
    RefreshAfterModelChange();
    emit ModeChanged();
}

void SlopeEditorView::ShowNotice(const std::string& text) {
    notice_ = text;
    noticeTimer_.start(3000);
    update();
}

void SlopeEditorView::HandleKey(int key) {
    switch (key) {
        case Qt::Key_C:
            FitCamera();
            break;
        case Qt::Key_E:
            picked_.clear();
            lastPicked_.reset();
            shapes_.RemoveShapes(ShapeKind::Outline);
            DiscardDisplayLists();
            break;
        case Qt::Key_O:
            CentreOnPickedNodes();
            break;
        case Qt::Key_S:
            // Defines the outline as 定義 would; no repaint of its own.
            shapes_.Select(shapes_.FindOutlineShape());
            RunCommand(kCommandDefine);
            return;
        case Qt::Key_X: {
            hiddenAxes_.clear();
            if (!ModelBound()) break;
            const int axes = Db().sp_GetMaxLin(0);
            for (int i = 1; i <= axes; ++i) {
                if (Db().sp_wnam(i) >= 0) hiddenAxes_.insert(i);
            }
            // The nodes and ridge lines on the hidden axes go at once.
            DiscardDisplayLists({kListNodes, kListRidgeLines});
            break;
        }
        case Qt::Key_Z:
            hiddenLayers_.clear();
            hiddenAxes_.clear();
            DiscardDisplayLists();
            break;
        default:
            return;  // no repaint
    }
    update();
}

void SlopeEditorView::FitCamera() { ::FitCamera(camera_, range_); }

void SlopeEditorView::ResetCamera() {
    FitCamera();
    update();
}

void SlopeEditorView::CentreOnPickedNodes() {
    Vec3d sum;
    int count = 0;
    for (const NodeRef& n : picked_) {
        if (auto p = NodePositionOnLayer(n.layer, n.node)) {
            sum += *p;
            ++count;
        }
    }
    if (count > 0) camera_.target = sum / static_cast<double>(count);
    update();
}

void SlopeEditorView::TurnAroundEye(double dx, double dy) {
    camera_.TurnAroundEye(dx, dy);
    update();
}

void SlopeEditorView::DragRotate(int dx, int dy) { TurnAroundEye(dx, dy); }
