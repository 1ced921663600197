// Record entries of tevalib.h.
#include "Session.h"
#include "tevalib.h"

#include <cstring>

using namespace teva;

extern "C" {

TEVA_API int DB_initset(void) { return -1; }
TEVA_API int DB_textread(void) { return -1; }
TEVA_API int DB_textwrite(void) { return -1; }

TEVA_API int DB_restruct(int)
{
    return guarded<int>(TEVA_NOT_FOUND, []() -> int {
        Project* project = openProject();
        if (!project)
            return TEVA_NOT_FOUND;
        project->restructure();
        return TEVA_OK;
    });
}

TEVA_API int DB_getr(int kind, void* rec)
{
    return guarded<int>(TEVA_BAD_ARGUMENT, [&]() -> int {
        Project* project = openProject();
        if (!project)
            return TEVA_NOT_FOUND;
        if (recordSize(kind) == 0)
            return TEVA_BAD_ARGUMENT;
        if (!rec) {
            project->rewind(kind);
            return TEVA_OK;
        }
        return project->nextRecord(kind, rec);
    });
}

TEVA_API short DB_get(int kind, void* rec)
{
    return guarded<short>(TEVA_BAD_ARGUMENT, [&] {
        const Project* project = openProject();
        if (!project)
            return static_cast<short>(TEVA_NOT_FOUND);
        return static_cast<short>(project->getRecord(kind, rec));
    });
}

TEVA_API int DBp_get(int kind, void* rec, int* out1, int* out2)
{
    return guarded(0, [&] {
        const Project* project = openProject();
        if (!project || kind != TEVA_REC_SLOPE || !rec)
            return 0;
        const auto key = recordKey(kind, static_cast<const unsigned char*>(rec));
        if (!key)
            return 0;
        const RecordBytes* stored = project->data().find(kind, *key);
        if (!stored)
            return 0;
        // The handle is the slope's name number; the outputs tell its layer
        // code and vertex count.
        const int number = key->first;
        const SlopeRecord slope = decodeSlope(stored->data());
        const int lower = slope.lowerStorey;
        if (out1)
            *out1 = -(32768 * number + (lower > 0 ? lower : 0));
        if (out2)
            *out2 = slope.vertexCount;
        return number;
    });
}

TEVA_API short DB_put(int kind, const void* rec)
{
    return guarded<short>(TEVA_BAD_ARGUMENT, [&] {
        Project* project = openProject();
        if (!project)
            return static_cast<short>(TEVA_NOT_FOUND);
        return static_cast<short>(project->putRecord(kind, rec));
    });
}

TEVA_API short DB_del(int kind, const void* rec)
{
    return guarded<short>(TEVA_BAD_ARGUMENT, [&] {
        Project* project = openProject();
        if (!project)
            return static_cast<short>(TEVA_NOT_FOUND);
        return static_cast<short>(project->deleteRecord(kind, rec));
    });
}

TEVA_API short DB_Uhgget(int kind, int storey, void* rec)
{
    return guarded<short>(TEVA_BAD_ARGUMENT, [&] {
        const Project* project = openProject();
        if (!project)
            return static_cast<short>(TEVA_NOT_FOUND);
        if (kind != TEVA_NAME_STOREY || !rec)
            return static_cast<short>(TEVA_BAD_ARGUMENT);
        const auto& heights = project->data().storeyHeights;
        if (storey < 1 || storey > static_cast<int>(heights.size()))
            return static_cast<short>(TEVA_NOT_FOUND);
        putF64(static_cast<unsigned char*>(rec), 8,
                 heights[static_cast<std::size_t>(storey - 1)]);
        return static_cast<short>(TEVA_OK);
    });
}

} // extern "C"
