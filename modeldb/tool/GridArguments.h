// The storeys and grid lines of `teva new`, given on the command line as
// comma-separated NAME:VALUE lists, e.g. --storeys "1F:0,2F:3500,RF:7000"
// --x "X1:0,X2:6000" --y "Y1:0,Y2:5000".
#ifndef TEVA_GRIDARGUMENTS_H
#define TEVA_GRIDARGUMENTS_H

#include "BuildingDescription.h"

#include <string>
#include <string_view>
#include <vector>

namespace teva {

struct NamedValue {
    std::string name;
    double value = 0.0;
};

// Splits "A:1,B:2.5" into named values. A name is everything before the
// last ':' of an item, trimmed of spaces; the value a finite number. False
// with a message naming the offending item otherwise (also for an empty
// list or an empty item).
bool parseNamedValues(std::string_view list, const char* option, std::vector<NamedValue>& out,
                      std::string& error);

// A grid building: storeys as given; X lines run along Y at their x, from
// the smallest to the largest y line, Y lines along X likewise; `extend`
// mm added at both ends of every line.
BuildingDescription makeGridDescription(const std::string& title, const std::vector<NamedValue>& storeys,
                                        const std::vector<NamedValue>& xLines,
                                        const std::vector<NamedValue>& yLines, double extend);

} // namespace teva

#endif
