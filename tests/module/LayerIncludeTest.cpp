// The module's folders are layers: a file may include headers of its own
// folder and of folders below it, never of one beside or above it. The
// build links the layers' libraries only downward; this test reads every
// #include line so an upward include fails here, naming the line, instead of
// compiling into a cycle.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Rank of each folder; a folder may include only folders of lower rank.
const std::map<std::string, int> kRank = {
    {"mesh", 0}, {"model", 1}, {"settings", 1}, {"toolkit", 2}, {"panels", 3}, {"view", 4}, {"session", 5}};

// The plain layers include neither Qt nor GL.
bool Plain(const std::string& folder) { return kRank.at(folder) <= 1; }

struct IncludeLine {
    std::string file;  // "view/SceneLayers.cpp"
    int line = 0;
    std::string text;
};

std::string Describe(const IncludeLine& l) { return l.file + ":" + std::to_string(l.line) + ": " + l.text; }

// Every #include line of the module's sources, by folder.
std::map<std::string, std::vector<IncludeLine>> ReadIncludes(const fs::path& root) {
    std::map<std::string, std::vector<IncludeLine>> includes;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        const fs::path relative = fs::relative(entry.path(), root);
        const std::string folder = relative.begin()->string();
        std::ifstream in(entry.path());
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            if (text.rfind("#include", 0) == 0) includes[folder].push_back({relative.string(), number, text});
        }
    }
    return includes;
}

// The offending lines among `lines`, written in `folder`.
std::vector<std::string> Violations(const std::string& folder, const std::vector<IncludeLine>& lines) {
    static const std::regex local(R"(#include\s+"([a-z]+)/)");
    static const std::regex system(R"(#include\s+<(Q|GL/|qopengl))");
    std::vector<std::string> wrong;
    const auto own = kRank.find(folder);
    if (own == kRank.end()) return {"module/" + folder + " is no known layer"};
    for (const IncludeLine& l : lines) {
        std::smatch m;
        if (std::regex_search(l.text, m, local)) {
            const auto target = kRank.find(m[1].str());
            if (target != kRank.end() && m[1].str() != folder && target->second >= own->second)
                wrong.push_back(Describe(l) + "  (" + m[1].str() + " is not below " + folder + ")");
        }
        if (Plain(folder) && std::regex_search(l.text, system))
            wrong.push_back(Describe(l) + "  (" + folder + " holds no Qt and no GL)");
    }
    return wrong;
}

TEST(LayerIncludes, NoIncludeRunsUpwardOrSideways) {
    const auto includes = ReadIncludes(TORMEL_MODULE_DIR);
    ASSERT_GE(includes.size(), kRank.size()) << "the module's folders were not found";
    std::string report;
    for (const auto& [folder, lines] : includes) {
        for (const std::string& v : Violations(folder, lines)) report += v + "\n";
    }
    EXPECT_TRUE(report.empty()) << report;
}

TEST(LayerIncludes, TheCheckSeesAnUpwardIncludeAndAnAllowedOne) {
    const std::vector<IncludeLine> lines = {
        {"model/A.cpp", 3, "#include \"view/Camera.h\""},        // upward
        {"model/A.cpp", 4, "#include \"settings/X.h\""},         // sideways: same rank
        {"model/A.cpp", 5, "#include \"mesh/MeshFile.h\""},      // downward
        {"model/A.cpp", 6, "#include \"model/Vec3d.h\""},        // own folder
        {"model/A.cpp", 7, "#include <QString>"},                // Qt in a plain layer
        {"model/A.cpp", 8, "#include \"tevalib.h\""},            // outside the module
    };
    const auto wrong = Violations("model", lines);
    ASSERT_EQ(wrong.size(), 3u);
    EXPECT_NE(wrong[0].find("model/A.cpp:3"), std::string::npos) << wrong[0];
    EXPECT_NE(wrong[1].find("model/A.cpp:4"), std::string::npos) << wrong[1];
    EXPECT_NE(wrong[2].find("model/A.cpp:7"), std::string::npos) << wrong[2];
    EXPECT_TRUE(Violations("session", {{"session/B.cpp", 1, "#include \"view/X.h\""}}).empty());
}

}  // namespace
