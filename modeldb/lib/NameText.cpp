#include "NameText.h"

#include <cstring>

namespace teva {

std::optional<std::string> readText(const char* text, std::size_t maxBytes)
{
    if (!text)
        return std::nullopt;
    // The caller's buffer may be exactly maxBytes + 1 long: never read past it.
    const void* end = std::memchr(text, '\0', maxBytes + 1);
    if (!end)
        return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - text);
    std::string result(text, length);
    if (!isUtf8(result))
        return std::nullopt;
    return result;
}

std::optional<std::string> readName(const char* text)
{
    auto name = readText(text, kMaxNameBytes);
    if (!name || name->empty())
        return std::nullopt;
    return name;
}

std::optional<std::string> readLabel(const char* text)
{
    if (!text)
        return std::nullopt;
    const void* end = std::memchr(text, '\0', kNameBufferBytes);
    std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - text)
                             : kMaxNameBytes;
    // Byte `length` is the first one left out: when it continues a
    // character, that character is left out whole.
    if (!end)
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    std::string label(text, length);
    if (label.empty() || !isUtf8(label))
        return std::nullopt;
    return label;
}

bool isUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t extra;
        unsigned int code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            code = code << 6 | (cc & 0x3F);
        }
        static constexpr unsigned int kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

void copyName(const std::string& name, char* out)
{
    const std::size_t length = name.size() < kMaxNameBytes ? name.size() : kMaxNameBytes;
    std::memcpy(out, name.data(), length);
    out[length] = '\0';
}

} // namespace teva
