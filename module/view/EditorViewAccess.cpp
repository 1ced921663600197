#include "EditorViewAccess.h"

namespace {
EditorViewAccess* g_view = nullptr;
}

EditorViewAccess* CurrentEditorView() { return g_view; }
void SetCurrentEditorView(EditorViewAccess* view) { g_view = view; }
