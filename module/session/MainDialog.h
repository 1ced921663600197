#pragma once
// The editor's main window: modal, titled "Tormel", 800 × 600 at the start,
// the header bar across the top and the view container below it. Every key
// press inside it or in a floating pane goes to the editor view; none
// reaches the dialog's own keyboard handling, so Enter and Escape never
// close it.

#include <QDialog>

class EditorViewLink;
class HeaderBar;
class ViewContainer;

class MainDialog : public QDialog {
    Q_OBJECT
public:
    explicit MainDialog(QWidget* parent = nullptr);
    ~MainDialog() override;

    HeaderBar* Header() const { return header_; }
    ViewContainer* Container() const { return container_; }
    // The editor view the header bar and the settings dialog work with.
    void SetEditorLink(EditorViewLink* link);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent*) override {}
    void resizeEvent(QResizeEvent*) override;

private:
    // Whether the keys of a top-level window go to the editor view: this
    // dialog's own and those of the panes floating out of the container.
    bool RoutesKeysOf(const QWidget* window) const;

    HeaderBar* header_;
    ViewContainer* container_;
    EditorViewLink* editorLink_ = nullptr;
    bool forwarding_ = false;
};
