#include "model/SlopeName.h"

std::string NormalizeSlopeName(std::string_view text) {
    // U+3000 in UTF-8; no other character's encoding contains these bytes
    // in this order at a character boundary.
    constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
    std::string name;
    name.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text.substr(i, kIdeographicSpace.size()) == kIdeographicSpace) {
            i += kIdeographicSpace.size();
        } else {
            name.push_back(text[i++]);
        }
    }
    return name;
}
