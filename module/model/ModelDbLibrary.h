#pragma once
// The binding of the model database library, tevalib.so: one process-wide set
// of entries, resolved by name when a session starts and dropped when it ends.
// Every part of the editor calls the model through these entries.

#include <string>
#include <vector>

#include "DynamicLibrary.h"
#include "tevalib.h"  // declarations only: the editor never links the library

// One pointer per library entry, in the order they are resolved. Empty until
// resolved; stale after Unload.
struct ModelDbEntries {
#define TORMEL_MODELDB_ENTRY(name) decltype(&::name) name = nullptr;
#include "ModelDbEntryList.h"
#undef TORMEL_MODELDB_ENTRY
};

class ModelDbLibrary {
public:
    // The file name the library has on this platform.
    static constexpr const char* kFileName = "tevalib.so";

    static ModelDbLibrary& Instance();

    // Loads kFileName from the host executable's folder and resolves every
    // entry by name: true when the file loaded, whatever entries it lacks.
    bool Load();
    // The same from another folder (with or without a trailing '/').
    bool LoadFrom(const std::string& directory);
    // Releases the library and empties every entry.
    void Unload();
    bool IsLoaded() const { return library_.IsOpen(); }

    // Entries the editor calls that the loaded library does not export, in
    // resolution order. Six entries are never called and never listed, nor
    // are the undo entries, which the editor does without.
    std::vector<std::string> MissingUsedEntries() const;

    const ModelDbEntries& Entries() const { return entries_; }
    // Puts other entries in place of the resolved ones until the next load
    // or unload (benchmarks count the calls a frame makes this way).
    void ReplaceEntries(const ModelDbEntries& entries) { entries_ = entries; }

private:
    ModelDbLibrary() = default;
    platform::DynamicLibrary library_;
    ModelDbEntries entries_;
};

// Shorthand for the bound entries: Db().sp_nno(layer, crossing).
inline const ModelDbEntries& Db() { return ModelDbLibrary::Instance().Entries(); }

// Whether a library is bound: the session refuses one that lacks an entry
// the editor calls, so every entry may be called while this holds.
inline bool ModelBound() { return ModelDbLibrary::Instance().IsLoaded(); }
