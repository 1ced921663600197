// A JSON text read with nlohmann::json, strictly: duplicate keys in one
// object are refused (the library would keep the last silently), and the
// document remembers where the values of its first levels stood, so that a
// reader can name the line of an entry beside its JSON path.
#ifndef TEVA_JSONDOCUMENT_H
#define TEVA_JSONDOCUMENT_H

#include "JsonPath.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace teva {

// Objects keep their members in the order of the text.
using Json = nlohmann::ordered_json;

// 1-based line and byte column in a text; 0 when unknown.
struct TextPosition {
    int line = 0;
    int column = 0;
};

struct JsonSyntaxError {
    TextPosition at;
    std::string message;  // one line, without the position
};

// Texts longer than this are refused before they are parsed: a building
// description is a few hundred kilobytes, and the parsed document takes
// several times the text's size in memory.
constexpr std::size_t kMaxJsonTextBytes = std::size_t{64} << 20;
// Arrays and objects nested deeper than this are refused.
constexpr int kMaxJsonDepth = 256;
// Positions are kept for values down to this depth (the root is depth 0);
// a deeper value is placed at its nearest ancestor that has one.
constexpr int kJsonPositionDepth = 4;

class JsonDocument {
public:
    const Json& root() const { return root_; }

    // Where the value at `path` begins in the text. For a path that goes
    // deeper than kJsonPositionDepth or names no value, the position of the
    // deepest value along it.
    TextPosition positionOf(const JsonPath& path) const;

private:
    friend class JsonDocumentBuilder;
    struct Node {
        TextPosition at;
        std::vector<Node> children;  // in the order of the members or items
    };

    Json root_;
    Node positions_;
};

// Parses `text` as exactly one JSON value (RFC 8259; a leading UTF-8
// byte-order mark is skipped). Refused, besides malformed syntax: texts over
// kMaxJsonTextBytes, invalid UTF-8, unpaired surrogate escapes, control
// characters in strings, numbers beyond the double range, duplicate keys
// in one object, nesting deeper than kMaxJsonDepth. On failure `error` says
// what and where, and `out` is left empty.
bool parseJsonDocument(std::string_view text, JsonDocument& out, JsonSyntaxError& error);

} // namespace teva

#endif
