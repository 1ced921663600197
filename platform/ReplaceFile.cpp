#include "ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace platform {
namespace {

// Writes all of `content` at the file's current offset; 0 or errno.
int WriteAll(int fd, std::string_view content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Makes the rename itself durable; a failure here does not undo the save.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

int ReplaceFile(const std::string& path, std::string_view content) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat old {};
    const bool replacing = stat(path.c_str(), &old) == 0;
    int error = WriteAll(fd, content);
    if (replacing) {
        // A file replaced by its administrator stays its owner's.
        if (fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give a file away; the file is then the saver's.
        }
    }
    if (fchmod(fd, replacing ? (old.st_mode & 07777) : 0644) != 0 && error == 0) error = errno;
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temp.c_str());
        return error;
    }
    SyncFolder(FolderOf(path));
    return 0;
}

std::string ErrorText(int error) { return std::system_category().message(error); }

}  // namespace platform
