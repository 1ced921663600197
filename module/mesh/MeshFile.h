#pragma once
// Mesh files (.tmsh): text, one record per line.
//   1  header, written "TORMEL_MESH", not examined when read
//   2  "%d,%d,%d", written 7,6,7, values unused
//   3  "%d" element count, unused (reading goes on to the end of the file)
//   4… "%d,x1,y1,z1,x2,y2,z2,x3,y3,z3": element number, then the three
//      corners, written with two decimals.

#include <string>

#include "mesh/MeshElement.h"

// The longest line a mesh file may hold, line end not counted.
inline constexpr size_t kMaxMeshLineLength = 512;

// Empties `list`, then appends one three-corner element per triangle line in
// file order. False when the path is not a regular file that can be opened
// (a device or FIFO is refused without being read or waited on), when the
// file ends before its count line, or at the first line that does not parse
// (a blank line, or one longer than kMaxMeshLineLength, too); the elements
// read before that line stay in the list.
bool ReadMeshFile(const std::string& path, MeshList& list);

// Writes `list` (a new file, or replacing the old one whole): the header,
// 7,6,7, the count and one line per element with its first three corners,
// numbered 1, 2, … . Coordinates are rounded to two decimals. An element
// with fewer than three corners is not written and not counted. The file is
// replaced whole and flushed to the disk (see platform::ReplaceFile); a path
// that is a symbolic link writes the file it leads to. False when the file
// cannot be written, the old file then being untouched; nothing is shown.
bool WriteMeshFile(const std::string& path, const MeshList& list);
