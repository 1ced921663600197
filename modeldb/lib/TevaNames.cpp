// Name entries of tevalib.h.
#include "NameText.h"
#include "Session.h"
#include "tevalib.h"

using namespace teva;

namespace {

bool isNameKind(int kind)
{
    return kind >= 1 && kind <= kNameKinds;
}

// The text of name (kind, number), or null.
const std::string* findName(const Project& project, int kind, int number)
{
    if (!isNameKind(kind))
        return nullptr;
    const auto& table = project.data().names[static_cast<std::size_t>(kind)].byNumber;
    const auto it = table.find(number);
    return it == table.end() ? nullptr : &it->second;
}

} // namespace

extern "C" {

TEVA_API short DB_Usno(int kind, const char* text)
{
    return guarded<short>(-1, [&] {
        Project* project = openProject();
        const auto name = readName(text);
        if (!project || !isNameKind(kind) || !name)
            return static_cast<short>(-1);
        return static_cast<short>(project->registerName(kind, *name));
    });
}

TEVA_API short DB_Usnam(int kind, short number, char* out)
{
    return guarded<short>(-1, [&] {
        const Project* project = openProject();
        if (!project || !out)
            return static_cast<short>(-1);
        const std::string* name = findName(*project, kind, number);
        if (!name)
            return static_cast<short>(-1);
        copyName(*name, out);
        return static_cast<short>(0);
    });
}

TEVA_API short DB_Usfind(int kind, const char* text)
{
    return guarded<short>(-1, [&] {
        const Project* project = openProject();
        if (!project)
            return static_cast<short>(-2);
        const auto name = readName(text);
        if (!isNameKind(kind) || !name)
            return static_cast<short>(-1);
        const auto& table = project->data().names[static_cast<std::size_t>(kind)].byText;
        const auto it = table.find(*name);
        return static_cast<short>(it == table.end() ? -2 : it->second);
    });
}

TEVA_API short DB_Usren(int kind, short number, const char* text)
{
    return guarded<short>(-1, [&] {
        Project* project = openProject();
        const auto name = readName(text);
        if (!project || !name)
            return static_cast<short>(-1);
        return static_cast<short>(project->renameName(kind, number, *name));
    });
}

TEVA_API short DB_Usino(int kind, short number, char* out)
{
    return guarded<short>(-1, [&] {
        const Project* project = openProject();
        if (!project || !out)
            return static_cast<short>(-1);
        const std::string* name = findName(*project, kind, number);
        if (!name)
            return static_cast<short>(-1);
        copyName(*name, out);
        return static_cast<short>(0);
    });
}

TEVA_API short DB_Usdel(int kind, short number)
{
    return guarded<short>(-1, [&] {
        Project* project = openProject();
        if (!project)
            return static_cast<short>(-1);
        return static_cast<short>(project->deleteName(kind, number));
    });
}

} // extern "C"
