// Host-side entries of tevalib.h: opening, creating and checking projects.
#include "NameText.h"
#include "ProjectCheck.h"
#include "Session.h"
#include "tevalib.h"

using namespace teva;

namespace {

// Longest project file path read from a caller.
constexpr std::size_t kMaxPathBytes = 4095;

// teva_undo and teva_redo: 0, -3 nothing to take, -4 while a step is
// open, -5 (teva_last_error() telling why) when the file refused it.
int replay(UndoLog::Side side)
{
    Project* project = openProject();
    if (!project)
        return TEVA_NOT_FOUND;
    const int result = project->replay(side);
    setLastError(result == TEVA_WRITE_FAILED ? project->lastWriteError() : std::string());
    return result;
}

// The label of the step undo or redo would take, copied so that it stays
// readable until the next call for the same side.
const char* stepLabel(UndoLog::Side side)
{
    static std::string labels[2];
    std::string& label = labels[side == UndoLog::Side::Undo ? 0 : 1];
    label.clear();
    guarded(0, [&] {
        if (const Project* project = openProject())
            label = project->stepLabel(side);
        return 0;
    });
    return label.c_str();
}

} // namespace

extern "C" {

TEVA_API int teva_open(const char* path)
{
    return guarded(-1, [&] {
        replaceProject(nullptr);
        const auto text = readText(path, kMaxPathBytes);
        if (!text || text->empty()) {
            setLastError("no valid project file name given");
            return -1;
        }
        std::string error;
        auto project = Project::open(*text, error);
        if (!project) {
            setLastError(error);
            return -1;
        }
        replaceProject(std::move(project));
        setLastError("");
        return 0;
    });
}

TEVA_API void teva_close(void)
{
    guarded(0, [] {
        replaceProject(nullptr);
        return 0;
    });
}

TEVA_API const char* teva_last_error(void)
{
    return lastError().c_str();
}

TEVA_API int teva_create(const char* path, const char* title)
{
    return guarded(-1, [&] {
        const auto file = readText(path, kMaxPathBytes);
        if (!file || file->empty()) {
            setLastError("no valid project file name given");
            return -1;
        }
        const auto heading = title ? readText(title, TEVA_SIZE_PROJECT - 1)
                                   : std::optional<std::string>(std::string());
        if (!heading) {
            setLastError("the project title is not UTF-8 text of at most 199 bytes");
            return -1;
        }
        std::string error;
        if (!ProjectFile::create(*file, *heading, error)) {
            setLastError(error);
            return -1;
        }
        return teva_open(file->c_str());
    });
}

TEVA_API int teva_add_storey(const char* name, double height)
{
    return guarded(-1, [&] {
        Project* project = openProject();
        if (!project) {
            setLastError("no project is open");
            return -1;
        }
        const auto text = readName(name);
        if (!text) {
            setLastError("a storey name is UTF-8 text of 1 to 63 bytes");
            return -1;
        }
        std::string error;
        const int number = project->addStorey(*text, height, error);
        setLastError(number < 0 ? error : std::string());
        return number;
    });
}

TEVA_API int teva_step_begin(const char* label)
{
    return guarded(static_cast<int>(TEVA_BAD_ARGUMENT), [&] {
        Project* project = openProject();
        if (!project)
            return static_cast<int>(TEVA_NOT_FOUND);
        const auto text = readLabel(label);
        if (!text)
            return static_cast<int>(TEVA_BAD_ARGUMENT);
        return project->beginStep(*text);
    });
}

TEVA_API int teva_step_end(void)
{
    return guarded(static_cast<int>(TEVA_BAD_ARGUMENT), [] {
        Project* project = openProject();
        return project ? project->endStep() : static_cast<int>(TEVA_NOT_FOUND);
    });
}

TEVA_API int teva_undo(void)
{
    return guarded(static_cast<int>(TEVA_WRITE_FAILED), [] { return replay(UndoLog::Side::Undo); });
}

TEVA_API int teva_redo(void)
{
    return guarded(static_cast<int>(TEVA_WRITE_FAILED), [] { return replay(UndoLog::Side::Redo); });
}

TEVA_API const char* teva_undo_label(void)
{
    return stepLabel(UndoLog::Side::Undo);
}

TEVA_API const char* teva_redo_label(void)
{
    return stepLabel(UndoLog::Side::Redo);
}

TEVA_API int teva_check(void)
{
    return guarded(-1, [] {
        Project* project = openProject();
        if (!project) {
            setLastError("no project is open");
            return -1;
        }
        const std::vector<std::string> problems = checkProject(*project);
        // The text stays readable however damaged the project is.
        constexpr std::size_t kMostProblems = 100;
        std::string text;
        for (std::size_t i = 0; i < problems.size() && i < kMostProblems; ++i)
            text += problems[i] + "\n";
        if (problems.size() > kMostProblems)
            text += "... and " + std::to_string(problems.size() - kMostProblems) + " more problems\n";
        setLastError(text);
        return problems.empty() ? 0 : -1;
    });
}

} // extern "C"
