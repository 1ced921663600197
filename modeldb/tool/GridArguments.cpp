#include "GridArguments.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace teva {

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool parseNamedValues(std::string_view list, const char* option, std::vector<NamedValue>& out,
                      std::string& error)
{
    out.clear();
    const std::string opt(option);
    if (trim(list).empty()) {
        error = opt + ": the list is empty";
        return false;
    }
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string_view item =
            trim(list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        const std::string shown = "\"" + std::string(item) + "\"";
        const size_t colon = item.rfind(':');
        if (item.empty()) {
            error = opt + ": empty item in the list";
            return false;
        }
        if (colon == std::string_view::npos) {
            error = opt + " item " + shown + ": expected NAME:VALUE";
            return false;
        }
        NamedValue v;
        v.name = std::string(trim(item.substr(0, colon)));
        const std::string number(trim(item.substr(colon + 1)));
        if (v.name.empty()) {
            error = opt + " item " + shown + ": the name is empty";
            return false;
        }
        char* end = nullptr;
        errno = 0;
        v.value = std::strtod(number.c_str(), &end);
        if (number.empty() || end != number.c_str() + number.size() || errno == ERANGE ||
            !std::isfinite(v.value)) {
            error = opt + " item " + shown + ": \"" + number + "\" is not a number";
            return false;
        }
        out.push_back(std::move(v));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return true;
}

BuildingDescription makeGridDescription(const std::string& title, const std::vector<NamedValue>& storeys,
                                        const std::vector<NamedValue>& xLines,
                                        const std::vector<NamedValue>& yLines, double extend)
{
    BuildingDescription d;
    d.title = title;
    for (const NamedValue& s : storeys)
        d.storeys.push_back({s.name, s.value, 0});
    auto range = [](const std::vector<NamedValue>& v) {
        double lo = 0, hi = 0;
        if (!v.empty()) {
            auto [mn, mx] = std::minmax_element(v.begin(), v.end(),
                                                [](const auto& a, const auto& b) { return a.value < b.value; });
            lo = mn->value;
            hi = mx->value;
        }
        return std::pair{lo, hi};
    };
    const auto [xLo, xHi] = range(xLines);
    const auto [yLo, yHi] = range(yLines);
    for (const NamedValue& x : xLines)
        d.axes.push_back({x.name, {{x.value, yLo - extend}, {x.value, yHi + extend}}, 0, 0});
    for (const NamedValue& y : yLines)
        d.axes.push_back({y.name, {{xLo - extend, y.value}, {xHi + extend, y.value}}, 0, 0});
    return d;
}

} // namespace teva
