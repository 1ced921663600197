#include "ModelDbLibrary.h"

#include "ExecutablePath.h"

ModelDbLibrary& ModelDbLibrary::Instance() {
    static ModelDbLibrary library;
    return library;
}

bool ModelDbLibrary::Load() { return LoadFrom(platform::ExecutableDirectory()); }

bool ModelDbLibrary::LoadFrom(const std::string& directory) {
    Unload();
    // Always a full path: a bare name would make the loader search.
    if (directory.empty() || directory[0] != '/') return false;
    std::string path = directory;
    if (path.back() != '/') path += '/';
    path += kFileName;
    if (!library_.Open(path)) return false;
#define TORMEL_MODELDB_ENTRY(name) \
    entries_.name = reinterpret_cast<decltype(entries_.name)>(library_.Resolve(#name));
#include "ModelDbEntryList.h"
#undef TORMEL_MODELDB_ENTRY
    return true;
}

void ModelDbLibrary::Unload() {
    entries_ = ModelDbEntries{};
    library_.Close();
}

std::vector<std::string> ModelDbLibrary::MissingUsedEntries() const {
    std::vector<std::string> missing;
#define TORMEL_MODELDB_UNUSED(name)
#define TORMEL_MODELDB_OPTIONAL(name)
#define TORMEL_MODELDB_ENTRY(name) \
    if (!entries_.name) missing.push_back(#name);
#include "ModelDbEntryList.h"
#undef TORMEL_MODELDB_ENTRY
#undef TORMEL_MODELDB_OPTIONAL
#undef TORMEL_MODELDB_UNUSED
    return missing;
}
