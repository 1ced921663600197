// A strict JSON reader (RFC 8259) that records the line and column of every
// value and reports the position of the first error.
#ifndef TEVA_JSONPARSER_H
#define TEVA_JSONPARSER_H

#include "JsonValue.h"

#include <string>
#include <string_view>

namespace teva {

struct JsonError {
    int line = 0;    // 1-based
    int column = 0;  // 1-based, counted in bytes
    std::string message;
};

struct JsonParseOptions {
    // Arrays and objects nested deeper than this are refused (the reader is
    // recursive; the limit keeps hostile input from exhausting the stack).
    int maxDepth = 256;
};

// Parses `text` as exactly one JSON value (surrounding white space allowed,
// a leading UTF-8 byte-order mark skipped). On success fills `out` and
// answers true; otherwise fills `error` and answers false.
//
// Refused, besides malformed syntax: invalid UTF-8, unpaired surrogate
// escapes, control characters inside strings, numbers too large for a double
// (small ones underflow to zero), duplicate keys in one object, nesting
// deeper than options.maxDepth.
bool parseJson(std::string_view text, JsonValue& out, JsonError& error,
               const JsonParseOptions& options = {});

} // namespace teva

#endif
