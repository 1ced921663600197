#pragma once
// Makes the editor view window ("GLitem") that the Editor pane holds.

class QWidget;

QWidget* CreateEditorView();
