#pragma once
// The process-wide busy flag: set while the slope outlines are rebuilt from
// the model. Painting waits while it is set.

bool IsShapeListBusy();

// Sets the flag for the life of a scope; the flag is cleared on every way
// out, including a build that stops early.
class ShapeListBusyScope {
public:
    ShapeListBusyScope();
    ~ShapeListBusyScope();
    ShapeListBusyScope(const ShapeListBusyScope&) = delete;
    ShapeListBusyScope& operator=(const ShapeListBusyScope&) = delete;
};
