#include "BuildingDescription.h"

#include "MessageText.h"
#include "lib/PlaneFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>

namespace teva {

std::string DescriptionError::text(const std::string& file) const
{
    std::string s;
    if (!file.empty())
        s += file + ":";
    if (line > 0)
        s += std::to_string(line) + ":";
    if (line > 0 && column > 0)
        s += std::to_string(column) + ":";
    if (!s.empty())
        s += " ";
    if (!entry.empty())
        s += entry + ": ";
    s += message;
    return s;
}

namespace {

std::string entryOf(const char* list, size_t i, const std::string& name)
{
    return std::string(list) + "[" + std::to_string(i) + "] " + jsonQuoted(name);
}

std::string mm(double v)
{
    return formatNumber(v);
}

class Resolver {
public:
    Resolver(const BuildingDescription& d, ResolvedDescription& out, DescriptionError& error)
        : d_(d), out_(out), error_(error) {}

    bool run()
    {
        out_ = ResolvedDescription{};
        return title() && storeys() && axes() && levels() && slopes();
    }

private:
    bool fail(int line, std::string entry, std::string message)
    {
        error_.line = line;
        error_.entry = std::move(entry);
        error_.message = std::move(message);
        return false;
    }

    bool checkName(const std::string& name, int line, const std::string& entry)
    {
        if (name.empty())
            return fail(line, entry, "the name is empty");
        if (name.size() > kMaxNameBytes)
            return fail(line, entry, "the name is longer than " + std::to_string(kMaxNameBytes) +
                                         " bytes");
        if (name.find('\0') != std::string::npos)
            return fail(line, entry, "the name contains a zero character");
        return true;
    }

    bool title()
    {
        if (d_.title.size() > kMaxTitleBytes)
            return fail(0, "title", "longer than " + std::to_string(kMaxTitleBytes) + " bytes");
        if (d_.title.find('\0') != std::string::npos)
            return fail(0, "title", "contains a zero character");
        return true;
    }

    bool storeys()
    {
        if (d_.storeys.empty())
            return fail(0, "storeys", "at least one storey is needed");
        if (d_.storeys.size() > kMaxEntries)
            return fail(0, "storeys", "more than " + std::to_string(kMaxEntries) + " storeys");
        for (size_t i = 0; i < d_.storeys.size(); ++i) {
            const StoreyEntry& s = d_.storeys[i];
            const std::string entry = entryOf("storeys", i, s.name);
            if (!checkName(s.name, s.line, entry))
                return false;
            if (!std::isfinite(s.height) || std::fabs(s.height) > kMaxCoordinate)
                return fail(s.line, entry, "height " + mm(s.height) + " is out of range");
            if (auto [it, fresh] = storeyByName_.emplace(s.name, i); !fresh)
                return fail(s.line, entry, "the name is already used by storeys[" +
                                               std::to_string(it->second) + "] (line " +
                                               std::to_string(d_.storeys[it->second].line) + ")");
        }
        out_.storeyOrder.resize(d_.storeys.size());
        std::iota(out_.storeyOrder.begin(), out_.storeyOrder.end(), 0);
        std::stable_sort(out_.storeyOrder.begin(), out_.storeyOrder.end(), [&](int a, int b) {
            return d_.storeys[a].height < d_.storeys[b].height;
        });
        for (size_t k = 1; k < out_.storeyOrder.size(); ++k) {
            const int a = out_.storeyOrder[k - 1], b = out_.storeyOrder[k];
            if (d_.storeys[b].height - d_.storeys[a].height < 1.0) {
                const int later = std::max(a, b), earlier = std::min(a, b);
                return fail(d_.storeys[later].line, entryOf("storeys", later, d_.storeys[later].name),
                            "height " + mm(d_.storeys[later].height) + " is within 1 mm of storey " +
                                jsonQuoted(d_.storeys[earlier].name) + " (" +
                                mm(d_.storeys[earlier].height) + ")");
            }
        }
        for (size_t k = 0; k < out_.storeyOrder.size(); ++k)
            storeyNumber_[static_cast<size_t>(out_.storeyOrder[k])] = static_cast<int>(k) + 1;
        return true;
    }

    int storeyNumberOf(const std::string& name) const
    {
        auto it = storeyByName_.find(name);
        return it == storeyByName_.end() ? 0 : storeyNumber_.at(it->second);
    }

    double storeyHeight(int number) const
    {
        return d_.storeys[static_cast<size_t>(out_.storeyOrder[static_cast<size_t>(number - 1)])].height;
    }

    const std::string& storeyName(int number) const
    {
        return d_.storeys[static_cast<size_t>(out_.storeyOrder[static_cast<size_t>(number - 1)])].name;
    }

    int storeyCount() const { return static_cast<int>(d_.storeys.size()); }

    bool axes()
    {
        if (d_.axes.size() > kMaxEntries)
            return fail(0, "axes", "more than " + std::to_string(kMaxEntries) + " axes");
        for (size_t i = 0; i < d_.axes.size(); ++i) {
            const AxisEntry& a = d_.axes[i];
            const std::string entry = entryOf("axes", i, a.name);
            if (!checkName(a.name, a.line, entry))
                return false;
            for (double v : {a.segment.a.x, a.segment.a.y, a.segment.b.x, a.segment.b.y}) {
                if (!std::isfinite(v) || std::fabs(v) > kMaxCoordinate)
                    return fail(a.line, entry, "coordinate " + mm(v) + " is out of range");
            }
            if (planDistance(a.segment.a, a.segment.b) < 1.0)
                return fail(a.line, entry, "its two points are less than 1 mm apart");
            if (a.type < 0 || a.type > 3)
                return fail(a.line, entry, "type " + std::to_string(a.type) + " is not 0-3");
            if (auto [it, fresh] = axisByName_.emplace(a.name, static_cast<int>(i)); !fresh)
                return fail(a.line, entry, "the name is already used by axes[" +
                                               std::to_string(it->second) + "] (line " +
                                               std::to_string(d_.axes[static_cast<size_t>(it->second)].line) + ")");
        }
        return true;
    }

    bool levels()
    {
        if (d_.levels.size() > kMaxEntries)
            return fail(0, "levels", "more than " + std::to_string(kMaxEntries) + " levels");
        for (size_t i = 0; i < d_.levels.size(); ++i) {
            const LevelEntry& l = d_.levels[i];
            const std::string entry = entryOf("levels", i, l.name);
            if (!checkName(l.name, l.line, entry))
                return false;
            if (!std::isfinite(l.height) || std::fabs(l.height) > kMaxCoordinate)
                return fail(l.line, entry, "height " + mm(l.height) + " is out of range");
            int storey = 0;
            double absolute = 0.0;
            if (l.type == 2) {
                storey = storeyNumberOf(l.storey);
                if (storey == 0)
                    return fail(l.line, entry, "no storey is named " + jsonQuoted(l.storey));
                if (l.height < 1.0)
                    return fail(l.line, entry, "a type-2 level must lie at least 1 mm above its storey");
                absolute = storeyHeight(storey) + l.height;
            } else if (l.type == 1) {
                absolute = l.height;
                for (int k = 1; k <= storeyCount(); ++k) {
                    if (storeyHeight(k) <= absolute)
                        storey = k;
                }
                if (storey == 0)
                    return fail(l.line, entry, "height " + mm(absolute) +
                                                   " lies below the lowest storey");
                if (absolute - storeyHeight(storey) < 1.0)
                    return fail(l.line, entry, "height " + mm(absolute) + " is that of storey " +
                                                   jsonQuoted(storeyName(storey)));
                if (!l.storey.empty() && storeyNumberOf(l.storey) != storey)
                    return fail(l.line, entry, "height " + mm(absolute) + " belongs to storey " +
                                                   jsonQuoted(storeyName(storey)) + ", not " +
                                                   jsonQuoted(l.storey));
            } else {
                return fail(l.line, entry, "type " + std::to_string(l.type) + " is not 1 or 2");
            }
            if (storey < storeyCount() && absolute > storeyHeight(storey + 1) - 1.0)
                return fail(l.line, entry, "height " + mm(absolute) + " is not below the next storey " +
                                               jsonQuoted(storeyName(storey + 1)) + " (" +
                                               mm(storeyHeight(storey + 1)) + ")");
            for (size_t j = 0; j < i; ++j) {
                if (out_.levelStorey[j] == storey && std::fabs(out_.levelHeight[j] - absolute) < 1.0)
                    return fail(l.line, entry, "lies within 1 mm of level " +
                                                   jsonQuoted(d_.levels[j].name) + " (line " +
                                                   std::to_string(d_.levels[j].line) + ")");
            }
            if (auto [it, fresh] = levelByName_.emplace(l.name, static_cast<int>(i)); !fresh)
                return fail(l.line, entry, "the name is already used by levels[" +
                                               std::to_string(it->second) + "]");
            out_.levelStorey.push_back(storey);
            out_.levelHeight.push_back(absolute);
        }
        return true;
    }

    bool layer(const LayerName& n, const char* which, const std::string& entry, ResolvedLayer& out)
    {
        const int line = n.line;
        out = ResolvedLayer{};
        if (!n.storey.empty()) {
            out.storey = storeyNumberOf(n.storey);
            if (out.storey == 0)
                return fail(line, entry, std::string(which) + " layer: no storey is named " +
                                             jsonQuoted(n.storey));
            out.height = storeyHeight(out.storey);
        }
        if (!n.level.empty()) {
            auto it = levelByName_.find(n.level);
            if (it == levelByName_.end())
                return fail(line, entry, std::string(which) + " layer: no level is named " +
                                             jsonQuoted(n.level));
            const int storey = out_.levelStorey[static_cast<size_t>(it->second)];
            if (out.storey != 0 && out.storey != storey)
                return fail(line, entry, std::string(which) + " layer: level " + jsonQuoted(n.level) +
                                             " belongs to storey " + jsonQuoted(storeyName(storey)) +
                                             ", not " + jsonQuoted(n.storey));
            out.storey = storey;
            out.level = it->second;
            out.height = out_.levelHeight[static_cast<size_t>(it->second)];
        }
        return true;
    }

    bool slopes()
    {
        if (d_.slopes.size() > kMaxEntries)
            return fail(0, "slopes", "more than " + std::to_string(kMaxEntries) + " slopes");
        std::map<std::string, size_t> byName;
        for (size_t i = 0; i < d_.slopes.size(); ++i) {
            const SlopeEntry& s = d_.slopes[i];
            const std::string entry = entryOf("slopes", i, s.name);
            if (!checkName(s.name, s.line, entry))
                return false;
            if (auto [it, fresh] = byName.emplace(s.name, i); !fresh)
                return fail(s.line, entry, "the name is already used by slopes[" +
                                               std::to_string(it->second) + "]");
            ResolvedSlope r;
            const int edgesLine = s.edgesLine ? s.edgesLine : s.line;
            const size_t n = s.edges.size();
            if (n < 3)
                return fail(edgesLine, entry, "a slope needs at least 3 edges");
            if (n > kMaxEntries)
                return fail(edgesLine, entry, "too many edges");
            for (const std::string& e : s.edges) {
                auto it = axisByName_.find(e);
                if (it == axisByName_.end())
                    return fail(edgesLine, entry, "edge axis " + jsonQuoted(e) + " does not exist");
                r.edgeAxes.push_back(it->second);
            }
            for (size_t j = 0; j < n; ++j) {
                const int a = r.edgeAxes[j], b = r.edgeAxes[(j + 1) % n];
                const std::string pair = jsonQuoted(s.edges[j]) + " and " + jsonQuoted(s.edges[(j + 1) % n]);
                if (a == b)
                    return fail(edgesLine, entry, "edges " + pair + " follow each other on the same axis");
                PlanPoint at;
                if (!crossAxes(d_.axes[static_cast<size_t>(a)].segment,
                               d_.axes[static_cast<size_t>(b)].segment, at))
                    return fail(edgesLine, entry, "edge axes " + pair + " do not cross");
                r.corners.push_back(at);
            }
            for (size_t j = 0; j < n; ++j) {
                if (planDistance(r.corners[j], r.corners[(j + 1) % n]) < 1.0)
                    return fail(edgesLine, entry, "edge " + jsonQuoted(s.edges[(j + 1) % n]) +
                                                      " has no length: its corners coincide");
            }
            if (!layer(s.lower, "lower", entry, r.lower) || !layer(s.upper, "upper", entry, r.upper))
                return false;
            if (r.upper.height - r.lower.height < 1.0)
                return fail(s.upper.line ? s.upper.line : s.line, entry,
                            "the upper layer (" + mm(r.upper.height) +
                                ") does not lie above the lower layer (" + mm(r.lower.height) + ")");
            auto edgeIndex = [&](const std::string& name) {
                auto it = std::find(s.edges.begin(), s.edges.end(), name);
                return it == s.edges.end() ? -1 : r.edgeAxes[static_cast<size_t>(it - s.edges.begin())];
            };
            r.bottomAxis = edgeIndex(s.bottom);
            r.topAxis = edgeIndex(s.top);
            if (r.bottomAxis < 0)
                return fail(s.bottomLine ? s.bottomLine : s.line, entry,
                            "bottom axis " + jsonQuoted(s.bottom) + " is not one of its edges");
            if (r.topAxis < 0)
                return fail(s.topLine ? s.topLine : s.line, entry,
                            "top axis " + jsonQuoted(s.top) + " is not one of its edges");
            if (r.bottomAxis == r.topAxis)
                return fail(s.topLine ? s.topLine : s.line, entry,
                            "the bottom and top axes are the same axis");
            // Corner j joins edges j and j+1: it lies on the bottom layer when
            // either edge is the bottom axis, else on the top layer when
            // either is the top axis (the editor counts each up to 2).
            for (size_t j = 0; j < n; ++j) {
                const int a = r.edgeAxes[j], b = r.edgeAxes[(j + 1) % n];
                if (a == r.bottomAxis || b == r.bottomAxis)
                    ++r.bottomCorners;
                else if (a == r.topAxis || b == r.topAxis)
                    ++r.topCorners;
            }
            if (r.topCorners == 0)
                return fail(s.topLine ? s.topLine : s.line, entry,
                            "no corner lies on the top axis apart from those on the bottom axis");
            if (!plane(s, r, entry))
                return false;
            out_.slopes.push_back(std::move(r));
        }
        return true;
    }

    // The library fits the slope's plane by least squares through the
    // corners on the bottom axis (at the lower layer's height) and the other
    // corners on the top axis (at the upper one's); the project's check then
    // wants every such corner on its layer. Corners that no plane passes
    // through (a top axis not parallel to the bottom axis, say) are refused
    // here, where the slope can be named.
    bool plane(const SlopeEntry& s, const ResolvedSlope& r, const std::string& entry)
    {
        const size_t n = r.corners.size();
        std::vector<std::array<double, 3>> points;
        std::vector<size_t> cornerOf;
        for (size_t j = 0; j < n; ++j) {
            const int a = r.edgeAxes[j], b = r.edgeAxes[(j + 1) % n];
            double z = 0;
            if (a == r.bottomAxis || b == r.bottomAxis)
                z = r.lower.height;
            else if (a == r.topAxis || b == r.topAxis)
                z = r.upper.height;
            else
                continue;
            points.push_back({r.corners[j].x, r.corners[j].y, z});
            cornerOf.push_back(j);
        }
        const auto fitted = fitPlane(points);
        if (!fitted)
            return fail(s.line, entry,
                        "the outline cannot be a plane: its corners on the bottom and top axes lie on one line");
        size_t worst = 0;
        double worstOff = 0;
        for (size_t k = 0; k < points.size(); ++k) {
            const double off = std::fabs(fitted->heightAt(points[k][0], points[k][1]) - points[k][2]);
            if (off > worstOff) {
                worstOff = off;
                worst = k;
            }
        }
        if (worstOff <= kPlaneTolerance)
            return true;
        const size_t j = cornerOf[worst];
        std::string message = "the outline cannot be a plane: no plane holds its corners on the bottom axis " +
                              jsonQuoted(s.bottom) + " at " + mm(r.lower.height) + " and on the top axis " +
                              jsonQuoted(s.top) + " at " + mm(r.upper.height) + " (corner " +
                              jsonQuoted(s.edges[j]) + "/" + jsonQuoted(s.edges[(j + 1) % n]) + " is " +
                              mm(std::round(worstOff * 10) / 10) + " mm off the nearest plane)";
        const PlanSegment& bottom = d_.axes[static_cast<size_t>(r.bottomAxis)].segment;
        const PlanSegment& top = d_.axes[static_cast<size_t>(r.topAxis)].segment;
        const double cross = (bottom.b.x - bottom.a.x) * (top.b.y - top.a.y) -
                             (bottom.b.y - bottom.a.y) * (top.b.x - top.a.x);
        if (std::fabs(cross) > 1e-9 * planDistance(bottom.a, bottom.b) * planDistance(top.a, top.b))
            message += ": the bottom and top axes are not parallel";
        return fail(s.line, entry, message);
    }

    const BuildingDescription& d_;
    ResolvedDescription& out_;
    DescriptionError& error_;
    std::map<std::string, size_t> storeyByName_;
    std::map<size_t, int> storeyNumber_;
    std::map<std::string, int> axisByName_;
    std::map<std::string, int> levelByName_;
};

} // namespace

bool resolveDescription(const BuildingDescription& d, ResolvedDescription& out,
                        DescriptionError& error)
{
    error = DescriptionError{};
    return Resolver(d, out, error).run();
}

} // namespace teva
