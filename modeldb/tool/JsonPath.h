// Where a value stands in a JSON document: the keys and indices from the
// root, written as a JSON pointer (RFC 6901), e.g. `/slopes/2/edges/1`.
#ifndef TEVA_JSONPATH_H
#define TEVA_JSONPATH_H

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace teva {

class JsonPath {
public:
    using Step = std::variant<std::string, std::size_t>;  // member key or array index

    JsonPath() = default;

    // A path one step further down.
    JsonPath operator/(std::string key) const;
    JsonPath operator/(std::size_t index) const;

    const std::vector<Step>& steps() const { return steps_; }

    // The JSON pointer text: "" for the root, "~" and "/" in keys escaped
    // as "~0" and "~1".
    std::string text() const;

private:
    std::vector<Step> steps_;
};

} // namespace teva

#endif
