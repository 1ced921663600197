#pragma once
// The slope definition dialog ("斜面定義", 11014) on the define side: a
// 300 × 300 dialog filled by a DefineSlopePanel (11001). Enter does
// nothing; Escape and the close box act as キャンセル.

#include <QDialog>

#include <vector>

#include "model/EditorRefresh.h"
#include "model/NodeRef.h"
#include "model/SlopeShapeList.h"

class DefineSlopePanel;

class SlopeDefinitionDialog : public QDialog {
    Q_OBJECT
public:
    SlopeDefinitionDialog(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                          EditorRefresh& refresh);

    DefineSlopePanel* Panel() const { return panel_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent*) override;

private:
    DefineSlopePanel* panel_;
};

// Command 32772: runs the dialog modally on the selected outline and
// returns when it is closed. The caller then clears the picked nodes (the
// E reset).
void OpenDefineDialog(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                      EditorRefresh& refresh);
