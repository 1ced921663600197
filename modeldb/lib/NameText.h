// Safe reading of the texts callers pass in: names and titles.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace teva {

// Longest name in bytes; every name buffer holds this plus the terminator.
inline constexpr std::size_t kMaxNameBytes = 63;
inline constexpr std::size_t kNameBufferBytes = kMaxNameBytes + 1;

// Reads a zero-terminated text of at most `maxBytes` bytes from `text`,
// looking at no more than maxBytes + 1 bytes. Nothing for a null pointer, a
// text without a terminator in that window, or bytes that are not UTF-8.
std::optional<std::string> readText(const char* text, std::size_t maxBytes);

// readText for a name: at most 63 bytes, and not empty.
std::optional<std::string> readName(const char* text);

// A step label: the zero-terminated UTF-8 text at `text`, read no further
// than 64 bytes. A longer text is cut after its last whole character within
// the first 63 bytes. Nothing for a null pointer, an empty text, or bytes
// that are not UTF-8.
std::optional<std::string> readLabel(const char* text);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isUtf8(std::string_view bytes);

// Copies `name` (at most 63 bytes) zero-terminated into a 64-byte buffer.
void copyName(const std::string& name, char* out);

} // namespace teva
