// The module's one export. The host calls it with no arguments; it returns 0
// after a session and -1 when the session was refused.

#include "ExecutablePath.h"
#include "session/Session.h"

extern "C" __attribute__((visibility("default"))) int DLL_FUNC(void) {
    return RunSession(platform::ExecutableDirectory());
}
