#pragma once
// The 62-pixel strip across the top of the main window: the version line and
// the settings, manual, close and mode buttons.

#include <QWidget>

#include <functional>

class QDialog;
class EditorViewLink;
namespace toolkit {
class PushButton;
}

class HeaderBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 62;
    static constexpr int kButtonSize = 44;
    enum Code { kSettings = 1, kManual = 2, kClose = 3, kMode = 5 };

    HeaderBar(QDialog* dialog, QWidget* parent);

    // The editor view the mode button reads and switches; none leaves the
    // button disabled.
    void SetEditor(EditorViewLink* editor) { editor_ = editor; }
    // What the settings button opens.
    void SetSettingsAction(std::function<void()> action) { settingsAction_ = std::move(action); }

    toolkit::PushButton* Button(Code code) const;
    static QString VersionLine();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void OnButton(int code);
    void UpdateModeButton();
    static void OpenManual();

    QDialog* dialog_;
    EditorViewLink* editor_ = nullptr;
    std::function<void()> settingsAction_;
    toolkit::PushButton* settings_;
    toolkit::PushButton* manual_;
    toolkit::PushButton* close_;
    toolkit::PushButton* mode_;
};
