#pragma once
// Test helpers shared by every test folder: temporary folders, files and
// child processes.

#include <string>
#include <vector>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its
// content when the object dies. `name` may hold spaces and any UTF-8.
class TempDir {
public:
    explicit TempDir(const std::string& name = "tormel-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, without a trailing '/'.
    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);
// Copies a file keeping its permission bits.
bool CopyFile(const std::string& from, const std::string& to);
// Creates a folder and its parents.
bool MakeDirectories(const std::string& path);

struct ProcessResult {
    int exitCode = -1;  // -1 when it did not exit normally
    int signal = 0;     // the signal that ended it, 0 when it exited
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell) in `workingDirectory` ("" keeps
// the current one) and collects its output.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingDirectory = {});

// The folder the build puts the programs and libraries in ($TORMEL_BIN_DIR).
std::string BinDir();

}  // namespace testing_support
