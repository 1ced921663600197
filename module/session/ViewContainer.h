#pragma once
// The view area under the header bar: the Editor pane in the centre and the
// Control and Camera panes stacked on the left, arranged on every resize.
// A wheel turn anywhere strictly inside the Editor pane, its caption strip
// and margins included, zooms the editor view.

#include <QWidget>

#include <memory>

#include "panels/SessionContext.h"
#include "toolkit/LayoutManager.h"
#include "toolkit/PaneWindow.h"

class ViewContainer : public QWidget {
    Q_OBJECT
public:
    explicit ViewContainer(QWidget* parent);
    ~ViewContainer() override;

    toolkit::PaneWindow* EditorPane() const { return editor_; }
    toolkit::PaneWindow* ControlPane() const { return control_; }
    toolkit::PaneWindow* CameraPane() const { return camera_; }
    // The editor view window ("GLitem").
    QWidget* EditorView() const { return editor_ ? editor_->Content() : nullptr; }
    toolkit::LayoutManager& Layout() { return *layout_; }
    // What the panes share; every pane this container makes is handed it.
    SessionContext& Context() { return context_; }

protected:
    void resizeEvent(QResizeEvent*) override;
    // Hands the wheel over the Editor pane's caption strip and margins to
    // the editor view.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Declared first: the panes refer to it until they are deleted.
    SessionContext context_;
    std::unique_ptr<toolkit::LayoutManager> layout_;
    toolkit::PaneWindow* editor_ = nullptr;
    toolkit::PaneWindow* control_ = nullptr;
    toolkit::PaneWindow* camera_ = nullptr;
};
