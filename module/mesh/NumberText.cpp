#include "mesh/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace textnum {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void SkipBlanks(std::string_view& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    text.remove_prefix(i);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads [sign]digits, clamping to 32 bits; advances past what it read.
std::optional<int32_t> ReadInt(std::string_view& text) {
    std::string_view t = text;
    SkipBlanks(t);
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty() || !IsDigit(t[0])) return std::nullopt;
    int64_t value = 0;
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    while (!t.empty() && IsDigit(t[0])) {
        if (value < limit) value = std::min<int64_t>(limit, value * 10 + (t[0] - '0'));
        t.remove_prefix(1);
    }
    text = t;
    return static_cast<int32_t>(negative ? -value : value);
}

// Reads a finite decimal floating-point number; advances past it.
std::optional<double> ReadDouble(std::string_view& text) {
    std::string_view t = text;
    SkipBlanks(t);
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; only digits or a point
    // followed by a digit start a number here.
    if (t.empty()) return std::nullopt;
    if (!IsDigit(t[0]) && !(t[0] == '.' && t.size() > 1 && IsDigit(t[1]))) return std::nullopt;
    double value = 0.0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value,
                                     std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    t.remove_prefix(static_cast<size_t>(end - t.data()));
    text = t;
    return negative ? -value : value;
}

}  // namespace

int32_t AtoI(std::string_view text) { return ReadInt(text).value_or(0); }

double AtoF(std::string_view text) { return ReadDouble(text).value_or(0.0); }

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string FormatInt(int64_t value) { return std::to_string(value); }

std::optional<int32_t> ScanInt(std::string_view& text) { return ReadInt(text); }

std::optional<double> ScanDouble(std::string_view& text) { return ReadDouble(text); }

}  // namespace textnum
