// Removing a slope from the open project by its name, as the editor does
// when it deletes one, but also when its outline is invalid (an edge axis
// gone, a layer gone), which the editor cannot show and so cannot delete.
#ifndef TEVA_SLOPEDELETION_H
#define TEVA_SLOPEDELETION_H

#include <string>

namespace teva {

struct DeletedSlope {
    int number = 0;       // its kind-4 name number (= slope number)
    bool record = false;  // a slope record (kind 18) was deleted
    int edgeRecords = 0;  // slope edge records (kind 19) deleted
};

// Deletes the slope named `name`: its slope record, every slope edge record
// of its number (edges 5 ... n, and any stray one beyond n) and its kind-4
// name, in that order, so that an interrupted deletion leaves records that
// the check reports and a second run removes. A name without records (left
// by such an interruption) is removed alone.
//
// An unknown name writes nothing and answers false with a one-line
// `error`; so does a refused write, after which the deletions before it
// stay done.
bool deleteSlope(const std::string& name, DeletedSlope& result, std::string& error);

} // namespace teva

#endif
