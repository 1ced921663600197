// The library's single open project, shared by every exported entry.
// Entries are called from one thread (the host's and the editor's user
// interface thread).
#pragma once

#include "Project.h"

#include <memory>
#include <string>

namespace teva {

// The open project, or null.
Project* openProject();
void replaceProject(std::unique_ptr<Project> project);

void setLastError(std::string text);
const std::string& lastError();

// Runs `body`; any exception (out of memory) turns into `failure`, so no
// exception crosses the C boundary.
template <typename Result, typename Body> Result guarded(Result failure, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

} // namespace teva
