#include "DescriptionReader.h"

#include "MessageText.h"

#include <cmath>
#include <initializer_list>

namespace teva {

namespace {

const char* typeName(const Json& v)
{
    switch (v.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return "a boolean";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float: return "a number";
    case Json::value_t::string: return "a string";
    case Json::value_t::array: return "an array";
    case Json::value_t::object: return "an object";
    default: return "binary data";
    }
}

std::string where(const JsonPath& path)
{
    return path.steps().empty() ? std::string("the description") : path.text();
}

// Reads one object of the description, reporting against a named entry.
class EntryReader {
public:
    EntryReader(const JsonDocument& doc, const Json& v, JsonPath path, std::string entry,
                DescriptionError& error)
        : doc_(doc), v_(v), path_(std::move(path)), entry_(std::move(entry)), error_(error) {}

    bool fail(const JsonPath& at, std::string message)
    {
        error_.line = doc_.positionOf(at).line;
        error_.column = 0;
        error_.entry = entry_;
        error_.message = std::move(message);
        return false;
    }

    bool wrongType(const JsonPath& at, const Json& v, const std::string& expected)
    {
        return fail(at, where(at) + " must be " + expected + ", not " + typeName(v));
    }

    bool isObject() { return v_.is_object() || wrongType(path_, v_, "an object"); }

    bool onlyKeys(std::initializer_list<const char*> keys)
    {
        for (const auto& [key, value] : v_.items()) {
            bool known = key == "comment";
            for (const char* k : keys)
                known = known || key == k;
            if (!known)
                return fail(path_ / key, "unknown key " + jsonQuoted(key) + " at " + where(path_));
        }
        return true;
    }

    // The member `key` when present and of the right kind; null otherwise,
    // with the error set when it is wrong or required and missing.
    const Json* get(const char* key, bool required, bool (Json::*is)() const noexcept,
                    const char* expected)
    {
        const auto it = v_.find(key);
        if (it == v_.end()) {
            if (required)
                fail(path_, where(path_ / key) + " is missing");
            return nullptr;
        }
        if (!((*it).*is)()) {
            wrongType(path_ / key, *it, expected);
            return nullptr;
        }
        return &*it;
    }

    bool has(const char* key) const { return v_.contains(key); }

    bool string(const char* key, std::string& out, bool required = true, int* line = nullptr)
    {
        const Json* f = get(key, required, &Json::is_string, "a string");
        if (!f)
            return !required && !has(key);
        out = f->get<std::string>();
        if (line)
            *line = doc_.positionOf(path_ / key).line;
        return true;
    }

    bool number(const char* key, double& out, bool required = true)
    {
        const Json* f = get(key, required, &Json::is_number, "a number");
        if (!f)
            return !required && !has(key);
        out = f->get<double>();
        return true;
    }

    bool integer(const char* key, int& out, int low, int high, bool required)
    {
        const Json* f = get(key, required, &Json::is_number, "a number");
        if (!f)
            return !required && !has(key);
        const double n = f->get<double>();
        if (n != std::floor(n) || n < low || n > high)
            return fail(path_ / key, where(path_ / key) + " must be a whole number from " + std::to_string(low) +
                                         " to " + std::to_string(high) + ", not " + formatNumber(n));
        out = static_cast<int>(n);
        return true;
    }

    bool point(const char* key, PlanPoint& out)
    {
        const Json* f = get(key, true, &Json::is_array, "a point [x, y]");
        if (!f)
            return false;
        if (f->size() != 2 || !(*f)[0].is_number() || !(*f)[1].is_number())
            return fail(path_ / key, where(path_ / key) + " must be a point [x, y] of two numbers");
        out = {(*f)[0].get<double>(), (*f)[1].get<double>()};
        return true;
    }

    bool layer(const char* key, LayerName& out)
    {
        const auto it = v_.find(key);
        if (it == v_.end())
            return fail(path_, where(path_ / key) + " is missing");
        const JsonPath at = path_ / key;
        out.line = doc_.positionOf(at).line;
        if (it->is_string()) {
            out.storey = it->get<std::string>();
            return true;
        }
        if (!it->is_object())
            return wrongType(at, *it, "a storey name or {\"storey\": ..., \"level\": ...}");
        EntryReader inner(doc_, *it, at, entry_, error_);
        if (!inner.onlyKeys({"storey", "level"}) || !inner.string("storey", out.storey, false) ||
            !inner.string("level", out.level, false))
            return false;
        if (out.storey.empty() && out.level.empty())
            return fail(at, where(at) + " names neither a storey nor a level");
        return true;
    }

    bool edges(std::vector<std::string>& out, int& line)
    {
        const Json* list = get("edges", true, &Json::is_array, "a list of axis names");
        if (!list)
            return false;
        const JsonPath at = path_ / "edges";
        line = doc_.positionOf(at).line;
        for (std::size_t j = 0; j < list->size(); ++j) {
            const Json& edge = (*list)[j];
            if (!edge.is_string())
                return wrongType(at / j, edge, "an axis name (a string)");
            out.push_back(edge.get<std::string>());
        }
        return true;
    }

    int line() const { return doc_.positionOf(path_).line; }

private:
    const JsonDocument& doc_;
    const Json& v_;
    JsonPath path_;
    std::string entry_;
    DescriptionError& error_;
};

std::string entryName(const char* list, std::size_t i, const Json& v)
{
    std::string s = std::string(list) + "[" + std::to_string(i) + "]";
    if (v.is_object()) {
        if (const auto n = v.find("name"); n != v.end() && n->is_string())
            s += " " + jsonQuoted(n->get<std::string>());
    }
    return s;
}

// Reads every entry of the optional list `key` of the root with `read`.
template <typename F>
bool forEachEntry(const JsonDocument& doc, EntryReader& root, const char* key, bool required,
                  DescriptionError& error, F read)
{
    const Json* list = root.get(key, required, &Json::is_array, "a list");
    if (!list)
        return !root.has(key) && !required;
    for (std::size_t i = 0; i < list->size(); ++i) {
        const Json& v = (*list)[i];
        EntryReader e(doc, v, JsonPath() / key / i, entryName(key, i, v), error);
        if (!e.isObject() || !read(e))
            return false;
    }
    return true;
}

} // namespace

bool readDescription(const JsonDocument& doc, BuildingDescription& out, DescriptionError& error)
{
    out = BuildingDescription{};
    error = DescriptionError{};
    const Json& rootValue = doc.root();
    EntryReader root(doc, rootValue, JsonPath(), "description", error);
    if (!root.isObject() || !root.onlyKeys({"title", "storeys", "axes", "levels", "slopes"}) ||
        !root.string("title", out.title, false))
        return false;

    if (!forEachEntry(doc, root, "storeys", true, error, [&](EntryReader& e) {
            StoreyEntry s;
            s.line = e.line();
            if (!e.onlyKeys({"name", "height"}) || !e.string("name", s.name) || !e.number("height", s.height))
                return false;
            out.storeys.push_back(std::move(s));
            return true;
        }))
        return false;
    if (out.storeys.empty())
        return root.fail(JsonPath() / "storeys", "/storeys must list at least one storey");

    if (!forEachEntry(doc, root, "axes", false, error, [&](EntryReader& e) {
            AxisEntry a;
            a.line = e.line();
            if (!e.onlyKeys({"name", "from", "to", "type"}) || !e.string("name", a.name) ||
                !e.point("from", a.segment.a) || !e.point("to", a.segment.b) ||
                !e.integer("type", a.type, 0, 3, false))
                return false;
            out.axes.push_back(std::move(a));
            return true;
        }))
        return false;

    if (!forEachEntry(doc, root, "levels", false, error, [&](EntryReader& e) {
            LevelEntry l;
            l.line = e.line();
            if (!e.onlyKeys({"name", "type", "storey", "height"}) || !e.string("name", l.name) ||
                !e.integer("type", l.type, 1, 2, true) || !e.string("storey", l.storey, l.type == 2) ||
                !e.number("height", l.height))
                return false;
            out.levels.push_back(std::move(l));
            return true;
        }))
        return false;

    return forEachEntry(doc, root, "slopes", false, error, [&](EntryReader& e) {
        SlopeEntry s;
        s.line = e.line();
        if (!e.onlyKeys({"name", "edges", "lower", "upper", "bottom", "top"}) || !e.string("name", s.name) ||
            !e.edges(s.edges, s.edgesLine) || !e.layer("lower", s.lower) || !e.layer("upper", s.upper) ||
            !e.string("bottom", s.bottom, true, &s.bottomLine) || !e.string("top", s.top, true, &s.topLine))
            return false;
        out.slopes.push_back(std::move(s));
        return true;
    });
}

bool readDescriptionText(std::string_view text, BuildingDescription& out, DescriptionError& error)
{
    out = BuildingDescription{};
    error = DescriptionError{};
    JsonDocument doc;
    JsonSyntaxError syntax;
    if (!parseJsonDocument(text, doc, syntax)) {
        error.line = syntax.at.line;
        error.column = syntax.at.column;
        error.message = syntax.message;
        return false;
    }
    return readDescription(doc, out, error);
}

} // namespace teva
