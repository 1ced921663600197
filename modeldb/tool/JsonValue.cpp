#include "JsonValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace teva {

JsonValue JsonValue::boolean(bool b)
{
    JsonValue v;
    v.type_ = Type::Bool;
    v.bool_ = b;
    return v;
}

JsonValue JsonValue::number(double n)
{
    JsonValue v;
    v.type_ = Type::Number;
    v.number_ = n;
    return v;
}

JsonValue JsonValue::string(std::string s)
{
    JsonValue v;
    v.type_ = Type::String;
    v.string_ = std::move(s);
    return v;
}

JsonValue JsonValue::array()
{
    JsonValue v;
    v.type_ = Type::Array;
    return v;
}

JsonValue JsonValue::object()
{
    JsonValue v;
    v.type_ = Type::Object;
    return v;
}

const std::string& JsonValue::asString() const
{
    static const std::string empty;
    return type_ == Type::String ? string_ : empty;
}

const JsonValue* JsonValue::find(std::string_view key) const
{
    if (type_ != Type::Object)
        return nullptr;
    for (const Member& m : members_) {
        if (m.first == key)
            return &m.second;
    }
    return nullptr;
}

JsonValue& JsonValue::append(JsonValue v)
{
    if (type_ == Type::Null)
        type_ = Type::Array;
    items_.push_back(std::move(v));
    return items_.back();
}

JsonValue& JsonValue::set(std::string key, JsonValue v)
{
    if (type_ == Type::Null)
        type_ = Type::Object;
    for (Member& m : members_) {
        if (m.first == key) {
            m.second = std::move(v);
            return m.second;
        }
    }
    members_.emplace_back(std::move(key), std::move(v));
    return members_.back().second;
}

void JsonValue::appendMember(std::string key, JsonValue v)
{
    if (type_ == Type::Null)
        type_ = Type::Object;
    members_.emplace_back(std::move(key), std::move(v));
}

const char* JsonValue::typeName(Type t)
{
    switch (t) {
    case Type::Null: return "null";
    case Type::Bool: return "a boolean";
    case Type::Number: return "a number";
    case Type::String: return "a string";
    case Type::Array: return "an array";
    case Type::Object: return "an object";
    }
    return "?";
}

void appendJsonString(std::string& out, std::string_view s)
{
    out += '"';
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

std::string formatJsonNumber(double n)
{
    if (!std::isfinite(n))
        return "null";
    char buf[64];
    // Exact integers of moderate size read better without an exponent.
    if (n == std::floor(n) && std::fabs(n) < 1e15) {
        std::snprintf(buf, sizeof buf, "%.0f", n);
        // -0 would print as "-0"; JSON readers take it, but 0 is clearer.
        return std::string(n == 0 ? "0" : buf);
    }
    auto res = std::to_chars(buf, buf + sizeof buf, n);
    return std::string(buf, res.ptr);
}

std::string JsonValue::toText(int indent) const
{
    std::string out;
    write(out, indent, 0);
    return out;
}

void JsonValue::write(std::string& out, int indent, int depth) const
{
    auto newline = [&](int d) {
        if (indent < 0)
            return;
        out += '\n';
        out.append(static_cast<size_t>(indent) * static_cast<size_t>(d), ' ');
    };
    switch (type_) {
    case Type::Null: out += "null"; break;
    case Type::Bool: out += bool_ ? "true" : "false"; break;
    case Type::Number: out += formatJsonNumber(number_); break;
    case Type::String: appendJsonString(out, string_); break;
    case Type::Array:
        if (items_.empty()) {
            out += "[]";
            break;
        }
        out += '[';
        for (size_t i = 0; i < items_.size(); ++i) {
            if (i)
                out += ',';
            newline(depth + 1);
            items_[i].write(out, indent, depth + 1);
        }
        newline(depth);
        out += ']';
        break;
    case Type::Object:
        if (members_.empty()) {
            out += "{}";
            break;
        }
        out += '{';
        for (size_t i = 0; i < members_.size(); ++i) {
            if (i)
                out += ',';
            newline(depth + 1);
            appendJsonString(out, members_[i].first);
            out += indent < 0 ? ":" : ": ";
            members_[i].second.write(out, indent, depth + 1);
        }
        newline(depth);
        out += '}';
        break;
    }
}

} // namespace teva
