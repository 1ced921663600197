// Making a project file safely: the project is built in a temporary file
// beside the target and renamed over it only when complete and checked, so
// a failure leaves no file behind and never damages an existing one.
#ifndef TEVA_PROJECTFILE_H
#define TEVA_PROJECTFILE_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace teva {

// Creates the project `path` with `title`: `fill` writes its content into
// the open temporary project and answers false with a message on failure.
// The result must pass checkProject(). An existing `path` is refused unless
// `replace`. Answers false with a one-line `error`; the library is left
// with no project open either way.
bool buildProjectFile(const std::string& path, const std::string& title, bool replace,
                      const std::function<bool(std::string&)>& fill, std::string& error);

// Reads a whole file; false with a message when it cannot be read or is
// larger than `maxBytes` (then refused before anything is read).
bool readWholeFile(const std::string& path, std::string& out, std::string& error,
                   std::size_t maxBytes = SIZE_MAX);

// Whether anything (a file, a directory, a dangling link) is at `path`.
bool pathExists(const std::string& path);

} // namespace teva

#endif
