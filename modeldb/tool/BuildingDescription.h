// A building described for import: storeys, axes, levels and slopes by
// name, as read from a JSON description or made from the command line, and
// the checks that make it writable as a project.
#ifndef TEVA_BUILDINGDESCRIPTION_H
#define TEVA_BUILDINGDESCRIPTION_H

#include "AxisCrossing.h"

#include <string>
#include <vector>

namespace teva {

// Each entry remembers the line of its description it came from (0 when it
// was not read from a file).
struct StoreyEntry {
    std::string name;
    double height = 0.0;  // floor height, mm
    int line = 0;
};

struct AxisEntry {
    std::string name;
    PlanSegment segment;
    int type = 0;  // axis line type, 0-3
    int line = 0;
};

struct LevelEntry {
    std::string name;
    int type = 2;         // 1 absolute, 2 above its storey
    std::string storey;   // base storey; may be empty for type 1
    double height = 0.0;  // absolute (type 1) or above the storey (type 2)
    int line = 0;
};

// A layer named in a slope: a storey, optionally one of its levels.
struct LayerName {
    std::string storey;  // may be empty when `level` is given
    std::string level;   // empty: the storey's main layer
    int line = 0;
};

struct SlopeEntry {
    std::string name;
    std::vector<std::string> edges;  // axis names, in order round the outline
    LayerName lower;
    LayerName upper;
    std::string bottom;  // axis of the edge at the lower layer
    std::string top;     // axis of the edge at the upper layer
    int line = 0;
    int edgesLine = 0;
    int bottomLine = 0;
    int topLine = 0;
};

struct BuildingDescription {
    std::string title;
    std::vector<StoreyEntry> storeys;
    std::vector<AxisEntry> axes;
    std::vector<LevelEntry> levels;
    std::vector<SlopeEntry> slopes;
};

// What went wrong and where: `entry` names the offending entry, e.g.
// `slopes[1] "South roof"`; `column` is given for syntax errors.
struct DescriptionError {
    int line = 0;
    int column = 0;
    std::string entry;
    std::string message;

    // One line: "FILE:LINE[:COLUMN]: ENTRY: MESSAGE" (parts that are empty
    // or 0 left out).
    std::string text(const std::string& file = {}) const;
};

// A layer resolved to numbers: storey number (1 = lowest), level index into
// BuildingDescription::levels or -1, and its height.
struct ResolvedLayer {
    int storey = 0;
    int level = -1;
    double height = 0.0;
};

struct ResolvedSlope {
    std::vector<int> edgeAxes;  // indices into BuildingDescription::axes
    ResolvedLayer lower;
    ResolvedLayer upper;
    int bottomAxis = -1;
    int topAxis = -1;
    // Corner j joins edges j and j+1 (the last joins the last edge and the
    // first); corners on the bottom axis lie at the lower layer's height,
    // others on the top axis at the upper layer's.
    std::vector<PlanPoint> corners;
    int bottomCorners = 0;
    int topCorners = 0;
};

struct ResolvedDescription {
    std::vector<int> storeyOrder;   // description indices in ascending height
    std::vector<int> levelStorey;   // storey number each level belongs to
    std::vector<double> levelHeight;  // absolute height of each level
    std::vector<ResolvedSlope> slopes;
};

// Limits the records impose: 16-bit name, line and storey numbers; names of
// 1-63 bytes; the project title in a 200-byte record.
constexpr int kMaxNameBytes = 63;
constexpr int kMaxTitleBytes = 199;
constexpr int kMaxEntries = 32767;
constexpr double kMaxCoordinate = 1.0e8;  // mm, beyond any building
// How far (mm) a slope's bottom or top corner may lie off the plane fitted
// through them: the project's check allows 1 mm on corner heights that
// come back as floats, half of which is kept for their rounding.
constexpr double kPlaneTolerance = 0.5;

// Checks everything that writing the project relies on (a slope's
// corners on its bottom and top axes lying in one plane included) and
// resolves the names. Answers false with the first problem in `error`.
bool resolveDescription(const BuildingDescription& d, ResolvedDescription& out,
                        DescriptionError& error);

} // namespace teva

#endif
