#pragma once
// Makes the editor view window ("GLitem") that the Editor pane holds.

class QWidget;
struct SessionContext;

// The view puts itself in `context` while it exists.
QWidget* CreateEditorView(SessionContext& context);
