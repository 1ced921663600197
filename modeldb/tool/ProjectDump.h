// A readable account of the open project: names by kind, layers with codes
// and heights, axes, crossing and node counts, slopes with their outlines
// and planes, and every record decoded field by field.
#ifndef TEVA_PROJECTDUMP_H
#define TEVA_PROJECTDUMP_H

#include "JsonDocument.h"

#include <string>

namespace teva {

// Collects the dump of the open project (after recomputing the model) as a
// JSON document:
// { "title", "names": {"storey"|"axis"|"sublayer"|"slope": [{number, name}]},
//   "storeys": [{number, name, height}],
//   "layers": [{index, code, kind, label, height, nodes, spans}],
//   "axes": [{number, nameCode, name, from: [x, y], to: [x, y]}],
//   "crossings", "nodes",
//   "slopes": [{code, number, name, edges: [axis names], corners: [{axes,
//               crossing, node, position: [x, y, z]}], plane: {a, b, c,
//               pitchDegrees} (z = a x + b y + c) or null}],
//   "records": {"project": {...}, "levels": [...], "axisLines": [...],
//               "axisPoints": [...], "slopes": [...], "slopeEdges": [...],
//               "meshFiles": [...]} }
Json collectDump();

// The same document as aligned text for a reader.
std::string formatDump(const Json& dump);

} // namespace teva

#endif
