// Helpers of the undo tests: the project as `teva` dumps and checks it, the
// library's own copy as its entries read it, and random writes.
#pragma once

#include "TempDir.h"
#include "tevalib.h"

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace modeldbtest {

// `teva dump FILE --json`: what a user sees of the file.
inline std::string dumpOf(const std::string& path)
{
    const auto result =
        testing_support::RunProcess(testing_support::BinDir() + "/teva", {"dump", path, "--json"});
    return result.exitCode == 0 ? result.out : "dump failed: " + result.err;
}

// True when `teva check FILE` finds the file sound.
inline bool toolChecks(const std::string& path)
{
    return testing_support::RunProcess(testing_support::BinDir() + "/teva", {"check", path})
               .exitCode == 0;
}

// Everything the entries read of the open project: the header, every record
// of every kind in key order, every name numbered up to 512, the storeys.
using Snapshot = std::vector<std::string>;

inline Snapshot snapshot()
{
    Snapshot lines;
    const struct {
        int kind;
        int size;
    } kinds[] = {{TEVA_REC_PROJECT, TEVA_SIZE_PROJECT},     {TEVA_REC_LEVEL, TEVA_SIZE_LEVEL},
                 {TEVA_REC_AXIS_LINE, TEVA_SIZE_AXIS_LINE}, {TEVA_REC_AXIS_POINT, TEVA_SIZE_AXIS_POINT},
                 {TEVA_REC_SLOPE, TEVA_SIZE_SLOPE},         {TEVA_REC_SLOPE_EDGE, TEVA_SIZE_SLOPE_EDGE},
                 {TEVA_REC_MESH_FILE, TEVA_SIZE_MESH_FILE}};
    std::vector<char> record(TEVA_SIZE_MESH_FILE);
    for (const auto& k : kinds) {
        DB_getr(k.kind, nullptr);
        while (DB_getr(k.kind, record.data()) == 0)
            lines.push_back(std::to_string(k.kind) + ":" + std::string(record.data(), static_cast<std::size_t>(k.size)));
    }
    char text[64];
    for (int kind = 1; kind <= 4; ++kind)
        for (short number = 1; number <= 512; ++number)
            if (DB_Usino(kind, number, text) == 0)
                lines.push_back("name " + std::to_string(kind) + "/" + std::to_string(number) + ":" + text);
    lines.push_back("storeys " + std::to_string(sp_GetMaxSeqLay()));
    return lines;
}

// One random write of the kinds the editor makes (some are refused or
// change nothing: a missing key, a taken name).
inline void randomWrite(std::mt19937& rng)
{
    const auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const auto i16 = [](unsigned char* at, int value) {
        at[0] = static_cast<unsigned char>(value & 0xFF);
        at[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
    };
    const int kind = 2 + below(3);
    const std::string text = "n" + std::to_string(below(40));
    switch (below(7)) {
    case 0: {
        unsigned char level[TEVA_SIZE_LEVEL] = {2};
        i16(level + 2, 1 + below(20));
        i16(level + 4, 1);
        const double height = 100.0 * (1 + below(25));
        std::memcpy(level + 8, &height, sizeof height);
        DB_put(TEVA_REC_LEVEL, level);
        break;
    }
    case 1:
    case 2: {
        unsigned char mesh[TEVA_SIZE_MESH_FILE] = {};
        i16(mesh, 1 + below(20));
        const std::string file = "mesh" + std::to_string(below(1000));
        std::memcpy(mesh + 2, file.data(), file.size());
        (below(3) == 0 ? DB_del : DB_put)(TEVA_REC_MESH_FILE, mesh);
        break;
    }
    case 3: {
        unsigned char edge[TEVA_SIZE_SLOPE_EDGE] = {};
        i16(edge, 1 + below(5));
        i16(edge + 2, 5 + below(3));
        i16(edge + 4, 1 + below(6));
        (below(2) == 0 ? DB_del : DB_put)(TEVA_REC_SLOPE_EDGE, edge);
        break;
    }
    case 4: DB_Usno(kind, text.c_str()); break;
    case 5: DB_Usren(kind, static_cast<short>(1 + below(12)), text.c_str()); break;
    default: DB_Usdel(kind, static_cast<short>(1 + below(12))); break;
    }
}

} // namespace modeldbtest
