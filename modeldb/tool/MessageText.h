// Pieces of the tool's messages: names quoted as JSON strings and numbers
// written as briefly as they read back.
#ifndef TEVA_MESSAGETEXT_H
#define TEVA_MESSAGETEXT_H

#include <string>
#include <string_view>

namespace teva {

// `s` as a quoted JSON string: quotes, backslashes and control characters
// escaped, other UTF-8 kept as it is (bytes that are not UTF-8 become U+FFFD).
std::string jsonQuoted(std::string_view s);

// The shortest text that reads back to `v`; whole numbers of moderate size
// without a fraction or exponent ("3000", "-0.5", "1e+300"); "inf", "nan".
std::string formatNumber(double v);

} // namespace teva

#endif
