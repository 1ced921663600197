#include "EditorViewFactory.h"

#include "view/SlopeEditorView.h"

QWidget* CreateEditorView(SessionContext& context) { return new SlopeEditorView(context); }
