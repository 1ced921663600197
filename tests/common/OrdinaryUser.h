#pragma once
// File permission failures for tests that may run as root. Root bypasses
// permission bits, so a root test takes the identity of an ordinary user for
// file access while it provokes such a failure; any other user already is
// one.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempDir.h"

namespace testing_support {

inline constexpr uid_t kOrdinaryUser = 65534;  // "nobody"

// Makes `path` (a file or folder) the ordinary user's when running as root.
inline bool GiveToOrdinaryUser(const std::string& path) {
    if (geteuid() != 0) return true;
    return lchown(path.c_str(), kOrdinaryUser, kOrdinaryUser) == 0;
}

// Gives the folder (and the folder TempDir made around it) to the user.
inline bool GiveToOrdinaryUser(const TempDir& dir) {
    const std::filesystem::path folder(dir.Path());
    if (folder.parent_path().filename().string().rfind("tormel-", 0) == 0 &&
        !GiveToOrdinaryUser(folder.parent_path().string())) {
        return false;
    }
    return GiveToOrdinaryUser(dir.Path());
}

// While alive, files are accessed as the ordinary user (root only). Active()
// is false when the identity could not be taken.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (geteuid() != 0) return;
        savedGid_ = getegid();
        switched_ = setegid(kOrdinaryUser) == 0 && seteuid(kOrdinaryUser) == 0;
        if (!switched_) Restore();
    }
    ~AsOrdinaryUser() {
        if (switched_) Restore();
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    bool Active() const { return geteuid() != 0; }

private:
    void Restore() {
        if (seteuid(0) != 0 || setegid(savedGid_) != 0) std::abort();
    }
    gid_t savedGid_ = 0;
    bool switched_ = false;
};

}  // namespace testing_support
