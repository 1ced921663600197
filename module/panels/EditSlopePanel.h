#pragma once
// The edit side of the slope definition dialog: the selected registered
// slope's layers, type (平面 or 擬似ﾒｯｼｭ), name and mesh file, changed
// together by 変更. 参照 (shown only for 擬似ﾒｯｼｭ) chooses the mesh file.

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "RecordLayouts.h"
#include "model/EditorRefresh.h"
#include "model/SlopeShapeList.h"

class QLineEdit;
class LayerCombo;
namespace toolkit {
class CheckItem;
class PushButton;
}  // namespace toolkit

class EditSlopePanel : public QWidget {
    Q_OBJECT
public:
    enum ButtonCode { kChange = 1, kCancel = 2, kBrowse = 3 };
    static constexpr int kClosed = 2;  // the dialog's result

    // Loads the selected shape of `shapes` (a registered slope): a slope
    // whose name or record cannot be read is reported, what was filled
    // stays, and 変更 is disabled. `finish` ends the dialog with its result.
    EditSlopePanel(QWidget* parent, SlopeShapeList& shapes, EditorRefresh& refresh, std::function<void(int)> finish);
    // Clears the selected shape and repaints the view.
    ~EditSlopePanel() override;

    // 変更: a refused name or layer, and a failed read or write, keep the
    // dialog open with the edits (each after its message); a change written
    // closes it.
    void Change();
    // キャンセル: closes the dialog.
    void Cancel();
    // 参照: the chosen .tmsh file becomes the slope's mesh file (its record
    // found or added at once); cancelling the chooser changes nothing.
    void Browse();
    // 擬似ﾒｯｼｭ shows 参照; any other type hides it and drops the mesh file.
    void ApplyTypeRule();

    bool Loaded() const { return loaded_; }
    int16_t SlopeNumber() const { return number_; }
    // The slope record as the edit stands (type and mesh file).
    const teva::SlopeRecord& Working() const { return working_; }
    // The mesh file path painted under the name; empty when none is.
    QString ShownMeshPath() const;

    LayerCombo* upper = nullptr;
    LayerCombo* lower = nullptr;
    LayerCombo* type = nullptr;
    LayerCombo* repeatLayer = nullptr;  // shown disabled; nothing reads it
    QLineEdit* name = nullptr;
    toolkit::CheckItem* repeat = nullptr;                  // 繰り返し; nothing reads it
    toolkit::PushButton* buttons[2] = {nullptr, nullptr};  // 変更, キャンセル
    toolkit::PushButton* browse = nullptr;                 // 参照

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void Load();

    SlopeShapeList& shapes_;
    EditorRefresh& refresh_;
    std::function<void(int)> finish_;
    int16_t number_ = 0;
    teva::SlopeRecord working_;
    bool loaded_ = false;
};
