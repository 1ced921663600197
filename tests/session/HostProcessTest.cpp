// tormel-host run as a person would run it, from a copied install folder
// holding a stand-in model library.

#include <gtest/gtest.h>

#include <QImage>

#include "TempDir.h"

using testing_support::BinDir;
using testing_support::CopyFile;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::TempDir;

namespace {

std::string StubDir(const std::string& variant) { return std::string(TORMEL_STUB_ROOT) + "/" + variant; }

// An install folder: the host, the module (or a stand-in) and a model library.
struct Install {
    explicit Install(const std::string& stub, const std::string& module = BinDir() + "/Vorna3D.so")
        : dir("インストール 先 (host)") {
        EXPECT_TRUE(CopyFile(BinDir() + "/tormel-host", dir.File("tormel-host")));
        if (!module.empty()) {
            EXPECT_TRUE(CopyFile(module, dir.File("Vorna3D.so")));
        }
        if (!stub.empty()) {
            EXPECT_TRUE(CopyFile(StubDir(stub) + "/tevalib.so", dir.File("tevalib.so")));
        }
        EXPECT_TRUE(testing_support::WriteFile(dir.File("project.tvp"), "a project"));
    }
    ProcessResult Run(const std::vector<std::string>& args) const {
        return RunProcess(dir.File("tormel-host"), args, "/");
    }
    TempDir dir;
};

TEST(HostProcess, ScreenshotOfTheMainWindowFromAFolderWithJapaneseName) {
    Install install("stub_open");
    const std::string png = install.dir.File("shot.png");
    ProcessResult r = install.Run({"--screenshot", png, install.dir.File("project.tvp")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 800);
    EXPECT_EQ(image.height(), 600);
}

TEST(HostProcess, RefusedSessionPrintsTheMessageAndFails) {
    Install install("stub_noproject");
    ProcessResult r = install.Run({"--screenshot", install.dir.File("shot.png"), install.dir.File("project.tvp")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("物件データを作成してください。"), std::string::npos) << r.err;
    EXPECT_FALSE(testing_support::FileExists(install.dir.File("shot.png")));
}

struct FailureCase {
    const char* name;
    const char* stub;
    bool withModule;
    bool badModule;
    std::vector<std::string> args;  // "$P" stands for the project file
    int exitCode;
    const char* errorText;
};

class HostFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(HostFailures, OneLineMessageAndNonZeroExit) {
    const FailureCase& c = GetParam();
    std::string module = c.withModule ? (c.badModule ? StubDir("stub_notamodule") + "/Vorna3D.so"
                                                     : BinDir() + "/Vorna3D.so")
                                      : std::string();
    Install install(c.stub, module);
    std::vector<std::string> args;
    for (const auto& a : c.args) args.push_back(a == "$P" ? install.dir.File("project.tvp") : a);
    ProcessResult r = install.Run(args);
    EXPECT_EQ(r.signal, 0) << "the host crashed";
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_NE(r.err.find(c.errorText), std::string::npos) << r.err;
    // One line: the message and its newline.
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostFailures,
    ::testing::Values(
        FailureCase{"MissingProject", "stub_open", true, false, {"/no/such/project.tvp"}, 2, "cannot open the project"},
        FailureCase{"MissingModelLibrary", "", true, false, {"$P"}, 2, "cannot load the model library"},
        FailureCase{"MissingModule", "stub_open", false, false, {"$P"}, 2, "cannot load the editor module"},
        FailureCase{"ModuleWithoutEntry", "stub_open", true, true, {"$P"}, 2, "no DLL_FUNC entry"},
        FailureCase{"NoProjectArgument", "stub_open", true, false, {}, 2, "no project given"},
        FailureCase{"UnknownOption", "stub_open", true, false, {"--frobnicate", "$P"}, 2, "unknown option"},
        FailureCase{"ScreenshotWithoutFile", "stub_open", true, false, {"--screenshot"}, 2, "needs a file name"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostProcess, HelpExplainsTheUsage) {
    Install install("stub_open");
    ProcessResult r = install.Run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("usage: tormel-host"), std::string::npos);
    EXPECT_NE(r.out.find("--screenshot"), std::string::npos);
}

}  // namespace
