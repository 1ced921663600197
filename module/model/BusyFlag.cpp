#include "model/BusyFlag.h"

namespace {
// One thread uses it; a plain integer as the painting loop polls it.
int g_busy = 0;
}  // namespace

bool IsShapeListBusy() { return g_busy != 0; }

ShapeListBusyScope::ShapeListBusyScope() { g_busy = 1; }
ShapeListBusyScope::~ShapeListBusyScope() { g_busy = 0; }
