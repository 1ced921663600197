#include "DescriptionReader.h"

#include "JsonParser.h"

#include <cmath>
#include <initializer_list>

namespace teva {

namespace {

std::string quoted(const std::string& s)
{
    std::string out;
    appendJsonString(out, s);
    return out;
}

// Reads one object of the description, reporting against a named entry.
class EntryReader {
public:
    EntryReader(const JsonValue& v, std::string entry, DescriptionError& error)
        : v_(v), entry_(std::move(entry)), error_(error) {}

    bool fail(const JsonValue* at, const std::string& message)
    {
        error_.line = at && at->line() ? at->line() : v_.line();
        error_.entry = entry_;
        error_.message = message;
        return false;
    }

    bool isObject() { return v_.isObject() || fail(&v_, "expected an object"); }

    bool onlyKeys(std::initializer_list<const char*> keys)
    {
        for (const auto& m : v_.members()) {
            bool known = m.first == "comment";
            for (const char* k : keys)
                known = known || m.first == k;
            if (!known)
                return fail(&m.second, "unknown key " + quoted(m.first));
        }
        return true;
    }

    const JsonValue* get(const char* key, bool required, JsonValue::Type type)
    {
        const JsonValue* f = v_.find(key);
        if (!f) {
            if (required)
                fail(&v_, std::string("missing \"") + key + "\"");
            return nullptr;
        }
        if (f->type() != type) {
            fail(f, std::string("\"") + key + "\" must be " + JsonValue::typeName(type) +
                        ", not " + JsonValue::typeName(f->type()));
            return nullptr;
        }
        return f;
    }

    bool string(const char* key, std::string& out, bool required = true, int* line = nullptr)
    {
        const JsonValue* f = get(key, required, JsonValue::Type::String);
        if (!f)
            return !required && !v_.find(key);
        out = f->asString();
        if (line)
            *line = f->line();
        return true;
    }

    bool number(const char* key, double& out, bool required = true)
    {
        const JsonValue* f = get(key, required, JsonValue::Type::Number);
        if (!f)
            return !required && !v_.find(key);
        out = f->asNumber();
        return true;
    }

    bool integer(const char* key, int& out, int low, int high, bool required)
    {
        const JsonValue* f = get(key, required, JsonValue::Type::Number);
        if (!f)
            return !required && !v_.find(key);
        const double n = f->asNumber();
        if (n != std::floor(n) || n < low || n > high)
            return fail(f, std::string("\"") + key + "\" must be a whole number from " +
                               std::to_string(low) + " to " + std::to_string(high));
        out = static_cast<int>(n);
        return true;
    }

    bool point(const char* key, PlanPoint& out)
    {
        const JsonValue* f = get(key, true, JsonValue::Type::Array);
        if (!f)
            return false;
        if (f->items().size() != 2 || !f->items()[0].isNumber() || !f->items()[1].isNumber())
            return fail(f, std::string("\"") + key + "\" must be a point [x, y] of two numbers");
        out = {f->items()[0].asNumber(), f->items()[1].asNumber()};
        return true;
    }

    bool layer(const char* key, LayerName& out)
    {
        const JsonValue* f = v_.find(key);
        if (!f)
            return fail(&v_, std::string("missing \"") + key + "\"");
        out.line = f->line();
        if (f->isString()) {
            out.storey = f->asString();
            return true;
        }
        if (!f->isObject())
            return fail(f, std::string("\"") + key +
                               "\" must be a storey name or {\"storey\": ..., \"level\": ...}");
        EntryReader inner(*f, entry_ + " " + key, error_);
        if (!inner.onlyKeys({"storey", "level"}) || !inner.string("storey", out.storey, false) ||
            !inner.string("level", out.level, false))
            return false;
        if (out.storey.empty() && out.level.empty())
            return fail(f, std::string("\"") + key + "\" names neither a storey nor a level");
        return true;
    }

    const JsonValue& value() const { return v_; }

private:
    const JsonValue& v_;
    std::string entry_;
    DescriptionError& error_;
};

std::string entryName(const char* list, size_t i, const JsonValue& v)
{
    std::string s = std::string(list) + "[" + std::to_string(i) + "]";
    if (const JsonValue* n = v.find("name"); n && n->isString())
        s += " " + quoted(n->asString());
    return s;
}

const JsonValue* list(EntryReader& root, const char* key, bool required)
{
    return root.get(key, required, JsonValue::Type::Array);
}

} // namespace

bool readDescription(const JsonValue& rootValue, BuildingDescription& out, DescriptionError& error)
{
    out = BuildingDescription{};
    error = DescriptionError{};
    EntryReader root(rootValue, "description", error);
    if (!root.isObject() || !root.onlyKeys({"title", "storeys", "axes", "levels", "slopes"}) ||
        !root.string("title", out.title, false))
        return false;

    const JsonValue* storeys = list(root, "storeys", true);
    if (!storeys)
        return false;
    if (storeys->items().empty())
        return root.fail(storeys, "\"storeys\" must list at least one storey");
    for (size_t i = 0; i < storeys->items().size(); ++i) {
        const JsonValue& v = storeys->items()[i];
        EntryReader e(v, entryName("storeys", i, v), error);
        StoreyEntry s;
        s.line = v.line();
        if (!e.isObject() || !e.onlyKeys({"name", "height"}) || !e.string("name", s.name) ||
            !e.number("height", s.height))
            return false;
        out.storeys.push_back(std::move(s));
    }

    const JsonValue* axes = list(root, "axes", false);
    if (!axes && rootValue.find("axes"))
        return false;
    for (size_t i = 0; axes && i < axes->items().size(); ++i) {
        const JsonValue& v = axes->items()[i];
        EntryReader e(v, entryName("axes", i, v), error);
        AxisEntry a;
        a.line = v.line();
        if (!e.isObject() || !e.onlyKeys({"name", "from", "to", "type"}) ||
            !e.string("name", a.name) || !e.point("from", a.segment.a) ||
            !e.point("to", a.segment.b) || !e.integer("type", a.type, 0, 3, false))
            return false;
        out.axes.push_back(std::move(a));
    }

    const JsonValue* levels = list(root, "levels", false);
    if (!levels && rootValue.find("levels"))
        return false;
    for (size_t i = 0; levels && i < levels->items().size(); ++i) {
        const JsonValue& v = levels->items()[i];
        EntryReader e(v, entryName("levels", i, v), error);
        LevelEntry l;
        l.line = v.line();
        if (!e.isObject() || !e.onlyKeys({"name", "type", "storey", "height"}) ||
            !e.string("name", l.name) || !e.integer("type", l.type, 1, 2, true) ||
            !e.string("storey", l.storey, l.type == 2) || !e.number("height", l.height))
            return false;
        out.levels.push_back(std::move(l));
    }

    const JsonValue* slopes = list(root, "slopes", false);
    if (!slopes && rootValue.find("slopes"))
        return false;
    for (size_t i = 0; slopes && i < slopes->items().size(); ++i) {
        const JsonValue& v = slopes->items()[i];
        EntryReader e(v, entryName("slopes", i, v), error);
        SlopeEntry s;
        s.line = v.line();
        if (!e.isObject() ||
            !e.onlyKeys({"name", "edges", "lower", "upper", "bottom", "top"}) ||
            !e.string("name", s.name))
            return false;
        const JsonValue* edges = e.get("edges", true, JsonValue::Type::Array);
        if (!edges)
            return false;
        s.edgesLine = edges->line();
        for (const JsonValue& edge : edges->items()) {
            if (!edge.isString())
                return e.fail(&edge, "\"edges\" must list axis names");
            s.edges.push_back(edge.asString());
        }
        if (!e.layer("lower", s.lower) || !e.layer("upper", s.upper) ||
            !e.string("bottom", s.bottom, true, &s.bottomLine) ||
            !e.string("top", s.top, true, &s.topLine))
            return false;
        out.slopes.push_back(std::move(s));
    }
    return true;
}

bool readDescriptionText(std::string_view text, BuildingDescription& out, DescriptionError& error)
{
    JsonValue root;
    JsonError jsonError;
    if (!parseJson(text, root, jsonError)) {
        error.line = jsonError.line;
        error.entry.clear();
        error.message = jsonError.message + " (column " + std::to_string(jsonError.column) + ")";
        return false;
    }
    return readDescription(root, out, error);
}

} // namespace teva
