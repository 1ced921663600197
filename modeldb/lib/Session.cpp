#include "Session.h"

namespace teva {

namespace {

std::unique_ptr<Project>& current()
{
    static std::unique_ptr<Project> project;
    return project;
}

std::string& errorText()
{
    static std::string text;
    return text;
}

} // namespace

Project* openProject()
{
    return current().get();
}

void replaceProject(std::unique_ptr<Project> project)
{
    current() = std::move(project);
}

void setLastError(std::string text)
{
    errorText() = std::move(text);
}

const std::string& lastError()
{
    return errorText();
}

} // namespace teva
