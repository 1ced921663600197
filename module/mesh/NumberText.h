#pragma once
// Number <-> text conversions for the settings and mesh files. They follow the
// C library's atoi/atol/atof and "%.Nf" rules but never depend on the process
// locale: a desktop session may run with a locale whose decimal separator is
// a comma, and the files must still read and write "1.5".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace textnum {

// atoi/atol: leading white space skipped, optional sign, decimal digits up to
// the first other character; no digits gives 0. Values beyond 32 bits clamp to
// the 32-bit range (what a 32-bit long does).
int32_t AtoI(std::string_view text);
inline int32_t AtoL(std::string_view text) { return AtoI(text); }

// atof: leading white space skipped, the longest prefix that is a decimal
// floating-point number; no number gives 0. Infinities, NaN and values that
// overflow a double read as 0, so a file can never plant them in the editor.
double AtoF(std::string_view text);

// printf "%.<decimals>f" in the "C" locale (round half to even on the exact
// binary value, as glibc and the MSVC runtime do).
std::string FormatFixed(double value, int decimals);

// "%d".
std::string FormatInt(int64_t value);

// One scanf-style field: skips leading white space, then reads an integer or
// a floating-point number and advances `text` past it. Nothing when no number
// starts there (text is then unchanged).
std::optional<int32_t> ScanInt(std::string_view& text);
std::optional<double> ScanDouble(std::string_view& text);

}  // namespace textnum
