#include "EditorViewFactory.h"

#include "view/SlopeEditorView.h"

QWidget* CreateEditorView() { return new SlopeEditorView; }
