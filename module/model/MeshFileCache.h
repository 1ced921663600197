#pragma once
// The meshes of registered slopes, read once per file version: a rebuild of
// the slope outlines reads a mesh file again only when its size or
// modification time has changed.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "mesh/MeshElement.h"

class MeshFileCache {
public:
    // The mesh of `path` as ReadMeshFile leaves it (as far as it could be
    // read; empty for a file that cannot be opened).
    const MeshList& Read(const std::string& path);
    void Clear() { entries_.clear(); }
    size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        int64_t size = -1;
        int64_t modified = 0;  // nanoseconds
        MeshList mesh;
    };
    std::unordered_map<std::string, Entry> entries_;
};
