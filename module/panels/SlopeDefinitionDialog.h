#pragma once
// The slope definition dialog ("斜面定義", 11014), filled by one panel
// (11001). On the define side it is 300 × 300 with a DefineSlopePanel:
// Enter does nothing; Escape and the close box act as キャンセル. On the
// edit side it is 300 × 350 with an EditSlopePanel and keeps the usual
// Enter and Escape.

#include <QDialog>

#include <vector>

#include "model/EditorRefresh.h"
#include "model/NodeRef.h"
#include "model/SlopeShapeList.h"

class DefineSlopePanel;
class EditSlopePanel;

class SlopeDefinitionDialog : public QDialog {
    Q_OBJECT
public:
    SlopeDefinitionDialog(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                          EditorRefresh& refresh);

    // The edit side, on the selected registered slope of `shapes`.
    SlopeDefinitionDialog(QWidget* parent, SlopeShapeList& shapes, EditorRefresh& refresh);

    // The define panel; null on the edit side.
    DefineSlopePanel* Panel() const { return panel_; }
    // The edit panel; null on the define side.
    EditSlopePanel* EditPanel() const { return editPanel_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent*) override;

private:
    DefineSlopePanel* panel_ = nullptr;
    EditSlopePanel* editPanel_ = nullptr;
};

// Command 32772: runs the dialog modally on the selected outline and
// returns when it is closed. The caller then clears the picked nodes (the
// E reset).
void OpenDefineDialog(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                      EditorRefresh& refresh);

// Command 32775: runs the edit side modally on the selected registered
// slope and returns when it is closed; the selection is cleared by then.
void OpenEditDialog(QWidget* parent, SlopeShapeList& shapes, EditorRefresh& refresh);
