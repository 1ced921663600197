#include "ProjectCheck.h"

#include "Project.h"
#include "tevalib.h"

#include <cmath>

namespace teva {

namespace {

std::string text(const char* what, int number)
{
    return std::string(what) + " " + std::to_string(number);
}

bool hasName(const ProjectData& data, int kind, int number)
{
    return data.names[static_cast<std::size_t>(kind)].byNumber.count(number) != 0;
}

const std::map<RecordKey, RecordBytes>& recordsOf(const ProjectData& data, int kind)
{
    static const std::map<RecordKey, RecordBytes> none;
    const auto it = data.records.find(kind);
    return it == data.records.end() ? none : it->second;
}

void checkLevels(const ProjectData& data, std::vector<std::string>& problems)
{
    const int storeys = static_cast<int>(data.storeyHeights.size());
    for (const auto& [key, r] : recordsOf(data, TEVA_REC_LEVEL)) {
        const std::string level = text("level", key.first);
        const int type = readI16(r.data(), 0);
        if (type != 1 && type != 2)
            problems.push_back(level + ": type " + std::to_string(type) + " is no level type");
        if (!hasName(data, TEVA_NAME_SUBLAYER, key.first))
            problems.push_back(level + ": no sub-layer name of that number");
        if (!std::isfinite(readF64(r.data(), 8)))
            problems.push_back(level + ": the height is not a number");
        const int base = readI16(r.data(), 4);
        if (type == 2 && (base < 1 || base > storeys))
            problems.push_back(level + ": base storey " + std::to_string(base) + " does not exist");
        if (type == 1 && (storeys == 0 || readF64(r.data(), 8) < data.storeyHeights.front()))
            problems.push_back(level + ": lies below the first storey");
    }
}

void checkAxes(const ProjectData& data, std::vector<std::string>& problems)
{
    const auto& lines = recordsOf(data, TEVA_REC_AXIS_LINE);
    for (const auto& [key, r] : lines) {
        const std::string line = text("axis line", key.first);
        const int type = readI16(r.data(), 2);
        if (type < 0 || type > 3)
            continue; // lines of other types are not axes
        if (!hasName(data, TEVA_NAME_AXIS, readI16(r.data(), 4)))
            problems.push_back(line + ": no axis name of number " +
                               std::to_string(readI16(r.data(), 4)));
        const int count = readI16(r.data(), 8);
        if (count < 2) {
            problems.push_back(line + ": fewer than two points");
            continue;
        }
        for (int index = 2; index <= count; ++index)
            if (!data.find(TEVA_REC_AXIS_POINT, RecordKey{key.first, index}))
                problems.push_back(line + ": point " + std::to_string(index) + " is missing");
    }
    for (const auto& [key, r] : recordsOf(data, TEVA_REC_AXIS_POINT)) {
        const RecordBytes* line = data.find(TEVA_REC_AXIS_LINE, RecordKey{key.first, 0});
        if (!line || key.second > readI16(line->data(), 8))
            problems.push_back(text("axis point", key.second) + " of axis line " +
                               std::to_string(key.first) + ": belongs to no line");
    }
}

void checkSlopes(const ProjectData& data, const ModelTopology& model,
                 std::vector<std::string>& problems)
{
    for (const auto& [key, r] : recordsOf(data, TEVA_REC_SLOPE)) {
        const std::string slope = text("slope", key.first);
        if (!hasName(data, TEVA_NAME_SLOPE, key.first))
            problems.push_back(slope + ": no slope name of that number");
        const int vertices = readI16(r.data(), 10);
        if (vertices < 3) {
            problems.push_back(slope + ": fewer than three vertices");
            continue;
        }
        // Missing edges are told once per slope: a damaged vertex count may
        // name thousands of them.
        int missing = 0, firstMissing = 0;
        for (int e = 1; e <= vertices; ++e) {
            int name = 0;
            if (e <= 4) {
                name = readI16(r.data(), static_cast<std::size_t>(2 * e));
            } else if (const RecordBytes* edge = data.find(TEVA_REC_SLOPE_EDGE, RecordKey{key.first, e})) {
                name = readI16(edge->data(), 4);
            } else {
                if (missing++ == 0)
                    firstMissing = e;
                continue;
            }
            if (model.axisByName(name) < 1)
                problems.push_back(slope + ": the axis of edge " + std::to_string(e) +
                                   " does not exist");
        }
        if (missing == 1)
            problems.push_back(slope + ": edge " + std::to_string(firstMissing) + " is missing");
        else if (missing > 1)
            problems.push_back(slope + ": " + std::to_string(missing) + " edges are missing, the first is edge " +
                               std::to_string(firstMissing));
        const int lowerSub = readI16(r.data(), 16);
        const int upperSub = readI16(r.data(), 26);
        const int lower = readI16(r.data(), 14) + 32768 * (lowerSub > 0 ? lowerSub : 0);
        const int upper = readI16(r.data(), 24) + 32768 * (upperSub > 0 ? upperSub : 0);
        if (lower < 1 || !model.layer(lower))
            problems.push_back(slope + ": the lower layer does not exist");
        if (upper < 1 || !model.layer(upper))
            problems.push_back(slope + ": the upper layer does not exist");
        const int mesh = readI16(r.data(), 32);
        if (readI16(r.data(), 22) == 5 && !data.find(TEVA_REC_MESH_FILE, RecordKey{mesh, 0}))
            problems.push_back(slope + ": mesh file record " + std::to_string(mesh) +
                               " does not exist");
    }
    for (const auto& [key, r] : recordsOf(data, TEVA_REC_SLOPE_EDGE)) {
        const RecordBytes* slope = data.find(TEVA_REC_SLOPE, RecordKey{key.first, 0});
        if (!slope || key.second > readI16(slope->data(), 10))
            problems.push_back(text("edge", key.second) + " of slope " +
                               std::to_string(key.first) + ": belongs to no slope");
    }
}

} // namespace

std::vector<std::string> checkProject(Project& project)
{
    std::vector<std::string> problems = project.file().integrityProblems();
    const ProjectData& data = project.data();
    for (std::size_t k = 1; k <= data.storeyHeights.size(); ++k)
        if (!hasName(data, TEVA_NAME_STOREY, static_cast<int>(k)))
            problems.push_back(text("storey", static_cast<int>(k)) + ": has no name");
    // The records are checked against the model derived from them now, not
    // against the one of the last restructure.
    const ModelTopology model = ModelTopology::build(data);
    checkLevels(data, problems);
    checkAxes(data, problems);
    checkSlopes(data, model, problems);
    return problems;
}

} // namespace teva
