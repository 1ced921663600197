#pragma once
// New axis lines in the model: a two-point axis with a generated name, and
// the test whether a new axis would lie on the straight line of an existing
// one. Records are written through the shared record codec; the caller
// restructures the model.

#include <cstdint>
#include <optional>
#include <string>

#include "model/Vec3d.h"

enum class AxisAddStatus {
    Added,
    CapacityExhausted,  // the next line id would pass 32767; nothing written
    Failed              // a name or record could not be written; nothing left
};

struct AxisAddition {
    AxisAddStatus status = AxisAddStatus::Failed;
    std::string name;  // the new axis's name when added
    int16_t lineId = 0;
};

// The first free axis name "1'", "2'", … (a name DB_Usfind answers -2 for),
// or nothing when a lookup fails or every number up to 32767 is taken.
std::optional<std::string> FreeAxisName();

// Adds a type-2 axis line from `first` to `second` (plan points; z is
// ignored) named with FreeAxisName(), on the name code of layer 1, with line
// id 1 + the largest in use. Shows nothing: the caller tells the user (see
// AxisAdditionMessage). The line id is checked before anything is written;
// when the point record cannot be written the line record and the new name
// are removed again, so that no line without its second point is left.
AxisAddition AddAxisLine(const Vec3d& first, const Vec3d& second);

// The message for an addition: "…軸を追加しました。", the capacity message, or
// the write failure.
std::string AxisAdditionMessage(const AxisAddition& addition);

// -1 when the plan segment P1-P2 lies on the straight line of an existing
// axis segment (parallel within a sine of 1e-9 and within 0.001 of its line),
// 0 otherwise. It is 0 at once when the nodes standing within 40 of P1 and
// of P2 (taken at height 0) are the ends of a span.
int AxisOnExtension(const Vec3d& p1, const Vec3d& p2);
