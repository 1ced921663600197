// The teva tool run as a child process from the build's bin folder:
// import, new, demo, dump and check, and that failures write nothing.
#include "JsonDocument.h"
#include "RecordLayouts.h"
#include "TempDir.h"
#include "TestBuilding.h"
#include "tevalib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <dirent.h>
#include <string>
#include <unistd.h>
#include <vector>

using testing_support::ProcessResult;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
using teva::Json;

namespace {

constexpr double kHeightTol = 0.5;  // mm; positions come back as floats

ProcessResult teva(const std::vector<std::string>& args)
{
    return testing_support::RunProcess(testing_support::BinDir() + "/teva", args);
}

std::vector<std::string> listFolder(const std::string& path)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(path.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..")
                names.push_back(n);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

int lineCount(const std::string& s)
{
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

// `teva dump --json FILE`, read back.
Json dumpJson(const std::string& file)
{
    const ProcessResult r = teva({"dump", file, "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    Json v = Json::parse(r.out, nullptr, false);
    EXPECT_FALSE(v.is_discarded()) << r.out.substr(0, 200);
    return v;
}

const Json& at(const Json& v, const char* key)
{
    static const Json none;
    if (!v.is_object())
        return none;
    const auto it = v.find(key);
    return it == v.end() ? none : *it;
}

const Json* findByName(const Json& list, const std::string& name)
{
    for (const Json& e : list) {
        if (at(e, "name") == name)
            return &e;
    }
    return nullptr;
}

// Three storeys, a 2 x 2 grid with a diagonal D, two levels, a four-edge
// slope from 2F to RF and a five-edge slope from 1F to the level M.
const std::string kSmall = R"({
  "title": "Small",
  "storeys": [
    {"name": "1F", "height": 0},
    {"name": "2F", "height": 3000},
    {"name": "RF", "height": 6000}
  ],
  "axes": [
    {"name": "X1", "from": [0, 0], "to": [0, 8000]},
    {"name": "X2", "from": [10000, 0], "to": [10000, 8000]},
    {"name": "Y1", "from": [0, 0], "to": [10000, 0]},
    {"name": "Y2", "from": [0, 8000], "to": [10000, 8000]},
    {"name": "D", "from": [10000, 4000], "to": [6000, 8000]}
  ],
  "levels": [
    {"name": "M", "type": 2, "storey": "1F", "height": 1500},
    {"name": "L", "type": 1, "height": 4000}
  ],
  "slopes": [
    {"name": "S", "edges": ["Y1", "X2", "Y2", "X1"],
     "lower": "2F", "upper": "RF", "bottom": "Y1", "top": "Y2"},
    {"name": "P", "edges": ["Y1", "X2", "D", "Y2", "X1"],
     "lower": "1F", "upper": {"level": "M"}, "bottom": "Y1", "top": "Y2"}
  ]
})";

TEST(TevaTool, HelpAndUsage)
{
    const ProcessResult help = teva({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("teva new FILE --storeys"), std::string::npos);
    EXPECT_NE(help.out.find("teva import FILE DESCRIPTION.json"), std::string::npos);

    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"new", "x.teva", "--storeys", "1F:0", "--x", "X1:0,X2:1"},
        {"dump"},
        {"dump", "a", "b"},
        {"import", "x.teva"},
        {"check", "x.teva", "--json"},
        {"new", "x.teva", "--storeys"},
    };
    for (const auto& args : wrong) {
        const ProcessResult r = teva(args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "" : args[0]) << ": " << r.err;
        EXPECT_EQ(lineCount(r.err), 1) << r.err;
    }
}

TEST(TevaTool, ImportSmallDescription)
{
    TempDir dir("teva-import");
    ASSERT_TRUE(WriteFile(dir.File("small.json"), kSmall));
    const ProcessResult r = teva({"import", dir.File("small.teva"), dir.File("small.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(listFolder(dir.Path()), (std::vector<std::string>{"small.json", "small.teva"}));

    const Json d = dumpJson(dir.File("small.teva"));
    EXPECT_EQ(at(d, "title").get<std::string>(), "Small");
    EXPECT_EQ(at(d, "storeys").size(), 3u);
    EXPECT_EQ(at(d, "axes").size(), 5u);
    EXPECT_EQ(at(at(d, "names"), "sublayer").size(), 2u);
    EXPECT_EQ(at(at(d, "names"), "slope").size(), 2u);
    // 3 storeys + 2 levels + 2 slopes; 4 grid crossings + 2 of the diagonal.
    EXPECT_EQ(at(d, "layers").size(), 7u);
    EXPECT_EQ(at(d, "crossings").get<double>(), 6);
    EXPECT_EQ(at(d, "nodes").get<double>(), 6);

    const Json& records = at(d, "records");
    EXPECT_EQ(at(records, "levels").size(), 2u);
    EXPECT_EQ(at(records, "axisLines").size(), 5u);
    EXPECT_EQ(at(records, "axisPoints").size(), 5u);
    ASSERT_EQ(at(records, "slopes").size(), 2u);
    // The five-edge slope keeps its fifth edge in a slope edge record.
    const auto& edges = at(records, "slopeEdges");
    ASSERT_EQ(edges.size(), 1u);
    const Json* x1 = findByName(at(at(d, "names"), "axis"), "X1");
    const Json* p = findByName(at(at(d, "names"), "slope"), "P");
    ASSERT_TRUE(x1 && p);
    EXPECT_EQ(at(edges[0], "edgeNumber").get<double>(), 5);
    EXPECT_EQ(at(edges[0], "axis").get<double>(), at(*x1, "number").get<double>());
    EXPECT_EQ(at(edges[0], "slopeNumber").get<double>(), at(*p, "number").get<double>());

    // The pentagon's record as the editor writes it: four edges, 5 corners,
    // lower 1F main layer, upper 1F sub-layer M, two corners each side.
    const Json* pRec = nullptr;
    for (const Json& s : at(records, "slopes")) {
        if (at(s, "slopeNumber").get<double>() == at(*p, "number").get<double>())
            pRec = &s;
    }
    ASSERT_NE(pRec, nullptr);
    const Json* m = findByName(at(at(d, "names"), "sublayer"), "M");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(at(*pRec, "vertexCount").get<double>(), 5);
    EXPECT_EQ(at(*pRec, "lowerStorey").get<double>(), 1);
    EXPECT_EQ(at(*pRec, "lowerSub").get<double>(), 0);
    EXPECT_EQ(at(*pRec, "upperStorey").get<double>(), 1);
    EXPECT_EQ(at(*pRec, "upperSub").get<double>(), at(*m, "number").get<double>());
    EXPECT_EQ(at(*pRec, "bottomCount").get<double>(), 1);
    EXPECT_EQ(at(*pRec, "topCount").get<double>(), 1);
    EXPECT_EQ(at(*pRec, "definition").get<double>(), 0);
    EXPECT_TRUE(at(*pRec, "otherWords").empty());

    // Its plane rises 1500 over 8000 in y; the corner on neither edge axis
    // (X2/D at y = 4000) lies on the plane.
    const Json* pSlope = findByName(at(d, "slopes"), "P");
    ASSERT_NE(pSlope, nullptr);
    const auto& corners = at(*pSlope, "corners");
    ASSERT_EQ(corners.size(), 5u);
    for (const Json& c : corners) {
        const auto& pos = at(c, "position");
        ASSERT_EQ(pos.size(), 3u);
        EXPECT_NEAR(pos[2].get<double>(), 1500.0 * pos[1].get<double>() / 8000.0, kHeightTol);
    }
    EXPECT_NEAR(at(at(*pSlope, "plane"), "b").get<double>(), 1500.0 / 8000.0, 1e-6);

    const ProcessResult check = teva({"check", dir.File("small.teva")});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
}

TEST(TevaTool, TextDumpHasEverySection)
{
    TempDir dir("teva-dump");
    ASSERT_TRUE(WriteFile(dir.File("small.json"), kSmall));
    ASSERT_EQ(teva({"import", dir.File("small.teva"), dir.File("small.json")}).exitCode, 0);
    const ProcessResult r = teva({"dump", dir.File("small.teva")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* part : {"Project \"Small\"", "Names", "Storeys (3)", "Layers (7)", "\"1F - M\"",
                             "\"2F - L\"", "Axes (5)", "Crossings 6, nodes 6", "Slopes (2)",
                             "plane z =", "slope edge (kind 19): 1", "edgeNumber=5"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
}

struct BadDescription {
    const char* name;
    std::string find;
    std::string replace;
    int line;
    const char* mention;  // a part of the message
};

void PrintTo(const BadDescription& c, std::ostream* os) { *os << c.name; }

class TevaToolRefusal : public ::testing::TestWithParam<BadDescription> {};

TEST_P(TevaToolRefusal, NamesEntryAndLineAndWritesNothing)
{
    const BadDescription& c = GetParam();
    std::string text = kSmall;
    const auto pos = text.find(c.find);
    ASSERT_NE(pos, std::string::npos);
    text.replace(pos, c.find.size(), c.replace);

    TempDir dir("teva-refusal");
    ASSERT_TRUE(WriteFile(dir.File("bad.json"), text));
    const auto before = listFolder(dir.Path());
    ProcessResult r = teva({"import", dir.File("new.teva"), dir.File("bad.json")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("bad.json:" + std::to_string(c.line) + ":"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
    EXPECT_EQ(listFolder(dir.Path()), before) << "no file, no leftover temporary";

    // An existing project stays byte for byte as it was, even with --force.
    ASSERT_EQ(teva({"demo", dir.File("old.teva")}).exitCode, 0);
    const std::string old = ReadFile(dir.File("old.teva"));
    const auto withOld = listFolder(dir.Path());
    r = teva({"import", dir.File("old.teva"), dir.File("bad.json"), "--force"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadFile(dir.File("old.teva")), old);
    EXPECT_EQ(listFolder(dir.Path()), withOld);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TevaToolRefusal,
    ::testing::Values(
        BadDescription{"UnknownEdgeAxis", R"(["Y1", "X2", "D", "Y2", "X1"])", R"(["Y1", "X2", "D", "Y7", "X1"])",
                       22, "slopes[1] \"P\": edge axis \"Y7\" does not exist"},
        BadDescription{"SyntaxError", R"("height": 3000},)", R"("height": 3000}})", 5,
                       "syntax error while parsing array"},
        BadDescription{"DuplicateKey", R"("bottom": "Y1", "top": "Y2"},)",
                       R"("bottom": "Y1", "top": "Y2", "bottom": "Y1"},)", 21, "duplicate key \"bottom\""},
        BadDescription{"WrongTypeDeepInSlopes", R"(["Y1", "X2", "D", "Y2", "X1"])",
                       R"(["Y1", "X2", "D", {"axis": "Y2"}, "X1"])", 22,
                       "slopes[1] \"P\": /slopes/1/edges/3 must be an axis name (a string), not an object"},
        BadDescription{"DuplicateAxis", R"({"name": "D",)", R"({"name": "X1",)", 13,
                       "axes[4] \"X1\": the name is already used"},
        BadDescription{"ImpossiblePlane",
                       "[\"Y1\", \"X2\", \"Y2\", \"X1\"],\n     \"lower\": \"2F\", \"upper\": \"RF\", \"bottom\": \"Y1\", \"top\": \"Y2\"}",
                       "[\"Y1\", \"X2\", \"D\", \"Y2\", \"X1\"],\n     \"lower\": \"2F\", \"upper\": \"RF\", \"bottom\": \"Y1\", \"top\": \"D\"}",
                       20, "slopes[0] \"S\": the outline cannot be a plane"},
        BadDescription{"LevelAboveNextStorey", R"("type": 1, "height": 4000)", R"("type": 1, "height": 5999.5)",
                       17, "levels[1] \"L\""},
        BadDescription{"UpperBelowLower", R"("lower": "2F", "upper": "RF")", R"("lower": "RF", "upper": "2F")",
                       21, "slopes[0] \"S\": the upper layer"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaTool, DescriptionOverTheSizeCapIsRefusedUnread)
{
    // A sparse file one byte over 64 MiB: refused by its size, so its
    // content (zero bytes) is never read or parsed.
    TempDir dir("teva-size-cap");
    const std::string big = dir.File("big.json");
    ASSERT_TRUE(WriteFile(big, ""));
    ASSERT_EQ(::truncate(big.c_str(), (64 << 20) + 1), 0);
    ASSERT_EQ(teva({"demo", dir.File("old.teva")}).exitCode, 0);
    const std::string old = ReadFile(dir.File("old.teva"));
    const auto before = listFolder(dir.Path());
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"import", dir.File("new.teva"), big}, {"import", dir.File("old.teva"), big, "--force"}}) {
        const ProcessResult r = teva(args);
        EXPECT_EQ(r.exitCode, 1) << args[1];
        EXPECT_EQ(lineCount(r.err), 1) << r.err;
        EXPECT_NE(r.err.find("big.json: the file is larger than 64 MiB (67108865 bytes)"), std::string::npos)
            << r.err;
        EXPECT_EQ(listFolder(dir.Path()), before);
        EXPECT_EQ(ReadFile(dir.File("old.teva")), old);
    }
}

TEST(TevaTool, ExistingFileNeedsForce)
{
    TempDir dir("teva-force");
    ASSERT_TRUE(WriteFile(dir.File("small.json"), kSmall));
    ASSERT_EQ(teva({"demo", dir.File("p.teva")}).exitCode, 0);
    const std::string demo = ReadFile(dir.File("p.teva"));

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"import", dir.File("p.teva"), dir.File("small.json")},
             {"demo", dir.File("p.teva")},
             {"new", dir.File("p.teva"), "--storeys", "1F:0", "--x", "A:0,B:1000", "--y", "C:0,D:1000"}}) {
        const ProcessResult r = teva(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_NE(r.err.find("already exists (use --force"), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(dir.File("p.teva")), demo) << args[0];
    }
    const ProcessResult r = teva({"import", dir.File("p.teva"), dir.File("small.json"), "--force"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(at(dumpJson(dir.File("p.teva")), "title").get<std::string>(), "Small");
    EXPECT_EQ(listFolder(dir.Path()), (std::vector<std::string>{"p.teva", "small.json"}));
}

TEST(TevaTool, TargetsThatCannotBeWritten)
{
    TempDir dir("teva-targets");
    const std::vector<std::string> grid = {"--storeys", "1F:0", "--x", "A:0,B:1000", "--y", "C:0,D:1000"};
    struct Case {
        const char* name;
        std::string target;
        bool force;
        const char* mention;
    } cases[] = {
        {"MissingFolder", dir.File("no/such/folder/p.teva"), false, "cannot create"},
        {"FolderAsTarget", dir.Path(), true, "not a regular file"},
        {"FolderWithoutForce", dir.Path(), false, "already exists"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"new", c.target};
        args.insert(args.end(), grid.begin(), grid.end());
        if (c.force)
            args.push_back("--force");
        const ProcessResult r = teva(args);
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_EQ(lineCount(r.err), 1) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << c.name << ": " << r.err;
        EXPECT_TRUE(listFolder(dir.Path()).empty()) << c.name;
    }
}

TEST(TevaTool, NewMakesTheGrid)
{
    TempDir dir("teva-new");
    const ProcessResult r = teva({"new", dir.File("g.teva"), "--storeys", "1F:0,2F:3500,RF:7000", "--x",
                                  "X1:0,X2:6000,X3:12000", "--y", "Y1:0, Y2:5000", "--title", "Grid"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json d = dumpJson(dir.File("g.teva"));
    EXPECT_EQ(at(d, "title").get<std::string>(), "Grid");

    const double heights[] = {0, 3500, 7000};
    const char* storeyNames[] = {"1F", "2F", "RF"};
    const auto& storeys = at(d, "storeys");
    ASSERT_EQ(storeys.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(at(storeys[k], "name").get<std::string>(), storeyNames[k]);
        EXPECT_NEAR(at(storeys[k], "height").get<double>(), heights[k], 1e-9);
    }

    struct Axis {
        const char* name;
        double x1, y1, x2, y2;
    } expected[] = {{"X1", 0, 0, 0, 5000},     {"X2", 6000, 0, 6000, 5000}, {"X3", 12000, 0, 12000, 5000},
                    {"Y1", 0, 0, 12000, 0},   {"Y2", 0, 5000, 12000, 5000}};
    const auto& axes = at(d, "axes");
    ASSERT_EQ(axes.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(at(axes[i], "name").get<std::string>(), expected[i].name);
        const auto& from = at(axes[i], "from");
        const auto& to = at(axes[i], "to");
        ASSERT_EQ(from.size(), 2u);
        ASSERT_EQ(to.size(), 2u);
        EXPECT_NEAR(from[0].get<double>(), expected[i].x1, 1e-3);
        EXPECT_NEAR(from[1].get<double>(), expected[i].y1, 1e-3);
        EXPECT_NEAR(to[0].get<double>(), expected[i].x2, 1e-3);
        EXPECT_NEAR(to[1].get<double>(), expected[i].y2, 1e-3);
    }
    EXPECT_EQ(at(d, "crossings").get<double>(), 6);
    EXPECT_EQ(at(d, "nodes").get<double>(), 6);
    // Per storey layer: 3 X lines of 1 span, 2 Y lines of 2 spans.
    for (const Json& l : at(d, "layers")) {
        EXPECT_EQ(at(l, "kind").get<std::string>(), "storey");
        EXPECT_EQ(at(l, "nodes").get<double>(), 6);
        EXPECT_EQ(at(l, "spans").get<double>(), 7);
    }
    EXPECT_EQ(teva({"check", dir.File("g.teva")}).exitCode, 0);
}

struct BadGrid {
    const char* name;
    std::vector<std::string> options;
    const char* mention;
};

void PrintTo(const BadGrid& c, std::ostream* os) { *os << c.name; }

class TevaToolBadGrid : public ::testing::TestWithParam<BadGrid> {};

TEST_P(TevaToolBadGrid, IsRefusedAndWritesNothing)
{
    TempDir dir("teva-badgrid");
    std::vector<std::string> args = {"new", dir.File("g.teva")};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const ProcessResult r = teva(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(GetParam().mention), std::string::npos) << r.err;
    EXPECT_TRUE(listFolder(dir.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TevaToolBadGrid,
    ::testing::Values(
        BadGrid{"NotANumber", {"--storeys", "1F:0,2F:x", "--x", "A:0,B:1", "--y", "C:0,D:1"}, "item \"2F:x\""},
        BadGrid{"SameHeights", {"--storeys", "1F:0,2F:0", "--x", "A:0,B:1", "--y", "C:0,D:1"},
                "storeys[1] \"2F\": height 0 is within 1 mm"},
        BadGrid{"DuplicateLineName", {"--storeys", "1F:0", "--x", "A:0,B:1000", "--y", "A:0,D:1000"},
                "axes[2] \"A\": the name is already used"},
        BadGrid{"SingleLine", {"--storeys", "1F:0", "--x", "A:0", "--y", "C:0,D:1000"}, "would have no length"},
        BadGrid{"NegativeExtend", {"--storeys", "1F:0", "--x", "A:0", "--y", "C:0", "--extend", "-5"},
                "--extend"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaTool, SingleLinesWithExtension)
{
    TempDir dir("teva-extend");
    const ProcessResult r = teva({"new", dir.File("g.teva"), "--storeys", "1F:0", "--x", "A:100", "--y", "B:200",
                                  "--extend", "1000"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json d = dumpJson(dir.File("g.teva"));
    EXPECT_EQ(at(d, "crossings").get<double>(), 1);
    const auto& a = at(d, "axes");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_NEAR(at(a[0], "from")[1].get<double>(), -800, 1e-3);
    EXPECT_NEAR(at(a[0], "to")[1].get<double>(), 1200, 1e-3);
}

TEST(TevaTool, DemoBuildingIsSoundAndHasAGableRoof)
{
    TempDir dir("teva-demo");
    const ProcessResult made = teva({"demo", dir.File("demo.teva")});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const ProcessResult check = teva({"check", dir.File("demo.teva")});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    EXPECT_NE(check.out.find("sound"), std::string::npos);

    const Json d = dumpJson(dir.File("demo.teva"));
    const auto& storeys = at(d, "storeys");
    ASSERT_GE(storeys.size(), 4u);
    const double eaves = at(*findByName(at(d, "storeys"), "RF"), "height").get<double>();
    const double ridge = at(*findByName(at(d, "storeys"), "R"), "height").get<double>();
    EXPECT_GT(ridge, eaves);

    // At least a 5 x 4 grid, a diagonal, a sub-layer of a type-2 level.
    int alongY = 0, alongX = 0, diagonal = 0;
    for (const Json& a : at(d, "axes")) {
        const double dx = at(a, "to")[0].get<double>() - at(a, "from")[0].get<double>();
        const double dy = at(a, "to")[1].get<double>() - at(a, "from")[1].get<double>();
        (dx == 0 ? alongY : dy == 0 ? alongX : diagonal)++;
    }
    EXPECT_GE(alongY, 5);
    EXPECT_GE(alongX, 4);
    EXPECT_GE(diagonal, 1);
    bool typeTwo = false;
    for (const Json& l : at(at(d, "records"), "levels"))
        typeTwo = typeTwo || at(l, "type").get<double>() == 2;
    EXPECT_TRUE(typeTwo);
    int sublayers = 0;
    for (const Json& l : at(d, "layers"))
        sublayers += at(l, "kind").get<std::string>() == "sublayer";
    EXPECT_GE(sublayers, 1);

    // Two slopes of four corners, two at the eaves and two at the ridge,
    // sharing the ridge corners and sloping in opposite directions.
    const auto& slopes = at(d, "slopes");
    ASSERT_EQ(slopes.size(), 2u);
    std::vector<std::vector<double>> ridgeCorners;
    for (const Json& s : slopes) {
        const auto& corners = at(s, "corners");
        ASSERT_EQ(corners.size(), 4u) << at(s, "name").get<std::string>();
        int atEaves = 0, atRidge = 0;
        for (const Json& c : corners) {
            const auto& p = at(c, "position");
            ASSERT_EQ(p.size(), 3u);
            if (std::fabs(p[2].get<double>() - eaves) <= kHeightTol)
                ++atEaves;
            if (std::fabs(p[2].get<double>() - ridge) <= kHeightTol) {
                ++atRidge;
                ridgeCorners.push_back({p[0].get<double>(), p[1].get<double>()});
            }
        }
        EXPECT_EQ(atEaves, 2);
        EXPECT_EQ(atRidge, 2);
        EXPECT_TRUE(at(s, "plane").is_object());
    }
    ASSERT_EQ(ridgeCorners.size(), 4u);
    std::sort(ridgeCorners.begin(), ridgeCorners.end());
    EXPECT_EQ(ridgeCorners[0], ridgeCorners[1]);
    EXPECT_EQ(ridgeCorners[2], ridgeCorners[3]);
    const double b0 = at(at(slopes[0], "plane"), "b").get<double>();
    const double b1 = at(at(slopes[1], "plane"), "b").get<double>();
    EXPECT_NEAR(b0, -b1, 1e-6);
    EXPECT_GT(std::fabs(b0), 0.1);
}

TEST(TevaTool, JapaneseNamesSurviveImportAndDump)
{
    std::string text = kSmall;
    text.replace(text.find(R"({"name": "S",)"), 13, R"({"name": "\u5357\u5c4b\u6839",)");
    text.replace(text.find(R"({"name": "RF")"), 13, R"({"name": "屋上階")");
    text.replace(text.find(R"("upper": "RF")"), 13, R"("upper": "屋上階")");
    TempDir dir("teva 日本語");
    ASSERT_TRUE(WriteFile(dir.File("名前.json"), text));
    const ProcessResult r = teva({"import", dir.File("建物.teva"), dir.File("名前.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json d = dumpJson(dir.File("建物.teva"));
    EXPECT_NE(findByName(at(at(d, "names"), "slope"), "南屋根"), nullptr);
    EXPECT_NE(findByName(at(d, "storeys"), "屋上階"), nullptr);
    EXPECT_NE(findByName(at(d, "slopes"), "南屋根"), nullptr);
}

TEST(TevaTool, DumpAndCheckRefuseWhatIsNoProject)
{
    TempDir dir("teva-notproject");
    ASSERT_TRUE(WriteFile(dir.File("text.teva"), "this is not a project\n"));
    ASSERT_TRUE(WriteFile(dir.File("empty.teva"), ""));
    for (const char* name : {"text.teva", "empty.teva"}) {
        const std::string before = ReadFile(dir.File(name));
        for (const char* command : {"dump", "check"}) {
            const ProcessResult r = teva({command, dir.File(name)});
            EXPECT_EQ(r.exitCode, 1) << command << " " << name;
            EXPECT_EQ(lineCount(r.err), 1) << r.err;
            EXPECT_NE(r.err.find("cannot open"), std::string::npos) << r.err;
            EXPECT_EQ(ReadFile(dir.File(name)), before);
        }
    }
    const ProcessResult missing = teva({"dump", dir.File("missing.teva")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("does not exist"), std::string::npos);
    EXPECT_FALSE(testing_support::FileExists(dir.File("missing.teva")));
}

// How often `part` occurs in `text`.
int occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(TevaTool, CheckReportsRecordsThatReferToNothingOnce)
{
    // A project written directly through the library, with a slope whose
    // edges name axes that do not exist and a point of a missing line: the
    // library's check tells each, and the tool's own check does not repeat it.
    TempDir dir("teva-inconsistent");
    const std::string file = dir.File("bad.teva");
    ASSERT_EQ(teva_create(file.c_str(), "bad"), 0) << teva_last_error();
    ASSERT_EQ(teva_add_storey("1F", 0), 1);
    ASSERT_EQ(teva_add_storey("2F", 3000), 2);
    ASSERT_GE(DB_Usno(TEVA_NAME_SLOPE, "ghost"), 1);
    teva::SlopeRecord s;
    s.slopeNumber = 1;
    s.edgeAxis[0] = 7;
    s.edgeAxis[1] = 8;
    s.edgeAxis[2] = 9;
    s.vertexCount = 3;
    s.lowerStorey = 1;
    s.upperStorey = 2;
    s.bottomAxis = 7;
    s.topAxis = 8;
    unsigned char rec[TEVA_SIZE_SLOPE];
    teva::encode(s, rec);
    ASSERT_EQ(DB_put(TEVA_REC_SLOPE, rec), 0);
    teva::AxisPointRecord p{42, 2, 1.0, 2.0};
    unsigned char prec[TEVA_SIZE_AXIS_POINT];
    teva::encode(p, prec);
    ASSERT_EQ(DB_put(TEVA_REC_AXIS_POINT, prec), 0);
    teva_close();

    const ProcessResult r = teva({"check", file});
    EXPECT_EQ(r.exitCode, 1);
    for (const char* once : {"slope 1: the axis of edge 1 does not exist", "slope 1: the axis of edge 3 does not exist",
                             "axis point 2 of axis line 42: belongs to no line"})
        EXPECT_EQ(occurrences(r.out, once), 1) << once << "\n" << r.out;
    EXPECT_EQ(occurrences(r.out, "line 42"), 1) << r.out;
    // The tool names the slope whose outline this breaks, once.
    EXPECT_EQ(occurrences(r.out, "slope \"ghost\" (1): the outline is invalid"), 1) << r.out;
    EXPECT_NE(r.err.find("problem(s) found"), std::string::npos) << r.err;
    EXPECT_EQ(lineCount(r.err), 1);
}

struct ToolCheckCase {
    const char* name;
    modeldbtest::SlopeSpec slope;
    const char* mention;  // a part of the problem the tool's own check finds
};

void PrintTo(const ToolCheckCase& c, std::ostream* os) { *os << c.name; }

class TevaToolOwnCheck : public ::testing::TestWithParam<ToolCheckCase> {};

// What the library's check cannot see (it checks records, not the model
// made of them) is found by the tool's.
TEST_P(TevaToolOwnCheck, FindsWhatTheLibraryCheckDoesNot)
{
    const ToolCheckCase& c = GetParam();
    TempDir dir("teva-own-check");
    const std::string file = dir.File("p.teva");
    ASSERT_TRUE(modeldbtest::makeGridBuilding(file));
    // D runs from X1 at y = 9000 to X2 at y = 8000: not parallel to Y1.
    ASSERT_GE(modeldbtest::addAxis("D", 0, 9000, 12000, 7000), 1);
    ASSERT_GE(modeldbtest::addSlope(c.slope), 1);
    EXPECT_EQ(teva_check(), 0) << teva_last_error();
    teva_close();

    const ProcessResult r = teva({"check", file});
    EXPECT_EQ(r.exitCode, c.mention[0] ? 1 : 0) << r.out << r.err;
    if (c.mention[0])
        EXPECT_NE(r.out.find(c.mention), std::string::npos) << r.out;
    else
        EXPECT_NE(r.out.find("sound"), std::string::npos) << r.out;
}

modeldbtest::SlopeSpec slopeOf(std::vector<const char*> edges, const char* bottom, const char* top)
{
    modeldbtest::SlopeSpec s;
    s.name = "roof";
    s.edges = std::move(edges);
    s.bottom = bottom;
    s.top = top;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TevaToolOwnCheck,
    ::testing::Values(
        ToolCheckCase{"SoundSlope", slopeOf({"Y1", "X2", "Y2", "X1"}, "Y1", "Y2"), ""},
        ToolCheckCase{"BottomAxisNotAnEdge", slopeOf({"Y1", "X2", "Y2", "X1"}, "X3", "Y2"),
                      "slope \"roof\" (1): its bottom axis (name 3) is none of its edges"},
        ToolCheckCase{"TopAxisNotAnEdge", slopeOf({"Y1", "X2", "Y2", "X1"}, "Y1", "Y3"),
                      "slope \"roof\" (1): its top axis (name 6) is none of its edges"},
        ToolCheckCase{"CornersOffThePlane", slopeOf({"Y1", "X2", "D", "X1"}, "Y1", "D"),
                      "(the outline is not plane)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaTool, CheckListsAtMostTwoHundredProblems)
{
    // 110 slopes whose bottom and top axes are none of their edges: 220
    // problems of the tool's own check, of which the first 200 are printed.
    TempDir dir("teva-many-problems");
    const std::string file = dir.File("bad.teva");
    ASSERT_TRUE(modeldbtest::makeGridBuilding(file));
    for (int i = 1; i <= 110; ++i) {
        const std::string name = "s" + std::to_string(i);
        modeldbtest::SlopeSpec slope = slopeOf({"Y1", "X2", "Y2", "X1"}, "X3", "Y3");
        slope.name = name.c_str();
        ASSERT_GE(modeldbtest::addSlope(slope), 1);
    }
    teva_close();

    const ProcessResult r = teva({"check", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lineCount(r.out), 201);
    EXPECT_NE(r.out.find("... and 20 more\n"), std::string::npos) << r.out.substr(r.out.size() - 200);
    EXPECT_NE(r.out.find("slope \"s1\" (1): its bottom axis"), std::string::npos) << r.out.substr(0, 400);
    EXPECT_NE(r.err.find("220 problem(s) found"), std::string::npos) << r.err;
}

// Removes axis line `lineId` and its second point, as if the axis had been
// deleted under the slopes that use it.
void removeAxisLine(int16_t lineId)
{
    unsigned char line[TEVA_SIZE_AXIS_LINE] = {};
    teva::putI16(line, 0, lineId);
    unsigned char point[TEVA_SIZE_AXIS_POINT] = {};
    teva::putI16(point, 0, lineId);
    teva::putI16(point, 2, 2);
    EXPECT_EQ(DB_del(TEVA_REC_AXIS_LINE, line), 0);
    EXPECT_EQ(DB_del(TEVA_REC_AXIS_POINT, point), 0);
}

// The grid building with "roof" (Y1 X2 Y2 X1, 2F to 3F) and "hip" (five
// edges Y2 X3 Y3 X2 D2, with one edge record, 1F to 2F); with `broken`,
// axis X2 (line 2) is then removed, which breaks both outlines.
void makeSlopedGrid(const std::string& file, bool broken)
{
    ASSERT_TRUE(modeldbtest::makeGridBuilding(file));
    // D2 crosses X2 at (6000, 8000) and Y2 at (7500, 5000).
    ASSERT_GE(modeldbtest::addAxis("D2", 5500, 9000, 8000, 4000), 1);
    modeldbtest::SlopeSpec roof = slopeOf({"Y1", "X2", "Y2", "X1"}, "Y1", "Y2");
    roof.lowerStorey = 2;
    roof.upperStorey = 3;
    ASSERT_EQ(modeldbtest::addSlope(roof), 1);
    modeldbtest::SlopeSpec hip = slopeOf({"Y2", "X3", "Y3", "X2", "D2"}, "Y2", "Y3");
    hip.name = "hip";
    ASSERT_EQ(modeldbtest::addSlope(hip), 2);
    if (broken)
        removeAxisLine(2);
    teva_close();
}

TEST(TevaTool, CheckNamesABrokenSlopeAndWhatIsWrong)
{
    TempDir dir("teva-broken");
    const std::string file = dir.File("p.teva");
    makeSlopedGrid(file, true);
    const ProcessResult r = teva({"check", file});
    EXPECT_EQ(r.exitCode, 1);
    for (const char* part : {"slope \"roof\" (1): the outline is invalid", "edge 2 names axis \"X2\" (name 2), which does not exist",
                             "slope \"hip\" (2): the outline is invalid", "edge 4 names axis \"X2\" (name 2)",
                             "teva delete-slope removes it"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    // Each broken slope is one line, whatever else the library says.
    EXPECT_EQ(occurrences(r.out, "the outline is invalid"), 2) << r.out;
}

TEST(TevaTool, CheckNamesASlopeThatIsNoLayer)
{
    TempDir dir("teva-no-layer");
    const std::string file = dir.File("p.teva");
    ASSERT_TRUE(modeldbtest::makeGridBuilding(file));
    modeldbtest::SlopeSpec s = slopeOf({"Y1", "X2", "Y2", "X1"}, "Y1", "Y2");
    s.lowerStorey = 0;
    ASSERT_EQ(modeldbtest::addSlope(s), 1);
    teva_close();
    const ProcessResult r = teva({"check", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("slope \"roof\" (1): its lower storey (0) does not exist"), std::string::npos) << r.out;
}

struct DeleteCase {
    const char* name;
    bool broken;         // X2 removed first, which breaks both slopes
    const char* slope;   // deleted
    const char* kept;    // the other one, still there afterwards
    int edgeRecords;     // of the deleted slope
};

void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.name; }

class TevaToolDeleteSlope : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(TevaToolDeleteSlope, RemovesRecordEdgesAndNameOnly)
{
    const DeleteCase& c = GetParam();
    TempDir dir("teva-delete");
    const std::string file = dir.File("p.teva");
    makeSlopedGrid(file, c.broken);
    const Json before = dumpJson(file);

    const ProcessResult r = teva({"delete-slope", file, c.slope});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("deleted slope \"" + std::string(c.slope) + "\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(std::to_string(c.edgeRecords) + " edge record(s)"), std::string::npos) << r.out;
    EXPECT_EQ(listFolder(dir.Path()), (std::vector<std::string>{"p.teva"})) << "no journal left behind";

    const Json after = dumpJson(file);
    const Json& names = at(at(after, "names"), "slope");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(at(names[0], "name"), c.kept);
    const Json& records = at(after, "records");
    ASSERT_EQ(at(records, "slopes").size(), 1u);
    EXPECT_EQ(at(at(records, "slopes")[0], "slopeNumber"), at(names[0], "number"));
    for (const Json& e : at(records, "slopeEdges"))
        EXPECT_EQ(at(e, "slopeNumber"), at(names[0], "number"));
    // Nothing else changed: axes, storeys, levels and the other slope.
    for (const char* kind : {"levels", "axisLines", "axisPoints"})
        EXPECT_EQ(at(records, kind), at(at(before, "records"), kind)) << kind;
    EXPECT_EQ(at(after, "storeys"), at(before, "storeys"));
    EXPECT_EQ(at(at(after, "names"), "axis"), at(at(before, "names"), "axis"));

    // Without the broken slope's line, only the other one (broken too when
    // X2 is gone) is left to report.
    const ProcessResult check = teva({"check", file});
    EXPECT_EQ(check.out.find("\"" + std::string(c.slope) + "\""), std::string::npos) << check.out;
    EXPECT_EQ(check.exitCode, c.broken ? 1 : 0) << check.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TevaToolDeleteSlope,
    ::testing::Values(DeleteCase{"FourEdges", false, "roof", "hip", 0},
                      DeleteCase{"FiveEdgesWithAnEdgeRecord", false, "hip", "roof", 1},
                      DeleteCase{"BrokenFourEdges", true, "roof", "hip", 0},
                      DeleteCase{"BrokenFiveEdges", true, "hip", "roof", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TevaTool, DeleteSlopeRefusalsWriteNothing)
{
    TempDir dir("teva-delete-refused");
    const std::string file = dir.File("p.teva");
    makeSlopedGrid(file, true);
    const std::string bytes = ReadFile(file);
    const auto folder = listFolder(dir.Path());
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string mention;
    } cases[] = {
        {{"delete-slope", file, "nope"}, 1, "there is no slope named \"nope\""},
        {{"delete-slope", file, "Roof"}, 1, "there is no slope named \"Roof\""},
        {{"delete-slope", file, "roof" + std::string(70, 'x')}, 1, "there is no slope named"},
        {{"delete-slope", file, ""}, 1, "there is no slope named \"\""},
        {{"delete-slope", dir.File("missing.teva"), "roof"}, 1, "does not exist"},
        {{"delete-slope", file}, 2, "delete-slope needs FILE and NAME"},
        {{"delete-slope", file, "roof", "hip"}, 2, "delete-slope needs FILE and NAME"},
        {{"delete-slope", file, "roof", "--force"}, 2, "unknown option"},
    };
    for (const Case& c : cases) {
        const ProcessResult r = teva(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back();
        EXPECT_EQ(lineCount(r.err), 1) << r.err;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(file), bytes) << c.args.back();
        EXPECT_EQ(listFolder(dir.Path()), folder) << c.args.back();
    }
    EXPECT_NE(teva({"--help"}).out.find("teva delete-slope FILE NAME"), std::string::npos);
}

} // namespace
