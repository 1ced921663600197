// Reading and checking building descriptions: what a valid description
// resolves to, and that every refusal names its entry and line.
#include "BuildingDescription.h"
#include "DescriptionReader.h"
#include "GridArguments.h"

#include <gtest/gtest.h>

#include <string>

using namespace teva;

namespace {

// Line numbers of the entries below are relied on by the refusal cases.
const std::string kSmall = R"({
  "title": "Small",
  "storeys": [
    {"name": "1F", "height": 0},
    {"name": "RF", "height": 6000},
    {"name": "2F", "height": 3000}
  ],
  "axes": [
    {"name": "X1", "from": [0, 0], "to": [0, 8000]},
    {"name": "X2", "from": [10000, 0], "to": [10000, 8000]},
    {"name": "Y1", "from": [0, 0], "to": [10000, 0]},
    {"name": "Y2", "from": [0, 8000], "to": [10000, 8000], "type": 2}
  ],
  "levels": [
    {"name": "M", "type": 2, "storey": "1F", "height": 1500},
    {"name": "L", "type": 1, "height": 4000}
  ],
  "slopes": [
    {"name": "S", "edges": ["Y1", "X2", "Y2", "X1"],
     "lower": "2F", "upper": {"storey": "RF"}, "bottom": "Y1", "top": "Y2"}
  ]
})";

constexpr double kTol = 1e-9;  // plan coordinates are computed exactly here

bool readAndResolve(const std::string& text, BuildingDescription& d, ResolvedDescription& r,
                    DescriptionError& e)
{
    return readDescriptionText(text, d, e) && resolveDescription(d, r, e);
}

TEST(TevaDescription, SmallDescriptionResolves)
{
    BuildingDescription d;
    ResolvedDescription r;
    DescriptionError e;
    ASSERT_TRUE(readAndResolve(kSmall, d, r, e)) << e.text();
    EXPECT_EQ(d.title, "Small");
    ASSERT_EQ(d.storeys.size(), 3u);
    EXPECT_EQ(d.storeys[1].line, 5);
    // Storeys are numbered by height whatever their order in the file.
    EXPECT_EQ(r.storeyOrder, (std::vector<int>{0, 2, 1}));
    ASSERT_EQ(d.axes.size(), 4u);
    EXPECT_EQ(d.axes[3].type, 2);
    EXPECT_EQ(d.axes[0].type, 0);
    EXPECT_NEAR(d.axes[1].segment.b.y, 8000.0, kTol);
    // M lies 1500 above 1F; L (absolute 4000) belongs to 2F (3000).
    EXPECT_EQ(r.levelStorey, (std::vector<int>{1, 2}));
    EXPECT_NEAR(r.levelHeight[0], 1500.0, kTol);
    EXPECT_NEAR(r.levelHeight[1], 4000.0, kTol);

    ASSERT_EQ(r.slopes.size(), 1u);
    const ResolvedSlope& s = r.slopes[0];
    EXPECT_EQ(s.edgeAxes, (std::vector<int>{2, 1, 3, 0}));
    EXPECT_EQ(s.lower.storey, 2);
    EXPECT_EQ(s.lower.level, -1);
    EXPECT_NEAR(s.lower.height, 3000.0, kTol);
    EXPECT_EQ(s.upper.storey, 3);
    EXPECT_NEAR(s.upper.height, 6000.0, kTol);
    EXPECT_EQ(s.bottomAxis, 2);
    EXPECT_EQ(s.topAxis, 3);
    EXPECT_EQ(s.bottomCorners, 2);
    EXPECT_EQ(s.topCorners, 2);
    // Corner j joins edges j and j+1: Y1/X2, X2/Y2, Y2/X1, X1/Y1.
    const PlanPoint expected[] = {{10000, 0}, {10000, 8000}, {0, 8000}, {0, 0}};
    ASSERT_EQ(s.corners.size(), 4u);
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(s.corners[static_cast<size_t>(j)].x, expected[j].x, kTol) << j;
        EXPECT_NEAR(s.corners[static_cast<size_t>(j)].y, expected[j].y, kTol) << j;
    }
}

TEST(TevaDescription, SubLayerNamedByLevelAlone)
{
    std::string text = kSmall;
    text.replace(text.find(R"("lower": "2F")"), 13, R"("lower": {"level": "L"})");
    BuildingDescription d;
    ResolvedDescription r;
    DescriptionError e;
    ASSERT_TRUE(readAndResolve(text, d, r, e)) << e.text();
    EXPECT_EQ(r.slopes[0].lower.storey, 2);
    EXPECT_EQ(r.slopes[0].lower.level, 1);
    EXPECT_NEAR(r.slopes[0].lower.height, 4000.0, kTol);
}

TEST(TevaDescription, TriangleWithOneTopCorner)
{
    // A hip end: bottom Y1, the apex where the two rafters D1 and D2 meet;
    // the top axis is a rafter, so only the apex counts as a top corner.
    const std::string text = R"({
      "storeys": [{"name": "1F", "height": 0}, {"name": "R", "height": 3000}],
      "axes": [
        {"name": "Y1", "from": [0, 0], "to": [10000, 0]},
        {"name": "D1", "from": [10000, 0], "to": [5000, 4000]},
        {"name": "D2", "from": [5000, 4000], "to": [0, 0]}
      ],
      "slopes": [{"name": "Hip", "edges": ["Y1", "D1", "D2"], "lower": "1F", "upper": "R",
                  "bottom": "Y1", "top": "D1"}]
    })";
    BuildingDescription d;
    ResolvedDescription r;
    DescriptionError e;
    ASSERT_TRUE(readAndResolve(text, d, r, e)) << e.text();
    EXPECT_EQ(r.slopes[0].bottomCorners, 2);
    EXPECT_EQ(r.slopes[0].topCorners, 1);
}

struct RefusalCase {
    const char* name;
    std::string find;     // text of kSmall to replace
    std::string replace;  // by this (same number of lines)
    int line;
    const char* entry;    // a part of the entry named
    const char* message;  // a part of the message
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class TevaDescriptionRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(TevaDescriptionRefusal, NamesEntryAndLine)
{
    const RefusalCase& c = GetParam();
    std::string text = kSmall;
    const auto at = text.find(c.find);
    ASSERT_NE(at, std::string::npos) << c.find;
    text.replace(at, c.find.size(), c.replace);
    BuildingDescription d;
    ResolvedDescription r;
    DescriptionError e;
    ASSERT_FALSE(readAndResolve(text, d, r, e));
    EXPECT_EQ(e.line, c.line) << e.text();
    EXPECT_NE(e.entry.find(c.entry), std::string::npos) << e.text();
    EXPECT_NE(e.message.find(c.message), std::string::npos) << e.text();
    // The one-line text carries file, line (and column for syntax errors),
    // entry and message.
    const std::string line = e.text("small.json");
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const std::string where = "small.json:" + std::to_string(c.line) + ":" +
                              (e.column > 0 ? std::to_string(e.column) + ":" : "") + " ";
    EXPECT_EQ(line.rfind(where, 0), 0u) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TevaDescriptionRefusal,
    ::testing::Values(
        RefusalCase{"SyntaxError", R"("height": 3000})", R"("height": 3000,})", 6, "",
                    "unexpected '}'; expected string literal"},
        RefusalCase{"MisspeltKey", R"({"name": "RF", "height")", R"({"name": "RF", "heigth")", 5,
                    "storeys[1] \"RF\"", "unknown key \"heigth\""},
        RefusalCase{"WrongType", R"("height": 6000)", R"("height": "6000")", 5, "storeys[1] \"RF\"",
                    "/storeys/1/height must be a number, not a string"},
        RefusalCase{"EdgeOfWrongType", R"("edges": ["Y1", "X2", "Y2", "X1"])", R"("edges": ["Y1", "X2", 7, "X1"])",
                    19, "slopes[0] \"S\"", "/slopes/0/edges/2 must be an axis name (a string), not a number"},
        RefusalCase{"MissingTop", R"(, "top": "Y2")", "", 19, "slopes[0] \"S\"", "/slopes/0/top is missing"},
        RefusalCase{"LayerStoreyOfWrongType", R"("upper": {"storey": "RF"})", R"("upper": {"storey": 6000})", 20,
                    "slopes[0] \"S\"", "/slopes/0/upper/storey must be a string, not a number"},
        RefusalCase{"EntryNotAnObject", R"({"name": "X2", "from": [10000, 0], "to": [10000, 8000]})", "[]", 10,
                    "axes[1]", "/axes/1 must be an object, not an array"},
        RefusalCase{"FractionalAxisType", R"("type": 2})", R"("type": 2.5})", 12, "axes[3] \"Y2\"",
                    "/axes/3/type must be a whole number from 0 to 3, not 2.5"},
        RefusalCase{"MissingStoreys", R"("storeys": [)", R"("storeyz": [)", 3, "description",
                    "unknown key \"storeyz\""},
        RefusalCase{"DuplicateStoreyName", R"({"name": "2F", "height": 3000})",
                    R"({"name": "RF", "height": 3000})", 6, "storeys[2] \"RF\"", "already used by storeys[1]"},
        RefusalCase{"SameStoreyHeight", R"("height": 6000)", R"("height": 3000.5)", 6, "storeys[2] \"2F\"",
                    "within 1 mm of storey \"RF\""},
        RefusalCase{"EmptyName", R"({"name": "X2")", R"({"name": "")", 10, "axes[1]", "the name is empty"},
        RefusalCase{"NameTooLong", R"({"name": "X2")",
                    R"({"name": "0123456789012345678901234567890123456789012345678901234567890123")", 10,
                    "axes[1]", "longer than 63 bytes"},
        RefusalCase{"ZeroLengthAxis", R"("to": [10000, 8000]},)", R"("to": [10000, 0]},)", 10,
                    "axes[1] \"X2\"", "less than 1 mm apart"},
        RefusalCase{"PointOfThreeNumbers", R"("to": [0, 8000]})", R"("to": [0, 8000, 0]})", 9,
                    "axes[0] \"X1\"", "a point [x, y]"},
        RefusalCase{"AxisTypeOutOfRange", R"("type": 2})", R"("type": 4})", 12, "axes[3] \"Y2\"",
                    "whole number from 0 to 3"},
        RefusalCase{"HugeCoordinate", R"("from": [10000, 0])", R"("from": [1e300, 0])", 10, "axes[1] \"X2\"",
                    "out of range"},
        RefusalCase{"LevelOnUnknownStorey", R"("storey": "1F", "height": 1500)",
                    R"("storey": "9F", "height": 1500)", 15, "levels[0] \"M\"", "no storey is named \"9F\""},
        RefusalCase{"LevelAboveNextStorey", R"("storey": "1F", "height": 1500)",
                    R"("storey": "1F", "height": 3500)", 15, "levels[0] \"M\"", "not below the next storey"},
        RefusalCase{"LevelBelowLowestStorey", R"("type": 1, "height": 4000)", R"("type": 1, "height": -10)",
                    16, "levels[1] \"L\"", "below the lowest storey"},
        RefusalCase{"LevelTypeThree", R"("type": 1, "height")", R"("type": 3, "height")", 16,
                    "levels[1] \"L\"", "from 1 to 2"},
        RefusalCase{"UnknownEdgeAxis", R"("edges": ["Y1", "X2", "Y2", "X1"])",
                    R"("edges": ["Y1", "X2", "Y9", "X1"])", 19, "slopes[0] \"S\"", "\"Y9\" does not exist"},
        RefusalCase{"EdgesThatDoNotCross", R"("edges": ["Y1", "X2", "Y2", "X1"])",
                    R"("edges": ["Y1", "X2", "X1", "Y2"])", 19, "slopes[0] \"S\"",
                    "\"X2\" and \"X1\" do not cross"},
        RefusalCase{"TwoEdges", R"("edges": ["Y1", "X2", "Y2", "X1"])", R"("edges": ["Y1", "X2"])", 19,
                    "slopes[0] \"S\"", "at least 3 edges"},
        RefusalCase{"UnknownLowerStorey", R"("lower": "2F")", R"("lower": "5F")", 20, "slopes[0] \"S\"",
                    "lower layer: no storey is named \"5F\""},
        RefusalCase{"LevelOfAnotherStorey", R"("lower": "2F")", R"("lower": {"storey": "2F", "level": "M"})",
                    20, "slopes[0] \"S\"", "level \"M\" belongs to storey \"1F\""},
        RefusalCase{"UpperNotAbove", R"("upper": {"storey": "RF"})", R"("upper": {"storey": "1F"})", 20,
                    "slopes[0] \"S\"", "does not lie above the lower layer"},
        RefusalCase{"BottomNotAnEdge", R"("bottom": "Y1")", R"("bottom": "Q")", 20, "slopes[0] \"S\"",
                    "bottom axis \"Q\" is not one of its edges"},
        RefusalCase{"TopAxisNotParallelToBottom", R"("to": [10000, 8000], "type": 2})",
                    R"("to": [10000, 6000], "type": 2})", 19, "slopes[0] \"S\"",
                    "the outline cannot be a plane: no plane holds its corners on the bottom axis \"Y1\" at 3000 and "
                    "on the top axis \"Y2\" at 6000"},
        RefusalCase{"TopSameAsBottom", R"("top": "Y2")", R"("top": "Y1")", 20, "slopes[0] \"S\"",
                    "the same axis"},
        RefusalCase{"DuplicateSlopeKey", R"("top": "Y2")", R"("top": "Y2", "top": "Y2")", 20, "",
                    "duplicate key \"top\""}),
    [](const auto& info) { return std::string(info.param.name); });

// The corners on the bottom and top axes must lie in one plane, as the
// library fits it: checked here, before anything is written.
TEST(TevaDescription, SlopePlanes)
{
    const std::string base = R"({
      "storeys": [{"name": "1F", "height": 0}, {"name": "R", "height": 3000}],
      "axes": [
        {"name": "Y1", "from": [0, 0], "to": [10000, 0]},
        {"name": "X1", "from": [0, -1000], "to": [0, 9000]},
        {"name": "X2", "from": [10000, -1000], "to": [10000, 9000]},
        {"name": "T", "from": TFROM, "to": TTO},
        {"name": "D1", "from": [10000, 0], "to": [5000, 4000]},
        {"name": "D2", "from": [5000, 4000], "to": [0, 0]}
      ],
      "slopes": [{"name": "P", "edges": EDGES, "lower": "1F", "upper": "R", "bottom": "Y1", "top": TOP}]
    })";
    struct Case {
        const char* name;
        const char* tFrom;
        const char* tTo;
        const char* edges;
        const char* top;
        const char* message;  // empty: accepted
    } cases[] = {
        {"ParallelTop", "[-1000, 8000]", "[11000, 8000]", R"(["Y1", "X2", "T", "X1"])", R"("T")", ""},
        // The top axis D1 is not parallel to Y1, but its one top corner (the
        // apex) and the two bottom ones make a plane.
        {"TriangleHip", "[-1000, 8000]", "[11000, 8000]", R"(["Y1", "D1", "D2"])", R"("D1")", ""},
        {"TiltedTop", "[-1000, 8500]", "[11000, 6500]", R"(["Y1", "X2", "T", "X1"])", R"("T")",
         "mm off the nearest plane): the bottom and top axes are not parallel"},
        {"SlightlyTiltedTopWithinTolerance", "[-1000, 8000.0015]", "[11000, 7999.9985]", R"(["Y1", "X2", "T", "X1"])",
         R"("T")", ""},
        {"SlightlyTiltedTopBeyondTolerance", "[-1000, 8006]", "[11000, 7994]", R"(["Y1", "X2", "T", "X1"])",
         R"("T")", "the outline cannot be a plane"},
    };
    for (const Case& c : cases) {
        std::string text = base;
        for (auto [key, value] : {std::pair<std::string, std::string>{"TFROM", c.tFrom}, {"TTO", c.tTo},
                                  {"EDGES", c.edges}, {"TOP", c.top}})
            text.replace(text.find(key), key.size(), value);
        BuildingDescription d;
        ResolvedDescription r;
        DescriptionError e;
        const bool ok = readAndResolve(text, d, r, e);
        EXPECT_EQ(ok, c.message[0] == '\0') << c.name << ": " << e.text();
        if (!ok) {
            EXPECT_EQ(e.entry, "slopes[0] \"P\"") << c.name;
            EXPECT_EQ(e.line, 11) << c.name;
            EXPECT_NE(e.message.find(c.message), std::string::npos) << c.name << ": " << e.text();
        }
    }
}

TEST(TevaDescription, DocumentsOfTheWrongShape)
{
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"\n[1]", 2, "the description must be an object, not an array"},
        {"7", 1, "the description must be an object, not a number"},
        {"{}", 1, "/storeys is missing"},
        {"{\"storeys\": []}", 1, "/storeys must list at least one storey"},
        {"{\"storeys\": {}}", 1, "/storeys must be a list, not an object"},
        {"{\"storeys\": [{\"name\": \"1F\", \"height\": 0}],\n \"slopes\": null}", 2,
         "/slopes must be a list, not null"},
    };
    for (const Case& c : cases) {
        BuildingDescription d;
        DescriptionError e;
        EXPECT_FALSE(readDescriptionText(c.text, d, e)) << c.text;
        EXPECT_EQ(e.line, c.line) << c.text;
        EXPECT_NE(e.message.find(c.message), std::string::npos) << e.text();
    }
}

TEST(TevaDescription, JapaneseNamesAreKeptAsUtf8)
{
    std::string text = kSmall;
    text.replace(text.find(R"({"name": "S",)"), 13, R"({"name": "\u5357\u5c4b\u6839",)");
    text.replace(text.find(R"({"name": "1F")"), 13, R"({"name": "１階")");
    text.replace(text.find(R"("storey": "1F")"), 14, R"("storey": "１階")");
    BuildingDescription d;
    ResolvedDescription r;
    DescriptionError e;
    ASSERT_TRUE(readAndResolve(text, d, r, e)) << e.text();
    EXPECT_EQ(d.slopes[0].name, "南屋根");
    EXPECT_EQ(d.storeys[0].name, "１階");
    // 21 Japanese characters of 3 bytes are 63 bytes: the longest name.
    std::string longest;
    for (int i = 0; i < 21; ++i)
        longest += "屋";
    d.slopes[0].name = longest;
    EXPECT_TRUE(resolveDescription(d, r, e)) << e.text();
    d.slopes[0].name = longest + "a";
    EXPECT_FALSE(resolveDescription(d, r, e));
    EXPECT_NE(e.message.find("longer than 63 bytes"), std::string::npos);
}

TEST(TevaDescription, NamesWithZeroCharactersAreRefused)
{
    std::string text = kSmall;
    text.replace(text.find(R"({"name": "X1")"), 13, R"({"name": "X\u00001")");
    BuildingDescription d;
    ResolvedDescription r;
    DescriptionError e;
    ASSERT_FALSE(readAndResolve(text, d, r, e));
    EXPECT_EQ(e.line, 9);
    EXPECT_NE(e.message.find("zero character"), std::string::npos) << e.text();
}

struct NamedValuesCase {
    const char* name;
    const char* text;
    bool ok;
    size_t count;
    const char* error;  // a part of the message when refused
};

void PrintTo(const NamedValuesCase& c, std::ostream* os) { *os << c.name; }

class TevaGridArguments : public ::testing::TestWithParam<NamedValuesCase> {};

TEST_P(TevaGridArguments, Parses)
{
    const NamedValuesCase& c = GetParam();
    std::vector<NamedValue> v;
    std::string error;
    ASSERT_EQ(parseNamedValues(c.text, "--x", v, error), c.ok) << error;
    if (c.ok)
        EXPECT_EQ(v.size(), c.count);
    else
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TevaGridArguments,
    ::testing::Values(NamedValuesCase{"Three", "X1:0,X2:6000,X3:12000", true, 3, ""},
                      NamedValuesCase{"Spaces", " X1 : 0 , X2:  -6000.5 ", true, 2, ""},
                      NamedValuesCase{"ColonInName", "A:B:7", true, 1, ""},
                      NamedValuesCase{"Empty", "", false, 0, "the list is empty"},
                      NamedValuesCase{"EmptyItem", "X1:0,,X2:5", false, 0, "empty item"},
                      NamedValuesCase{"NoColon", "X1:0,X2", false, 0, "item \"X2\": expected NAME:VALUE"},
                      NamedValuesCase{"NoName", ":5", false, 0, "the name is empty"},
                      NamedValuesCase{"NotANumber", "X1:abc", false, 0, "\"abc\" is not a number"},
                      NamedValuesCase{"TrailingJunk", "X1:5mm", false, 0, "\"5mm\" is not a number"},
                      NamedValuesCase{"Infinite", "X1:inf", false, 0, "is not a number"},
                      NamedValuesCase{"Overflow", "X1:1e999", false, 0, "is not a number"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaGridArguments, GridLinesSpanTheOtherDirection)
{
    const BuildingDescription d = makeGridDescription(
        "G", {{"1F", 0}, {"2F", 3500}}, {{"X1", 0}, {"X2", 6000}, {"X3", 12000}}, {{"Y1", -1000}, {"Y2", 5000}}, 500);
    ASSERT_EQ(d.axes.size(), 5u);
    EXPECT_EQ(d.axes[1].name, "X2");
    EXPECT_NEAR(d.axes[1].segment.a.x, 6000, kTol);
    EXPECT_NEAR(d.axes[1].segment.a.y, -1500, kTol);
    EXPECT_NEAR(d.axes[1].segment.b.y, 5500, kTol);
    EXPECT_EQ(d.axes[4].name, "Y2");
    EXPECT_NEAR(d.axes[4].segment.a.x, -500, kTol);
    EXPECT_NEAR(d.axes[4].segment.b.x, 12500, kTol);
    EXPECT_NEAR(d.axes[4].segment.b.y, 5000, kTol);
    ResolvedDescription r;
    DescriptionError e;
    EXPECT_TRUE(resolveDescription(d, r, e)) << e.text();
}

TEST(TevaAxisCrossing, ModelRule)
{
    struct Case {
        const char* name;
        PlanSegment s, t;
        bool crosses;
        PlanPoint at;
    } cases[] = {
        {"Grid", {{0, 0}, {0, 10}}, {{-5, 5}, {5, 5}}, true, {0, 5}},
        {"EndsMeet", {{0, 0}, {0, 10}}, {{0, 10}, {10, 10}}, true, {0, 10}},
        {"GapWithinHalfMillimetre", {{0, 0}, {0, 10}}, {{0.4, 5}, {10, 5}}, true, {0, 5}},
        {"GapBeyondHalfMillimetre", {{0, 0}, {0, 10}}, {{0.6, 5}, {10, 5}}, false, {}},
        {"Parallel", {{0, 0}, {0, 10}}, {{1, 0}, {1, 10}}, false, {}},
        {"Collinear", {{0, 0}, {0, 10}}, {{0, 5}, {0, 20}}, false, {}},
        {"Diagonal", {{0, 0}, {8, 6}}, {{4, 0}, {4, 10}}, true, {4, 3}},
    };
    for (const Case& c : cases) {
        PlanPoint at{-1, -1};
        EXPECT_EQ(crossAxes(c.s, c.t, at), c.crosses) << c.name;
        if (c.crosses) {
            EXPECT_NEAR(at.x, c.at.x, 1e-9) << c.name;
            EXPECT_NEAR(at.y, c.at.y, 1e-9) << c.name;
        }
    }
}

} // namespace
