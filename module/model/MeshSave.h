#pragma once
// メッシュを保存: writes the mesh of mesh mode to its file. A file mesh
// overwrites its own file (after a Yes); an outline mesh of triangles goes to
// a file the user chooses, which then becomes the slope's definition.

#include <string>

#include "mesh/MeshWorkspace.h"

enum class MeshSaveOutcome {
    NotSaved,  // refused, cancelled or failed (with a message); records unchanged
    Saved,     // the file mesh was written over its file
    Linked,    // the outline mesh was written and linked: enter mesh mode again
};

// `currentPath` is the file a file mesh was read from.
MeshSaveOutcome SaveMesh(MeshWorkspace& ws, const std::string& currentPath);
