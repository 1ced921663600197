// The tool's JSON reader: what it accepts, each refusal with its line,
// column and cause, duplicate keys, nesting and size limits, and the
// positions and paths it gives for values.
#include "JsonDocument.h"

#include <gtest/gtest.h>

#include <string>

using teva::Json;
using teva::JsonDocument;
using teva::JsonPath;
using teva::JsonSyntaxError;
using teva::parseJsonDocument;

namespace {

struct ValidCase {
    const char* name;
    std::string text;
    std::string compact;  // the value written back compactly
};

void PrintTo(const ValidCase& c, std::ostream* os) { *os << c.name; }

class TevaJsonValid : public ::testing::TestWithParam<ValidCase> {};

TEST_P(TevaJsonValid, ParsesToTheValue)
{
    const ValidCase& c = GetParam();
    JsonDocument doc;
    JsonSyntaxError e;
    ASSERT_TRUE(parseJsonDocument(c.text, doc, e)) << e.at.line << ":" << e.at.column << " " << e.message;
    EXPECT_EQ(doc.root().dump(), c.compact);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, TevaJsonValid,
    ::testing::Values(
        ValidCase{"Scalars", R"([null, true, false, 0, 12, -3.5, 2e3, 1E-2, "x"])",
                  R"([null,true,false,0,12,-3.5,2000.0,0.01,"x"])"},
        ValidCase{"NestedObject", R"( { "a" : { "b" : [ ] , "c" : { } } } )", R"({"a":{"b":[],"c":{}}})"},
        ValidCase{"KeyOrderKept", R"({"z":1,"a":2,"m":3})", R"({"z":1,"a":2,"m":3})"},
        ValidCase{"SameKeyInSiblingObjects", R"([{"a":1},{"a":2}])", R"([{"a":1},{"a":2}])"},
        ValidCase{"SameKeyAtTwoLevels", R"({"a":{"a":1}})", R"({"a":{"a":1}})"},
        ValidCase{"Escapes", R"(["\"\\\/\b\f\n\r\t"])", R"(["\"\\/\b\f\n\r\t"])"},
        ValidCase{"ByteOrderMark", "\xEF\xBB\xBF{\"a\":1}", R"({"a":1})"},
        ValidCase{"WhiteSpaceAround", " \t\r\n 7 \r\n", "7"},
        ValidCase{"SurrogatePair", R"("\ud83c\udfe0")", "\"\xF0\x9F\x8F\xA0\""},
        ValidCase{"JapaneseEscaped", R"("\u5357\u5c4b\u6839")", "\"南屋根\""},
        ValidCase{"UnderflowIsZero", "1e-400", "0.0"}),
    [](const auto& info) { return std::string(info.param.name); });

struct InvalidCase {
    const char* name;
    std::string text;
    int line;
    int column;
    const char* message;  // a part of the message
};

void PrintTo(const InvalidCase& c, std::ostream* os) { *os << c.name; }

class TevaJsonInvalid : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(TevaJsonInvalid, ReportsLineColumnAndCause)
{
    const InvalidCase& c = GetParam();
    JsonDocument doc;
    JsonSyntaxError e;
    ASSERT_FALSE(parseJsonDocument(c.text, doc, e));
    EXPECT_EQ(e.at.line, c.line) << e.message;
    EXPECT_EQ(e.at.column, c.column) << e.message;
    EXPECT_NE(e.message.find(c.message), std::string::npos) << e.message;
    // The message is one line and says nothing of the parser's internals.
    EXPECT_EQ(e.message.find('\n'), std::string::npos);
    EXPECT_EQ(e.message.find("json.exception"), std::string::npos) << e.message;
    EXPECT_TRUE(doc.root().is_null()) << "a refused text leaves no partial document";
}

INSTANTIATE_TEST_SUITE_P(
    Documents, TevaJsonInvalid,
    ::testing::Values(
        InvalidCase{"Empty", "", 1, 1, "unexpected end of input"},
        InvalidCase{"TrailingComma", "{\n  \"a\": 1,\n}", 3, 1, "expected string literal"},
        InvalidCase{"TrailingCommaArray", "[1,\n 2, ]", 2, 5, "syntax error"},
        InvalidCase{"MissingColon", "{\n\"a\" 1}", 2, 5, "expected ':'"},
        InvalidCase{"MissingComma", "[1\n\n  2]", 3, 3, "expected ']'"},
        InvalidCase{"UnquotedKey", "{a: 1}", 1, 2, "syntax error"},
        InvalidCase{"UnterminatedString", "[\"abc", 1, 5, "missing closing quote"},
        InvalidCase{"TextAfterValue", "{} x", 1, 4, "expected end of input"},
        InvalidCase{"LeadingZero", "[01]", 1, 3, "syntax error"},
        InvalidCase{"Comment", "[1, // one\n 2]", 1, 5, "syntax error"},
        InvalidCase{"NaNWord", "[NaN]", 1, 2, "syntax error"},
        InvalidCase{"HugeNumber", "{\n  \"h\": 1e400\n}", 2, 8, "number overflow"},
        InvalidCase{"LoneLowSurrogate", "[\"\\udc00\"]", 1, 8, "surrogate"},
        InvalidCase{"HighSurrogateAlone", "[\"\\ud83c\"]", 1, 9, "surrogate"},
        InvalidCase{"RawControlCharacter", "[\"a\tb\"]", 1, 4, "control character"},
        InvalidCase{"InvalidUtf8Byte", "[\"a\xFF\"]", 1, 4, "ill-formed UTF-8"},
        InvalidCase{"OverlongUtf8", "[\"\xC0\x80\"]", 1, 3, "ill-formed UTF-8"},
        InvalidCase{"EncodedSurrogate", "[\"\xED\xA0\x80\"]", 1, 4, "ill-formed UTF-8"},
        InvalidCase{"CrLfLineEndsCountOnce", "{\r\n\"a\": 1,\r\n\"b\": ?\r\n}", 3, 6, "syntax error"},
        InvalidCase{"DuplicateKey", "{\n  \"a\": 1,\n  \"a\": 2\n}", 3, 3, "duplicate key \"a\""},
        InvalidCase{"DuplicateKeyDeepInAList", "[{}, {\"b\": [1, {\"x\": 0, \"y\": 1, \"x\": 2}]}]", 1, 33,
                    "duplicate key \"x\""},
        InvalidCase{"DuplicateKeyAfterNestedObject", "{\"a\": {\"a\": 1}, \"a\": 2}", 1, 17,
                    "duplicate key \"a\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaJsonLimits, NestingAtTheLimitIsReadAndDeeperRefused)
{
    auto nested = [](int depth) {
        return std::string(static_cast<size_t>(depth), '[') + std::string(static_cast<size_t>(depth), ']');
    };
    JsonDocument doc;
    JsonSyntaxError e;
    EXPECT_TRUE(parseJsonDocument(nested(teva::kMaxJsonDepth), doc, e)) << e.message;
    EXPECT_FALSE(parseJsonDocument(nested(teva::kMaxJsonDepth + 1), doc, e));
    EXPECT_NE(e.message.find("nested deeper"), std::string::npos) << e.message;
    EXPECT_EQ(e.at.column, teva::kMaxJsonDepth + 1);
    // A million unclosed brackets are refused at the limit, not read.
    EXPECT_FALSE(parseJsonDocument(std::string(1'000'000, '['), doc, e));
    EXPECT_NE(e.message.find("nested deeper"), std::string::npos) << e.message;
}

TEST(TevaJsonLimits, TextOverTheSizeCapIsRefusedUnread)
{
    // Valid JSON of the cap's size is read; one byte more is refused before
    // parsing (so the message is about the size, not the text).
    std::string text = "[" + std::string(teva::kMaxJsonTextBytes - 2, ' ') + "]";
    JsonDocument doc;
    JsonSyntaxError e;
    EXPECT_TRUE(parseJsonDocument(text, doc, e)) << e.message;
    text.insert(1, " ");
    EXPECT_FALSE(parseJsonDocument(text, doc, e));
    EXPECT_NE(e.message.find("larger than 64 MiB"), std::string::npos) << e.message;
}

TEST(TevaJsonLimits, ManyKeysStayFast)
{
    // Duplicate detection and member insertion must not be quadratic:
    // 200,000 keys parse at once.
    std::string text = "{";
    for (int i = 0; i < 200'000; ++i)
        text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
    text += "}";
    JsonDocument doc;
    JsonSyntaxError e;
    ASSERT_TRUE(parseJsonDocument(text, doc, e)) << e.message;
    EXPECT_EQ(doc.root().size(), 200'000u);
    EXPECT_EQ(doc.root().back(), 199'999);
    EXPECT_EQ(doc.root().at("k123456"), 123456);
}

TEST(TevaJsonPositions, ValuesKnowTheirLineAndColumn)
{
    const std::string text = "{\n"
                             "  \"storeys\": [\n"
                             "    {\"name\": \"1F\"},\n"
                             "\n"
                             "    {\"name\": \"2F\", \"height\": 3500\n"
                             "    }\n"
                             "  ],\n"
                             "  \"slopes\": [{\"edges\": [\"A\",\n"
                             "                         [1, [2]]]}]\n"
                             "}\n";
    JsonDocument doc;
    JsonSyntaxError e;
    ASSERT_TRUE(parseJsonDocument(text, doc, e)) << e.message;
    struct Case {
        JsonPath path;
        int line, column;
    } cases[] = {
        {JsonPath(), 1, 1},
        {JsonPath() / "storeys", 2, 14},
        {JsonPath() / "storeys" / 0, 3, 5},
        {JsonPath() / "storeys" / 1, 5, 5},
        {JsonPath() / "storeys" / 1 / "height", 5, 30},  // a number followed by a line end
        {JsonPath() / "slopes" / 0 / "edges" / 0, 8, 25},
        {JsonPath() / "slopes" / 0 / "edges" / 1, 9, 26},
        // Deeper than positions are kept: the deepest ancestor that has one.
        {JsonPath() / "slopes" / 0 / "edges" / 1 / 1 / 0, 9, 26},
        // Paths that name no value: the last value along them.
        {JsonPath() / "storeys" / 1 / "missing", 5, 5},
        {JsonPath() / "storeys" / 7, 2, 14},
        {JsonPath() / "storeys" / "name", 2, 14},
    };
    for (const Case& c : cases) {
        const teva::TextPosition at = doc.positionOf(c.path);
        EXPECT_EQ(at.line, c.line) << c.path.text();
        EXPECT_EQ(at.column, c.column) << c.path.text();
    }
}

TEST(TevaJsonPositions, ByteOrderMarkIsNotAColumn)
{
    JsonDocument doc;
    JsonSyntaxError e;
    ASSERT_TRUE(parseJsonDocument("\xEF\xBB\xBF[1, 2]", doc, e)) << e.message;
    EXPECT_EQ(doc.positionOf(JsonPath()).column, 1);
    EXPECT_EQ(doc.positionOf(JsonPath() / 1).column, 5);
}

TEST(TevaJsonPath, TextIsAJsonPointer)
{
    EXPECT_EQ(JsonPath().text(), "");
    EXPECT_EQ((JsonPath() / "slopes" / 2 / "edges" / 1).text(), "/slopes/2/edges/1");
    EXPECT_EQ((JsonPath() / "a/b" / "m~n").text(), "/a~1b/m~0n");
    // The text is one nlohmann reads back to the same value.
    const Json j = Json::parse(R"({"a/b": {"m~n": [5, 6]}})");
    EXPECT_EQ(j.at(Json::json_pointer((JsonPath() / "a/b" / "m~n" / 1).text())), 6);
}

} // namespace
