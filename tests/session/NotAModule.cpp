// A library that loads but exports no DLL_FUNC.
extern "C" __attribute__((visibility("default"))) int something_else(void) { return 7; }
