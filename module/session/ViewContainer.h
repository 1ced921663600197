#pragma once
// The view area under the header bar: the Editor pane in the centre and the
// Control and Camera panes stacked on the left, arranged on every resize.

#include <QWidget>

#include <vector>

#include "toolkit/PaneWindow.h"

class ViewContainer : public QWidget {
    Q_OBJECT
public:
    explicit ViewContainer(QWidget* parent);

    toolkit::PaneWindow* EditorPane() const { return editor_; }
    toolkit::PaneWindow* ControlPane() const { return control_; }
    toolkit::PaneWindow* CameraPane() const { return camera_; }
    // The editor view window ("GLitem").
    QWidget* EditorView() const { return editor_ ? editor_->Content() : nullptr; }

    // Arranges the docked panes for the present size.
    void Arrange();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    std::vector<toolkit::LayoutPane*> Panes() const;

    toolkit::PaneWindow* editor_ = nullptr;
    toolkit::PaneWindow* control_ = nullptr;
    toolkit::PaneWindow* camera_ = nullptr;
};
