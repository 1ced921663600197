#include "MessageText.h"

#include "JsonDocument.h"

#include <charconv>
#include <cmath>

namespace teva {

std::string jsonQuoted(std::string_view s)
{
    return Json(std::string(s)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string formatNumber(double v)
{
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v < 0 ? "-inf" : "inf";
    // -0 reads as 0 to a user.
    if (v == 0)
        return "0";
    char buf[64];
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return std::to_string(static_cast<long long>(v));
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

} // namespace teva
