#include "ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace platform {
namespace {

// Writes all of `content` from offset 0; 0 or errno.
int WriteAll(int fd, std::string_view content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = pwrite(fd, content.data() + done, content.size() - done,
                                 static_cast<off_t>(done));
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

// Reads the whole file from offset 0; 0 or errno.
int ReadAll(int fd, std::string& content) {
    char buffer[8192];
    for (off_t offset = 0;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        content.append(buffer, static_cast<size_t>(n));
        offset += n;
    }
}

// Makes the file hold exactly `content`, on the disk; 0 or errno.
int Overwrite(int fd, std::string_view content) {
    if (int error = WriteAll(fd, content)) return error;
    if (ftruncate(fd, static_cast<off_t>(content.size())) != 0) return errno;
    if (fsync(fd) != 0) return errno;
    return 0;
}

// The fallback when no temporary file can be made beside the target
// (`tempError`): rewrite the target itself. Not atomic, so the old content
// is kept in memory and written back if the new one does not go through.
int ReplaceInPlace(const std::string& path, std::string_view content, int tempError) {
    const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return tempError;
    struct stat info {};
    std::string old;
    int error = 0;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) error = tempError;
    else error = ReadAll(fd, old);
    if (error == 0) {
        error = Overwrite(fd, content);
        if (error != 0) Overwrite(fd, old);
    }
    close(fd);
    return error;
}

// The file a chain of symbolic links at `path` ends in (a missing one
// included), or ELOOP.
int FollowLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
        std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t n = readlink(path.c_str(), target.data(), target.size());
        if (n < 0) return errno;
        target.resize(static_cast<size_t>(n));
        if (target.empty()) return ENOENT;
        // A relative link is relative to the folder that holds it.
        path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
    return ELOOP;
}

}  // namespace

int ReplaceFile(const std::string& linkOrFile, std::string_view content) {
    std::string path = linkOrFile;
    if (const int error = FollowLinks(path)) return error;
    std::string temp = path + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return ReplaceInPlace(path, content, errno);
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
