#include "JsonPath.h"

namespace teva {

JsonPath JsonPath::operator/(std::string key) const
{
    JsonPath p = *this;
    p.steps_.emplace_back(std::move(key));
    return p;
}

JsonPath JsonPath::operator/(std::size_t index) const
{
    JsonPath p = *this;
    p.steps_.emplace_back(index);
    return p;
}

std::string JsonPath::text() const
{
    std::string out;
    for (const Step& step : steps_) {
        out += '/';
        if (const auto* index = std::get_if<std::size_t>(&step)) {
            out += std::to_string(*index);
            continue;
        }
        for (char c : std::get<std::string>(step)) {
            if (c == '~')
                out += "~0";
            else if (c == '/')
                out += "~1";
            else
                out += c;
        }
    }
    return out;
}

} // namespace teva
