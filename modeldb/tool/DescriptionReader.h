// Reads a building description from its JSON text.
//
// {
//   "title": "Office",                                   (optional)
//   "storeys": [ {"name": "1F", "height": 0}, ... ],
//   "axes":    [ {"name": "X1", "from": [0, 0], "to": [0, 18000],
//                 "type": 0 (optional, 0-3)}, ... ],
//   "levels":  [ {"name": "M", "type": 2, "storey": "2F", "height": 1500},
//                {"name": "EV", "type": 1, "height": 9000}, ... ],  (optional)
//   "slopes":  [ {"name": "South", "edges": ["Y1", "X5", "YR", "X1"],
//                 "lower": "RF", "upper": {"storey": "R", "level": "..."},
//                 "bottom": "Y1", "top": "YR"}, ... ]              (optional)
// }
//
// A "comment" member is allowed (and ignored) in every object; any other
// unknown member is an error, so that a misspelt key is not silently lost.
// A value of the wrong type, out of range or missing is reported with its
// JSON path (e.g. `/slopes/2/edges/1`) and the line it stands on.
#ifndef TEVA_DESCRIPTIONREADER_H
#define TEVA_DESCRIPTIONREADER_H

#include "BuildingDescription.h"
#include "JsonDocument.h"

#include <string_view>

namespace teva {

// Fills `out` from a parsed document. Checks shapes and types only; the
// model checks are resolveDescription's.
bool readDescription(const JsonDocument& doc, BuildingDescription& out, DescriptionError& error);

// Parses and reads `text`; a syntax error is reported with its line and
// column, a text over kMaxJsonTextBytes is refused unread.
bool readDescriptionText(std::string_view text, BuildingDescription& out, DescriptionError& error);

} // namespace teva

#endif
