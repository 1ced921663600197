#pragma once
// The define side of the slope definition dialog: the upper and lower layer
// lists (preselected with the top and bottom layers of the picked nodes),
// the type, the name, and 定義して登録 / キャンセル.

#include <QWidget>

#include <functional>
#include <vector>

#include "model/EditorRefresh.h"
#include "model/NodeRef.h"
#include "model/SlopeShapeList.h"

class QLineEdit;
class LayerCombo;
namespace toolkit {
class CheckItem;
class PushButton;
}  // namespace toolkit

class DefineSlopePanel : public QWidget {
    Q_OBJECT
public:
    enum ButtonCode { kDefine = 1, kCancel = 2 };
    static constexpr int kClosed = 2;  // the dialog's result, whatever happened

    // `finish` ends the dialog with its result.
    DefineSlopePanel(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                     EditorRefresh& refresh, std::function<void(int)> finish);

    // 定義して登録: a refused name or an unknown layer keeps the dialog open;
    // otherwise the slope is defined (whatever the outcome) and the dialog
    // closes.
    void Define();
    // キャンセル: the view repaints and the dialog closes.
    void Cancel();

    LayerCombo* upper = nullptr;
    LayerCombo* lower = nullptr;
    LayerCombo* type = nullptr;
    LayerCombo* repeatLayer = nullptr;  // shown disabled; nothing reads it
    QLineEdit* name = nullptr;
    toolkit::CheckItem* repeat = nullptr;  // 繰り返し; nothing reads it
    toolkit::PushButton* buttons[2] = {nullptr, nullptr};  // 定義して登録, キャンセル

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    const std::vector<NodeRef>& picked_;
    SlopeShapeList& shapes_;
    EditorRefresh& refresh_;
    std::function<void(int)> finish_;
};
