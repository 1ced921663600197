#include "SlopeDeletion.h"

#include "MessageText.h"
#include "RecordLayouts.h"
#include "tevalib.h"

#include <vector>

namespace teva {

namespace {

bool refused(const std::string& what, int result, std::string& error)
{
    error = "deleting " + what + " was refused (result " + std::to_string(result) + ")";
    const char* why = teva_last_error();
    if (why && *why)
        error += ": " + std::string(why);
    return false;
}

} // namespace

bool deleteSlope(const std::string& name, DeletedSlope& result, std::string& error)
{
    result = DeletedSlope{};
    // DB_Usfind reads at most 64 bytes: a longer text could match a name
    // that is only its beginning.
    const short number = name.size() < 64 ? DB_Usfind(TEVA_NAME_SLOPE, name.c_str()) : -2;
    if (number < 1) {
        error = "there is no slope named " + jsonQuoted(name);
        return false;
    }
    result.number = number;

    unsigned char slope[TEVA_SIZE_SLOPE] = {};
    putI16(slope, 0, number);
    if (DB_get(TEVA_REC_SLOPE, slope) == 0) {
        if (const int res = DB_del(TEVA_REC_SLOPE, slope); res != 0)
            return refused("the slope record of " + jsonQuoted(name), res, error);
        result.record = true;
    }

    // All edge records of the number, not only 5 ... n: a damaged vertex
    // count must not leave strays behind.
    std::vector<int> edges;
    DB_getr(TEVA_REC_SLOPE_EDGE, nullptr);
    unsigned char edge[TEVA_SIZE_SLOPE_EDGE];
    for (int i = 0; i < (1 << 20) && DB_getr(TEVA_REC_SLOPE_EDGE, edge) == 0; ++i) {
        const SlopeEdgeRecord e = decodeSlopeEdge(edge);
        if (e.slopeNumber == number)
            edges.push_back(e.edgeNumber);
    }
    for (int e : edges) {
        encode(SlopeEdgeRecord{number, static_cast<int16_t>(e), 0}, edge);
        if (const int res = DB_del(TEVA_REC_SLOPE_EDGE, edge); res != 0)
            return refused("edge record " + std::to_string(e) + " of " + jsonQuoted(name), res, error);
        ++result.edgeRecords;
    }

    if (const int res = DB_Usdel(TEVA_NAME_SLOPE, number); res != 0)
        return refused("the slope name " + jsonQuoted(name), res, error);
    return true;
}

} // namespace teva
