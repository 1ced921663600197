// tormel-host: opens a building project, loads the editor module from its own
// folder and calls its entry point, as the building-design host does.

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "DynamicLibrary.h"
#include "ExecutablePath.h"
#include "QtDialogs.h"
#include "ScreenshotTaker.h"

namespace {

constexpr const char* kUsage =
    "usage: tormel-host [--screenshot FILE] PROJECT\n"
    "\n"
    "Opens the building project PROJECT (a project file made with `teva`) and\n"
    "runs the slope editor (Vorna3D.so, beside this program) on it.\n"
    "\n"
    "  --screenshot FILE  save a PNG of the editor's main window once it is\n"
    "                     shown and painted, then close it; message boxes are\n"
    "                     written to standard error and answered with their\n"
    "                     default button\n"
    "  --help             show this text\n"
    "\n"
    "Exit status: 0 when the editor ran and was closed, 1 when the session was\n"
    "refused, 2 when the project or the module could not be loaded.\n";

int Fail(const std::string& message, int status = 2) {
    std::fprintf(stderr, "tormel-host: %s\n", message.c_str());
    return status;
}

struct Options {
    std::string project;
    std::string screenshot;
};

// Parses the command line; returns an exit status when the program should
// stop at once (help or a usage error), -1 to go on.
int Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--screenshot") {
            if (i + 1 >= argc) return Fail("--screenshot needs a file name (see --help)");
            options.screenshot = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return Fail("unknown option " + arg + " (see --help)");
        } else if (options.project.empty()) {
            options.project = arg;
        } else {
            return Fail("only one project may be given (see --help)");
        }
    }
    if (options.project.empty()) return Fail("no project given (see --help)");
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (int status = Parse(argc, argv, options); status >= 0) return status;

    const std::string folder = platform::ExecutableDirectory();
    // The module loads the same file by the same path, so both see the one
    // project opened here. The handle stays open for the whole session.
    platform::DynamicLibrary model;
    if (!model.Open(folder + "tevalib.so")) return Fail("cannot load the model library: " + model.Error());
    using OpenFn = int (*)(const char*);
    using ErrorFn = const char* (*)();
    using CloseFn = void (*)();
    auto open = reinterpret_cast<OpenFn>(model.Resolve("teva_open"));
    auto lastError = reinterpret_cast<ErrorFn>(model.Resolve("teva_last_error"));
    auto close = reinterpret_cast<CloseFn>(model.Resolve("teva_close"));
    if (!open) return Fail("the model library has no teva_open entry");
    if (open(options.project.c_str()) != 0) {
        const char* why = lastError ? lastError() : nullptr;
        return Fail("cannot open the project " + options.project + ": " +
                    (why && *why ? why : "unknown error"));
    }

    platform::DynamicLibrary module;
    if (!module.Open(folder + "Vorna3D.so")) {
        if (close) close();
        return Fail("cannot load the editor module: " + module.Error());
    }
    using EntryFn = int (*)();
    auto entry = reinterpret_cast<EntryFn>(module.Resolve("DLL_FUNC"));
    if (!entry) {
        if (close) close();
        return Fail("the editor module has no DLL_FUNC entry");
    }

    int result;
    if (!options.screenshot.empty()) {
        // Screenshot mode brings its own application so it can watch the
        // windows; the module uses it rather than making one.
        static int qtArgc = 1;
        static char name[] = "tormel-host";
        static char* qtArgv[] = {name, nullptr};
        QApplication application(qtArgc, qtArgv);
        platform::MarkApplicationHeadless();
        ScreenshotTaker taker(QString::fromStdString(options.screenshot), QStringLiteral("MainDialog"));
        result = entry();
        if (result == 0 && !taker.Saved()) result = 3;
    } else {
        result = entry();
    }
    if (close) close();
    if (result == 3) return Fail("no screenshot was taken", 3);
    return result == 0 ? 0 : 1;
}
