// Sanitizer settings built into the test programs of the sanitizer build.

#include <cstdlib>

extern "C" {

// Leaks inside system libraries that a test cannot avoid.
const char* __lsan_default_suppressions() {
    return "leak:libQt6\n"
           "leak:libdbus\n"
           "leak:libfontconfig\n"
           "leak:libxcb\n"
           "leak:libX11\n"
           "leak:libGLX\n"
           "leak:libEGL\n";
}

#ifdef TORMEL_TEST_WITHOUT_LEAK_CHECK
// Mesa's OpenGL driver leaks when it is unloaded at exit, from a library
// that is gone by the time leaks are reported.
const char* __asan_default_options() { return "detect_leaks=0"; }
#endif
}

#ifdef TORMEL_TEST_WITHOUT_LEAK_CHECK
namespace {
// The programs the test starts (tormel-host) load the same driver.
const int kChildren = setenv("ASAN_OPTIONS", "detect_leaks=0", 0);
}  // namespace
#endif
