#include "ProjectFile.h"

#include "ProjectCheck.h"
#include "tevalib.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace teva {

namespace {

std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// SQLite keeps a journal beside the file while it is open; after a clean
// close none should remain, but a crash of this process could leave one.
void removeWithCompanions(const std::string& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        ::unlink((path + suffix).c_str());
}

bool syncPath(const std::string& path, bool directory)
{
    const int fd = ::open(path.c_str(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

std::string temporaryBeside(const std::string& path)
{
    const std::string dir = directoryOf(path);
    const auto slash = path.find_last_of('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    for (int n = 0;; ++n) {
        std::string candidate = dir + "/." + base + ".tmp" + std::to_string(::getpid());
        if (n)
            candidate += "-" + std::to_string(n);
        if (!pathExists(candidate) && !pathExists(candidate + "-wal"))
            return candidate;
    }
}

} // namespace

bool pathExists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool readWholeFile(const std::string& path, std::string& out, std::string& error, std::size_t maxBytes)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = "cannot read " + path + ": it is a folder";
        return false;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        error = path + ": the file is larger than " +
                (maxBytes % (1u << 20) == 0 ? std::to_string(maxBytes >> 20) + " MiB"
                                            : std::to_string(maxBytes) + " bytes") +
                " (" + std::to_string(st.st_size) + " bytes)";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    out = buf.str();
    return true;
}

bool buildProjectFile(const std::string& path, const std::string& title, bool replace,
                      const std::function<bool(std::string&)>& fill, std::string& error)
{
    if (path.empty()) {
        error = "no project file named";
        return false;
    }
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        if (!replace) {
            error = path + " already exists (use --force to replace it)";
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            error = path + " exists and is not a regular file";
            return false;
        }
    }
    teva_close();
    const std::string temp = temporaryBeside(path);
    if (teva_create(temp.c_str(), title.c_str()) != 0) {
        error = "cannot create a project beside " + path + ": " + teva_last_error();
        removeWithCompanions(temp);
        return false;
    }
    auto abandon = [&](const std::string& message) {
        teva_close();
        removeWithCompanions(temp);
        error = message;
        return false;
    };
    std::string fillError;
    if (!fill(fillError))
        return abandon(fillError);
    const auto problems = checkProject();
    if (!problems.empty())
        return abandon("the new project fails its check: " + problems.front() +
                       (problems.size() > 1 ? " (and " + std::to_string(problems.size() - 1) + " more)" : ""));
    teva_close();
    // A journal left after the close would hold commits that the renamed
    // file does not: refuse rather than lose them.
    if (::stat((temp + "-wal").c_str(), &st) == 0 && st.st_size > 0)
        return abandon("the new project's journal was not folded into the file");
    if (!syncPath(temp, false))
        return abandon("cannot flush the new project to disk: " + std::string(std::strerror(errno)));
    // A stale journal of the replaced file must not be applied to the new one.
    if (replace) {
        ::unlink((path + "-wal").c_str());
        ::unlink((path + "-shm").c_str());
    }
    if (::rename(temp.c_str(), path.c_str()) != 0)
        return abandon("cannot rename the new project to " + path + ": " + std::strerror(errno));
    ::unlink((temp + "-wal").c_str());
    ::unlink((temp + "-shm").c_str());
    syncPath(directoryOf(path), true);
    return true;
}

} // namespace teva
