#include "model/MeshFileCache.h"

#include <sys/stat.h>

#include "mesh/MeshFile.h"

const MeshList& MeshFileCache::Read(const std::string& path) {
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    const int64_t size = exists ? static_cast<int64_t>(info.st_size) : -1;
    const int64_t modified =
        exists ? static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec : 0;
    Entry& entry = entries_[path];
    if (entry.size != size || entry.modified != modified || !exists) {
        entry.size = size;
        entry.modified = modified;
        entry.mesh.clear();
        if (exists) ReadMeshFile(path, entry.mesh);
    }
    return entry.mesh;
}
