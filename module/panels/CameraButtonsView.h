#pragma once
// The Camera pane's buttons ("GLCameraView", 250 pixels high): the drag pad,
// the camera reset and centre buttons, the projection choice 透視投影 /
// 平行投影 and the six view buttons X+ … Z-. Each sets the editor view's
// camera and makes it redraw; nothing is stored here but the projection
// chosen last.

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "panels/SessionContext.h"

class RotationPad;
namespace toolkit {
class PushButton;
class RadioItem;
}  // namespace toolkit

class CameraButtonsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 250;
    // Projection codes of the two radios.
    static constexpr int kPerspective = 1;
    static constexpr int kParallel = 2;
    // Messages within the pane.
    static constexpr int kRepaintMessage = 1024 + 2;

    // Reads key TOUEI of section CameraPos in `settingsPath` for the radio
    // checked at start.
    CameraButtonsView(QWidget* parent, SessionContext& context, const std::string& settingsPath);

    toolkit::PushButton* ResetButton() const { return reset_; }
    toolkit::PushButton* CentreButton() const { return centre_; }
    // The view button of code 3 ("X+") to 8 ("Z-").
    toolkit::PushButton* ViewButton(int code) const;
    RotationPad* Pad() const { return pad_; }
    toolkit::RadioItem* PerspectiveRadio() const { return radios_[0]; }
    toolkit::RadioItem* ParallelRadio() const { return radios_[1]; }
    int ProjectionCode() const { return projection_; }

    // The azimuth and elevation a view button gives; false for other codes.
    static bool ViewAngles(int code, float& azimuth, float& elevation);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    void ChooseProjection(int code);
    void ShowView(int code);
    // Runs `request` on the editor view, if there is one, and repaints it.
    void WithView(const std::function<void(EditorViewAccess&)>& request);

    SessionContext& context_;
    toolkit::PushButton* reset_ = nullptr;
    toolkit::PushButton* centre_ = nullptr;
    std::array<toolkit::PushButton*, 6> views_{};
    RotationPad* pad_ = nullptr;
    std::array<toolkit::RadioItem*, 2> radios_{};
    int projection_ = kPerspective;
};
