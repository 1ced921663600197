#pragma once
// A registered slope's mesh in mesh mode: loading it into the workspace and
// linking a saved mesh file to the slope.

#include <cstdint>
#include <optional>
#include <string>

#include "mesh/MeshWorkspace.h"
#include "model/LayerCode.h"

// Fills the (cleared) workspace with the mesh of the slope of layer code
// `slope`: its mesh file, grouped as a file mesh, when the slope record
// names one (the file's path is answered); otherwise its outline, as the
// outline and working lists of an outline mesh (an empty path is
// answered). Nothing, after a message, when the slope record, the mesh file
// or the outline cannot be read; the workspace is left cleared then.
std::optional<std::string> LoadSlopeMesh(LayerCode slope, MeshWorkspace& ws);

// Makes mesh file `path` the definition of slope `number` (type 5 and the
// number of the path's mesh-file record, found or added), then restructures
// the model. False, after a message, when the record cannot be read or
// written; a slope record that cannot be read is never written.
bool LinkMeshFile(int16_t number, const std::string& path);
