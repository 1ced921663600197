#pragma once
// Slope names as the user types them and as the model stores them.

#include <string>
#include <string_view>

// The model keeps names of at most 63 bytes (UTF-8).
inline constexpr size_t kSlopeNameMaxBytes = 63;

// The typed text without any half-width space (U+0020) or full-width space
// (U+3000), wherever they stand. `text` is UTF-8.
std::string NormalizeSlopeName(std::string_view text);

// Whether the model can store `name` (a normalised name) as it is.
inline bool SlopeNameFits(std::string_view name) { return name.size() <= kSlopeNameMaxBytes; }
