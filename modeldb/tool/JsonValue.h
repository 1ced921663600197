// A parsed JSON value that remembers where it stood in its text, so that a
// reader can name the line of an offending entry.
#ifndef TEVA_JSONVALUE_H
#define TEVA_JSONVALUE_H

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace teva {

class JsonValue {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };
    using Member = std::pair<std::string, JsonValue>;

    JsonValue() = default;
    static JsonValue null() { return JsonValue(); }
    static JsonValue boolean(bool b);
    static JsonValue number(double n);
    static JsonValue string(std::string s);
    static JsonValue array();
    static JsonValue object();

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isBool() const { return type_ == Type::Bool; }
    bool isNumber() const { return type_ == Type::Number; }
    bool isString() const { return type_ == Type::String; }
    bool isArray() const { return type_ == Type::Array; }
    bool isObject() const { return type_ == Type::Object; }

    // Accessors answer the stored value; asking for the wrong type answers
    // false, 0, "" or an empty list.
    bool asBool() const { return type_ == Type::Bool && bool_; }
    double asNumber() const { return type_ == Type::Number ? number_ : 0.0; }
    const std::string& asString() const;
    const std::vector<JsonValue>& items() const { return items_; }
    const std::vector<Member>& members() const { return members_; }

    // The member named `key` of an object, or null when absent.
    const JsonValue* find(std::string_view key) const;

    // Building: append turns null into an array, set into an object. set
    // replaces an existing member of the same name and keeps its place.
    JsonValue& append(JsonValue v);
    JsonValue& set(std::string key, JsonValue v);
    // Appends a member without looking for one of the same name (the
    // parser has already refused duplicates).
    void appendMember(std::string key, JsonValue v);

    // 1-based line and column of the value's first character in the parsed
    // text; 0 for values that were built, not parsed.
    int line() const { return line_; }
    int column() const { return column_; }
    void setPosition(int line, int column) { line_ = line; column_ = column; }

    // Compact (indent < 0) or pretty-printed text, UTF-8, keys in member
    // order. Non-finite numbers are written as null (JSON has no infinity).
    std::string toText(int indent = 2) const;

    // Name of a type for messages: "null", "a boolean", "a number", ...
    static const char* typeName(Type t);

private:
    void write(std::string& out, int indent, int depth) const;

    Type type_ = Type::Null;
    bool bool_ = false;
    double number_ = 0.0;
    std::string string_;
    std::vector<JsonValue> items_;
    std::vector<Member> members_;
    int line_ = 0;
    int column_ = 0;
};

// Appends `s` as a quoted JSON string: quotes, backslashes and control
// characters escaped, other UTF-8 kept as it is.
void appendJsonString(std::string& out, std::string_view s);

// Shortest text that reads back to the same double; integers without a
// fraction; "null" for infinities and NaN.
std::string formatJsonNumber(double n);

} // namespace teva

#endif
