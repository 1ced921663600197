#include "Commands.h"

#include "DemoBuilding.h"
#include "DescriptionReader.h"
#include "GridArguments.h"
#include "MessageText.h"
#include "ProjectCheck.h"
#include "ProjectDump.h"
#include "ProjectFile.h"
#include "ProjectWriter.h"
#include "SlopeDeletion.h"
#include "tevalib.h"

#include <cstdio>
#include <iostream>

namespace teva {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int failed(const std::string& message)
{
    std::cerr << "teva: " << message << "\n";
    return kFailed;
}

int usage(const std::string& message)
{
    std::cerr << "teva: " << message << " (see teva --help)\n";
    return kUsage;
}

// Options after the command: flags and "--name VALUE" pairs; anything else
// is a positional argument.
struct Options {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> flags;

    const std::string* value(const std::string& name) const
    {
        for (const auto& [n, v] : values) {
            if (n == name)
                return &v;
        }
        return nullptr;
    }
    bool flag(const std::string& name) const
    {
        for (const auto& f : flags) {
            if (f == name)
                return true;
        }
        return false;
    }
};

bool parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valueNames,
                  const std::vector<std::string>& flagNames, Options& out, std::string& error)
{
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') {
            std::string name = a, inlineValue;
            bool hasInline = false;
            if (auto eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                inlineValue = a.substr(eq + 1);
                hasInline = true;
            }
            bool isValue = false, isFlag = false;
            for (const auto& n : valueNames)
                isValue = isValue || n == name;
            for (const auto& n : flagNames)
                isFlag = isFlag || n == name;
            if (isValue) {
                if (out.value(name)) {
                    error = name + " is given twice";
                    return false;
                }
                if (!hasInline && i + 1 >= args.size()) {
                    error = name + " needs a value";
                    return false;
                }
                out.values.emplace_back(name, hasInline ? inlineValue : args[++i]);
            } else if (isFlag && !hasInline) {
                out.flags.push_back(name);
            } else {
                error = "unknown option " + a;
                return false;
            }
        } else {
            out.positional.push_back(a);
        }
    }
    return true;
}

bool buildFromDescription(const std::string& path, const BuildingDescription& d, bool force,
                          std::string& error)
{
    ResolvedDescription resolved;
    DescriptionError problem;
    if (!resolveDescription(d, resolved, problem)) {
        error = problem.text();
        return false;
    }
    return buildProjectFile(path, d.title, force, [&](std::string& e) { return writeDescription(d, resolved, e); },
                            error);
}

int importText(const std::string& path, std::string_view text, const std::string& source, bool force)
{
    BuildingDescription d;
    DescriptionError problem;
    if (!readDescriptionText(text, d, problem))
        return failed(problem.text(source));
    ResolvedDescription resolved;
    if (!resolveDescription(d, resolved, problem))
        return failed(problem.text(source));
    std::string error;
    if (!buildProjectFile(path, d.title, force,
                          [&](std::string& e) { return writeDescription(d, resolved, e); }, error))
        return failed(error);
    std::cout << "teva: wrote " << path << " (" << d.storeys.size() << " storeys, " << d.axes.size()
              << " axes, " << d.levels.size() << " levels, " << d.slopes.size() << " slopes)\n";
    return kDone;
}

int commandDemo(const std::vector<std::string>& args)
{
    Options o;
    std::string error;
    if (!parseOptions(args, {}, {"--force"}, o, error))
        return usage(error);
    if (o.positional.size() != 1)
        return usage("demo needs one FILE");
    return importText(o.positional[0], demoBuildingJson(), "demo-building.json", o.flag("--force"));
}

int commandImport(const std::vector<std::string>& args)
{
    Options o;
    std::string error;
    if (!parseOptions(args, {}, {"--force"}, o, error))
        return usage(error);
    if (o.positional.size() != 2)
        return usage("import needs FILE and DESCRIPTION.json");
    std::string text;
    // The size is checked before anything is read: the parsed document
    // takes several times the text's size.
    if (!readWholeFile(o.positional[1], text, error, kMaxJsonTextBytes))
        return failed(error);
    return importText(o.positional[0], text, o.positional[1], o.flag("--force"));
}

int commandNew(const std::vector<std::string>& args)
{
    Options o;
    std::string error;
    if (!parseOptions(args, {"--storeys", "--x", "--y", "--title", "--extend"}, {"--force"}, o, error))
        return usage(error);
    if (o.positional.size() != 1)
        return usage("new needs one FILE");
    for (const char* required : {"--storeys", "--x", "--y"}) {
        if (!o.value(required))
            return usage(std::string("new needs ") + required);
    }
    std::vector<NamedValue> storeys, xs, ys;
    if (!parseNamedValues(*o.value("--storeys"), "--storeys", storeys, error) ||
        !parseNamedValues(*o.value("--x"), "--x", xs, error) || !parseNamedValues(*o.value("--y"), "--y", ys, error))
        return failed(error);
    double extend = 0.0;
    if (const std::string* e = o.value("--extend")) {
        std::vector<NamedValue> v;
        if (!parseNamedValues("extend:" + *e, "--extend", v, error) || v[0].value < 0)
            return failed("--extend needs a length of 0 mm or more");
        extend = v[0].value;
    }
    if (extend < 1.0 && (xs.size() < 2 || ys.size() < 2))
        return failed("a grid line would have no length: give at least two --x and two --y lines, or --extend");
    const BuildingDescription d =
        makeGridDescription(o.value("--title") ? *o.value("--title") : "", storeys, xs, ys, extend);
    if (!buildFromDescription(o.positional[0], d, o.flag("--force"), error))
        return failed(error);
    std::cout << "teva: wrote " << o.positional[0] << " (" << storeys.size() << " storeys, " << xs.size()
              << " x " << ys.size() << " grid lines)\n";
    return kDone;
}

bool openProject(const std::string& path, std::string& error)
{
    if (!pathExists(path)) {
        error = path + " does not exist";
        return false;
    }
    if (teva_open(path.c_str()) != 0) {
        error = "cannot open " + path + ": " + teva_last_error();
        return false;
    }
    return true;
}

int commandDump(const std::vector<std::string>& args)
{
    Options o;
    std::string error;
    if (!parseOptions(args, {}, {"--json"}, o, error))
        return usage(error);
    if (o.positional.size() != 1)
        return usage("dump needs one FILE");
    if (!openProject(o.positional[0], error))
        return failed(error);
    const Json dump = collectDump();
    teva_close();
    if (o.flag("--json"))
        std::cout << dump.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    else
        std::cout << formatDump(dump);
    std::cout.flush();
    return std::cout ? kDone : failed("cannot write the dump");
}

int commandCheck(const std::vector<std::string>& args)
{
    Options o;
    std::string error;
    if (!parseOptions(args, {}, {}, o, error))
        return usage(error);
    if (o.positional.size() != 1)
        return usage("check needs one FILE");
    const std::string& path = o.positional[0];
    if (!openProject(path, error))
        return failed(error);
    const auto problems = checkProject();
    const int storeys = sp_GetMaxSeqLay(), axes = sp_GetMaxLin(0), crossings = sp_GetMaxCros();
    int slopes = 0;
    for (int i = 1; i < (1 << 20); ++i) {
        const int code = sp_lslay(i);
        if (code == 0)
            break;
        slopes += code < 0;
    }
    teva_close();
    if (!problems.empty()) {
        // A damaged project can have thousands of problems (a few for each
        // of 32767 slopes): the first ones tell the story.
        constexpr size_t kShown = 200;
        for (size_t i = 0; i < problems.size() && i < kShown; ++i)
            std::cout << path << ": " << problems[i] << "\n";
        if (problems.size() > kShown)
            std::cout << path << ": ... and " << problems.size() - kShown << " more\n";
        std::cout.flush();
        return failed(path + ": " + std::to_string(problems.size()) + " problem(s) found");
    }
    std::cout << path << ": sound (" << storeys << " storeys, " << axes << " axes, " << crossings
              << " crossings, " << slopes << " slopes)\n";
    return kDone;
}

int commandDeleteSlope(const std::vector<std::string>& args)
{
    Options o;
    std::string error;
    if (!parseOptions(args, {}, {}, o, error))
        return usage(error);
    if (o.positional.size() != 2)
        return usage("delete-slope needs FILE and NAME");
    const std::string& path = o.positional[0];
    const std::string& name = o.positional[1];
    if (!openProject(path, error))
        return failed(error);
    DeletedSlope deleted;
    const bool ok = deleteSlope(name, deleted, error);
    teva_close();
    if (!ok)
        return failed(path + ": " + error);
    std::cout << "teva: deleted slope " << jsonQuoted(name) << " (number " << deleted.number << ", "
              << (deleted.record ? "its record and " : "no record, ") << deleted.edgeRecords
              << " edge record(s)) from " << path << "\n";
    return kDone;
}

} // namespace

std::string usageText()
{
    return R"(teva: makes and inspects building project files.

Usage:
  teva new FILE --storeys LIST --x LIST --y LIST [--title TEXT] [--extend MM] [--force]
      A project with the storeys and the grid lines given. Each LIST is
      comma-separated NAME:VALUE items (millimetres):
        --storeys "1F:0,2F:3500,RF:7000"   storey names and floor heights
        --x "X1:0,X2:6000,X3:12000"        lines along Y at these x
        --y "Y1:0,Y2:5000"                 lines along X at these y
      Lines run between the outermost lines of the other direction,
      lengthened by --extend mm at both ends (default 0). Names cannot
      contain ',' (a name may contain ':'; the value follows the last one).
  teva import FILE DESCRIPTION.json [--force]
      A project from a JSON building description: storeys, axes (two points
      each), optional levels (type 1 absolute, type 2 above a storey) and
      slopes (edge axes round the outline, lower and upper layer, bottom and
      top edge axes). See modeldb/demo/demo-building.json for an example.
  teva demo FILE [--force]
      The demo building (4 storeys, ridge storey, 5 x 4 grid, a diagonal
      axis, a mezzanine level and a gable roof of two slopes).
  teva dump FILE [--json]
      Names, storeys, layers, axes, crossings, nodes, slopes (outline,
      corners, plane) and every record field by field, as text or JSON.
  teva check FILE
      The library's integrity check and the tool's own consistency checks;
      prints each problem found. A slope whose outline is invalid (an edge
      axis or a layer that no longer exists) is named with what is wrong.
  teva delete-slope FILE NAME
      Removes the slope NAME: its slope record, its slope edge records and
      its name. Works on a slope whose outline is invalid too, which the
      editor cannot show and so cannot delete. An unknown NAME changes
      nothing.
  teva --help

A new project is built beside FILE and renamed into place only when it is
complete and checked: on any error nothing is written. An existing FILE is
replaced only with --force.

Exit status: 0 done, 1 failed (a one-line message on stderr), 2 wrong usage.
)";
}

int runTeva(const std::vector<std::string>& args)
{
    if (args.empty())
        return usage("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << usageText();
        return kDone;
    }
    if (command == "new")
        return commandNew(args);
    if (command == "import")
        return commandImport(args);
    if (command == "demo")
        return commandDemo(args);
    if (command == "dump")
        return commandDump(args);
    if (command == "check")
        return commandCheck(args);
    if (command == "delete-slope")
        return commandDeleteSlope(args);
    return usage("unknown command \"" + command + "\"");
}

} // namespace teva
