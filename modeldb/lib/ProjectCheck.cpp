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
        const LevelRecord l = decodeLevel(r.data());
        const int type = l.type;
        if (type != 1 && type != 2)
            problems.push_back(level + ": type " + std::to_string(type) + " is no level type");
        if (!hasName(data, TEVA_NAME_SUBLAYER, key.first))
            problems.push_back(level + ": no sub-layer name of that number");
        if (!std::isfinite(l.height))
            problems.push_back(level + ": the height is not a number");
        const int base = l.baseLayer;
        if (type == 2 && (base < 1 || base > storeys))
            problems.push_back(level + ": base storey " + std::to_string(base) + " does not exist");
        if (type == 1 && (storeys == 0 || l.height < data.storeyHeights.front()))
            problems.push_back(level + ": lies below the first storey");
    }
}

void checkAxes(const ProjectData& data, std::vector<std::string>& problems)
{
    const auto& lines = recordsOf(data, TEVA_REC_AXIS_LINE);
    for (const auto& [key, r] : lines) {
        const std::string line = text("axis line", key.first);
        const AxisLineRecord a = decodeAxisLine(r.data());
        const int type = a.type;
        if (type < 0 || type > 3)
            continue; // lines of other types are not axes
        if (!hasName(data, TEVA_NAME_AXIS, a.nameNumber))
            problems.push_back(line + ": no axis name of number " + std::to_string(a.nameNumber));
        const int count = a.pointCount;
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
        if (!line || key.second > decodeAxisLine(line->data()).pointCount)
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
        const SlopeRecord s = decodeSlope(r.data());
        const int vertices = s.vertexCount;
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
                name = s.edgeAxis[e - 1];
            } else if (const RecordBytes* edge = data.find(TEVA_REC_SLOPE_EDGE, RecordKey{key.first, e})) {
                name = decodeSlopeEdge(edge->data()).axis;
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
        const int lower = s.lowerStorey + 32768 * (s.lowerSub > 0 ? s.lowerSub : 0);
        const int upper = s.upperStorey + 32768 * (s.upperSub > 0 ? s.upperSub : 0);
        if (lower < 1 || !model.layer(lower))
            problems.push_back(slope + ": the lower layer does not exist");
        if (upper < 1 || !model.layer(upper))
            problems.push_back(slope + ": the upper layer does not exist");
        const int mesh = s.meshRecord;
        if (s.definition == SlopeRecord::meshDefinition &&
            !data.find(TEVA_REC_MESH_FILE, RecordKey{mesh, 0}))
            problems.push_back(slope + ": mesh file record " + std::to_string(mesh) +
                               " does not exist");
    }
    for (const auto& [key, r] : recordsOf(data, TEVA_REC_SLOPE_EDGE)) {
        const RecordBytes* slope = data.find(TEVA_REC_SLOPE, RecordKey{key.first, 0});
        if (!slope || key.second > decodeSlope(slope->data()).vertexCount)
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
