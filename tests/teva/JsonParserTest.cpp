// The tool's JSON reader and writer: valid documents, errors with their
// line and column, nesting limits, number ranges and Unicode.
#include "JsonParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using teva::JsonError;
using teva::JsonValue;
using teva::parseJson;

namespace {

struct ValidCase {
    const char* name;
    std::string text;
    std::string compact;  // what the writer makes of it
};

void PrintTo(const ValidCase& c, std::ostream* os) { *os << c.name; }

class TevaJsonValid : public ::testing::TestWithParam<ValidCase> {};

TEST_P(TevaJsonValid, ParsesAndWritesBack)
{
    const ValidCase& c = GetParam();
    JsonValue v;
    JsonError e;
    ASSERT_TRUE(parseJson(c.text, v, e)) << e.line << ":" << e.column << " " << e.message;
    EXPECT_EQ(v.toText(-1), c.compact);
    // The pretty form reads back to the same value.
    JsonValue again;
    ASSERT_TRUE(parseJson(v.toText(2), again, e)) << e.message;
    EXPECT_EQ(again.toText(-1), c.compact);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, TevaJsonValid,
    ::testing::Values(
        ValidCase{"Scalars", R"([null, true, false, 0, -0, 12, -3.5, 2e3, 1E-2, "x"])",
                  R"([null,true,false,0,0,12,-3.5,2000,0.01,"x"])"},
        ValidCase{"NestedObject", R"( { "a" : { "b" : [ ] , "c" : { } } } )", R"({"a":{"b":[],"c":{}}})"},
        ValidCase{"KeyOrderKept", R"({"z":1,"a":2,"m":3})", R"({"z":1,"a":2,"m":3})"},
        ValidCase{"Escapes", R"(["\"\\\/\b\f\n\r\t"])", R"(["\"\\/\b\f\n\r\t"])"},
        ValidCase{"ControlEscapeWritten", R"(["\u0001"])", R"(["\u0001"])"},
        ValidCase{"ByteOrderMark", "\xEF\xBB\xBF{\"a\":1}", R"({"a":1})"},
        ValidCase{"WhiteSpaceOnly", " \t\r\n 7 \r\n", "7"},
        ValidCase{"BigInteger", "123456789012345678901234567890", "1.2345678901234568e+29"},
        ValidCase{"LargestDouble", "1.7976931348623157e308", "1.7976931348623157e+308"},
        ValidCase{"UnderflowIsZero", "1e-400", "0"},
        ValidCase{"Fraction", "0.1", "0.1"}),
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
    JsonValue v = JsonValue::string("untouched");
    JsonError e;
    ASSERT_FALSE(parseJson(c.text, v, e));
    EXPECT_EQ(e.line, c.line) << e.message;
    EXPECT_EQ(e.column, c.column) << e.message;
    EXPECT_NE(e.message.find(c.message), std::string::npos) << e.message;
    EXPECT_EQ(v.asString(), "untouched") << "a failed parse must leave the output alone";
}

INSTANTIATE_TEST_SUITE_P(
    Documents, TevaJsonInvalid,
    ::testing::Values(
        InvalidCase{"Empty", "", 1, 1, "empty document"},
        InvalidCase{"SpacesOnly", "  \n  ", 2, 3, "empty document"},
        InvalidCase{"TrailingComma", "{\n  \"a\": 1,\n}", 3, 1, "trailing comma"},
        InvalidCase{"TrailingCommaArray", "[1,\n 2, ]", 2, 5, "trailing comma"},
        InvalidCase{"MissingColon", "{\n\"a\" 1}", 2, 5, "expected ':'"},
        InvalidCase{"MissingComma", "[1\n\n  2]", 3, 3, "expected ',' or ']'"},
        InvalidCase{"UnquotedKey", "{a: 1}", 1, 2, "expected a key"},
        InvalidCase{"SingleQuotes", "['a']", 1, 2, "expected a value"},
        InvalidCase{"UnterminatedString", "[\"abc", 1, 6, "unterminated string"},
        InvalidCase{"LineBreakInString", "[\"ab\ncd\"]", 1, 5, "line break inside a string"},
        InvalidCase{"UnterminatedArray", "[1, 2", 1, 6, "unterminated array"},
        InvalidCase{"UnterminatedObject", "{\"a\": 1", 1, 8, "unterminated object"},
        InvalidCase{"TextAfterValue", "{} x", 1, 4, "after the value"},
        InvalidCase{"LeadingZero", "[01]", 1, 3, "must not start with 0"},
        InvalidCase{"BareMinus", "[-]", 1, 3, "expected a digit"},
        InvalidCase{"DotWithoutDigits", "[1.]", 1, 4, "after the decimal point"},
        InvalidCase{"ExponentWithoutDigits", "[1e+]", 1, 5, "in the exponent"},
        InvalidCase{"PlusSign", "[+1]", 1, 2, "expected a value"},
        InvalidCase{"NaNWord", "[NaN]", 1, 2, "expected a value"},
        InvalidCase{"MisspeltTrue", "[tru]", 1, 2, "unknown word"},
        InvalidCase{"HugeNumber", "{\n  \"h\": 1e400\n}", 2, 8, "too large"},
        InvalidCase{"HugeNegativeNumber", "[-2e308]", 1, 2, "too large"},
        InvalidCase{"UnknownEscape", "[\"\\x\"]", 1, 4, "unknown escape"},
        InvalidCase{"ShortUnicodeEscape", "[\"\\u12\"]", 1, 7, "four hex digits"},
        InvalidCase{"LoneLowSurrogate", "[\"\\udc00\"]", 1, 9, "unpaired low surrogate"},
        InvalidCase{"HighSurrogateAlone", "[\"\\ud83c\"]", 1, 9, "without its low half"},
        InvalidCase{"HighSurrogateThenText", "[\"\\ud83cx\"]", 1, 9, "without its low half"},
        InvalidCase{"HighSurrogateThenHigh", "[\"\\ud83c\\ud83c\"]", 1, 15, "without its low half"},
        InvalidCase{"RawControlCharacter", "[\"a\tb\"]", 1, 4, "control character"},
        InvalidCase{"InvalidUtf8Byte", "[\"a\xFF\"]", 1, 4, "invalid UTF-8"},
        InvalidCase{"OverlongUtf8", "[\"\xC0\x80\"]", 1, 3, "invalid UTF-8"},
        InvalidCase{"EncodedSurrogate", "[\"\xED\xA0\x80\"]", 1, 3, "invalid UTF-8"},
        InvalidCase{"TruncatedUtf8AtEnd", "[\"\xE5\x97", 1, 3, "invalid UTF-8"},
        InvalidCase{"Utf8ContinuationMissing", "[\"\xE5\x41\x41\"]", 1, 3, "invalid UTF-8"},
        InvalidCase{"DuplicateKey", "{\n  \"a\": 1,\n  \"a\": 2\n}", 3, 3, "duplicate key \"a\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaJsonNesting, AcceptsTheLimitAndRefusesDeeper)
{
    const int limit = teva::JsonParseOptions{}.maxDepth;
    auto nested = [](int depth) { return std::string(static_cast<size_t>(depth), '[') + std::string(static_cast<size_t>(depth), ']'); };
    JsonValue v;
    JsonError e;
    EXPECT_TRUE(parseJson(nested(limit), v, e)) << e.message;
    EXPECT_FALSE(parseJson(nested(limit + 1), v, e));
    EXPECT_NE(e.message.find("nesting deeper"), std::string::npos) << e.message;
    EXPECT_EQ(e.column, limit + 1);
}

TEST(TevaJsonNesting, HostileDepthIsRefusedWithoutExhaustingTheStack)
{
    // A million unclosed brackets and objects: refused at the limit.
    std::string text(1'000'000, '[');
    JsonValue v;
    JsonError e;
    EXPECT_FALSE(parseJson(text, v, e));
    std::string objects;
    for (int i = 0; i < 200'000; ++i)
        objects += "{\"a\":";
    EXPECT_FALSE(parseJson(objects, v, e));
    EXPECT_NE(e.message.find("nesting deeper"), std::string::npos);
}

TEST(TevaJsonNesting, CustomLimit)
{
    JsonValue v;
    JsonError e;
    teva::JsonParseOptions o;
    o.maxDepth = 2;
    EXPECT_TRUE(parseJson("[[1]]", v, e, o));
    EXPECT_FALSE(parseJson("[[[1]]]", v, e, o));
    EXPECT_FALSE(parseJson("{\"a\":{\"b\":{}}}", v, e, o));
}

TEST(TevaJsonNumbers, ValuesAndRanges)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"0", 0.0},
        {"-12.75", -12.75},
        {"6000", 6000.0},
        {"1e308", 1e308},
        {"-1.7976931348623157e308", -1.7976931348623157e308},
        {"4.9e-324", 4.9e-324},
        {"99999999999999999999", 1e20},
    };
    for (const Case& c : cases) {
        JsonValue v;
        JsonError e;
        ASSERT_TRUE(parseJson(c.text, v, e)) << c.text << ": " << e.message;
        ASSERT_TRUE(v.isNumber());
        EXPECT_DOUBLE_EQ(v.asNumber(), c.value) << c.text;
    }
}

TEST(TevaJsonNumbers, NonFiniteValuesAreWrittenAsNull)
{
    JsonValue a = JsonValue::array();
    a.append(JsonValue::number(INFINITY));
    a.append(JsonValue::number(NAN));
    a.append(JsonValue::number(1.5));
    EXPECT_EQ(a.toText(-1), "[null,null,1.5]");
}

TEST(TevaJsonNumbers, WrittenNumbersReadBackExactly)
{
    const double values[] = {0.1, 1.0 / 3.0, 123456.789, -2.5e-7, 1e21, 6000.0, 9007199254740993.0};
    for (double d : values) {
        JsonValue v;
        JsonError e;
        ASSERT_TRUE(parseJson(JsonValue::number(d).toText(), v, e));
        EXPECT_EQ(v.asNumber(), d) << JsonValue::number(d).toText();
    }
}

struct UnicodeCase {
    const char* name;
    std::string text;
    std::string utf8;
};

void PrintTo(const UnicodeCase& c, std::ostream* os) { *os << c.name; }

class TevaJsonUnicode : public ::testing::TestWithParam<UnicodeCase> {};

TEST_P(TevaJsonUnicode, DecodesToUtf8)
{
    JsonValue v;
    JsonError e;
    ASSERT_TRUE(parseJson(GetParam().text, v, e)) << e.message;
    EXPECT_EQ(v.asString(), GetParam().utf8);
    // Written back, the text is kept as UTF-8 and reads back the same.
    JsonValue again;
    ASSERT_TRUE(parseJson(v.toText(), again, e)) << e.message;
    EXPECT_EQ(again.asString(), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, TevaJsonUnicode,
    ::testing::Values(
        UnicodeCase{"Latin", R"("caf\u00e9")", "caf\xC3\xA9"},
        UnicodeCase{"UpperCaseHex", R"("\u00C9")", "\xC3\x89"},
        UnicodeCase{"JapaneseEscaped", R"("\u5357\u5c4b\u6839")", "南屋根"},
        UnicodeCase{"JapaneseRaw", "\"北側の屋根 2階\"", "北側の屋根 2階"},
        UnicodeCase{"MixedEscapedAndRaw", R"("\u901a\u308a芯X1")", "通り芯X1"},
        UnicodeCase{"SurrogatePair", R"("\ud83c\udfe0")", "\xF0\x9F\x8F\xA0"},
        UnicodeCase{"FourByteRaw", "\"\xF0\x9F\x8F\xA0\"", "\xF0\x9F\x8F\xA0"},
        UnicodeCase{"LastCodePoint", R"("\udbff\udfff")", "\xF4\x8F\xBF\xBF"},
        UnicodeCase{"EscapedZero", R"("a\u0000b")", std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaJsonPositions, ValuesRememberTheirLineAndColumn)
{
    const std::string text = "{\n"
                             "  \"storeys\": [\n"
                             "    {\"name\": \"1F\"},\n"
                             "\n"
                             "    {\"name\": \"2F\", \"height\": 3500}\n"
                             "  ]\n"
                             "}\n";
    JsonValue v;
    JsonError e;
    ASSERT_TRUE(parseJson(text, v, e)) << e.message;
    EXPECT_EQ(v.line(), 1);
    const JsonValue* storeys = v.find("storeys");
    ASSERT_NE(storeys, nullptr);
    EXPECT_EQ(storeys->line(), 2);
    EXPECT_EQ(storeys->column(), 14);
    ASSERT_EQ(storeys->items().size(), 2u);
    EXPECT_EQ(storeys->items()[0].line(), 3);
    EXPECT_EQ(storeys->items()[1].line(), 5);
    EXPECT_EQ(storeys->items()[1].column(), 5);
    const JsonValue* height = storeys->items()[1].find("height");
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->line(), 5);
    EXPECT_EQ(height->column(), 30);
}

TEST(TevaJsonPositions, CrLfLineEndsCountOnce)
{
    JsonValue v;
    JsonError e;
    EXPECT_FALSE(parseJson("{\r\n\"a\": 1,\r\n\"b\": ?\r\n}", v, e));
    EXPECT_EQ(e.line, 3);
    EXPECT_EQ(e.column, 6);
}

TEST(TevaJsonBuilding, SetReplacesAndFindFinds)
{
    JsonValue o;
    o.set("a", JsonValue::number(1));
    o.set("b", JsonValue::string("x"));
    o.set("a", JsonValue::boolean(true));
    EXPECT_EQ(o.toText(-1), R"({"a":true,"b":"x"})");
    ASSERT_NE(o.find("b"), nullptr);
    EXPECT_EQ(o.find("b")->asString(), "x");
    EXPECT_EQ(o.find("c"), nullptr);
    EXPECT_EQ(JsonValue::number(3).find("a"), nullptr);
    // Wrong-type access answers neutral values.
    EXPECT_EQ(o.asNumber(), 0.0);
    EXPECT_EQ(o.asString(), "");
    EXPECT_TRUE(JsonValue::number(2).items().empty());
}

TEST(TevaJsonBuilding, ManyKeysStayFast)
{
    // Duplicate detection must not be quadratic: 200,000 keys parse at once.
    std::string text = "{";
    for (int i = 0; i < 200'000; ++i)
        text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
    text += "}";
    JsonValue v;
    JsonError e;
    ASSERT_TRUE(parseJson(text, v, e)) << e.message;
    EXPECT_EQ(v.members().size(), 200'000u);
    EXPECT_EQ(v.members().back().second.asNumber(), 199'999.0);
}

} // namespace
