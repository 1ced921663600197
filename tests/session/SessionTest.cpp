// The session entry against stand-in model libraries: which sessions open the
// editor, which are refused and with what message, and that every session
// binds the library afresh.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "ExecutablePath.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "model/ModelDbLibrary.h"
#include "session/Session.h"

using testing_support::CopyFile;
using testing_support::TempDir;

namespace {

std::string StubDir(const std::string& variant) { return std::string(TORMEL_STUB_ROOT) + "/" + variant; }

// Watches for the modal main window while a session runs: calls `inside`
// once it is shown, then closes it as the user would.
class ModalCloser {
public:
    explicit ModalCloser(std::function<void(QWidget*)> inside = {}) : inside_(std::move(inside)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != "MainDialog") return;
            ++shown_;
            if (inside_) inside_(modal);
            modal->close();
        });
        timer_.start();
    }
    int Shown() const { return shown_; }

private:
    QTimer timer_;
    std::function<void(QWidget*)> inside_;
    int shown_ = 0;
};

struct SessionCase {
    const char* name;
    const char* stub;
    int result;
    int windowsShown;
    std::vector<std::string> messages;
};

class SessionEntry : public ::testing::TestWithParam<SessionCase> {};

TEST_P(SessionEntry, OpensOrRefusesAsTheLibraryAnswers) {
    const SessionCase& c = GetParam();
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    ModalCloser closer;
    EXPECT_EQ(RunSession(StubDir(c.stub)), c.result);
    EXPECT_EQ(closer.Shown(), c.windowsShown);
    EXPECT_EQ(dialogs.Messages(), c.messages);
    EXPECT_FALSE(ModelDbLibrary::Instance().IsLoaded());
    EXPECT_EQ(Db().DB_get, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Stubs, SessionEntry,
    ::testing::Values(
        SessionCase{"ProjectStatusMinusOneOpens", "stub_open", 0, 1, {}},
        SessionCase{"ProjectStatusMinusTwoIsRefused", "stub_noproject", -1, 0,
                    {"物件データを作成してください。"}},
        SessionCase{"MissingUsedEntryIsNamed", "stub_missing", -1, 0, {"no entry sp_nno in tevalib.so"}},
        SessionCase{"NoLibrary", "no_such_folder", -1, 0, {"no exist tevalib.so"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SessionEntryTwice, SecondSessionLoadsAndResolvesAfresh) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    std::vector<int> callsSeen;
    std::vector<bool> boundInside;
    ModalCloser closer([&](QWidget*) {
        // The stub counts its DB_get calls since it was loaded: a fresh load
        // has seen exactly the project check.
        auto* library = &ModelDbLibrary::Instance();
        boundInside.push_back(library->IsLoaded() && Db().DB_get && Db().sp_nno);
        platform::DynamicLibrary same;
        ASSERT_TRUE(same.Open(StubDir("stub_open") + "/tevalib.so"));
        auto calls = reinterpret_cast<int (*)()>(same.Resolve("stub_db_get_calls"));
        ASSERT_NE(calls, nullptr);
        callsSeen.push_back(calls());
    });
    EXPECT_EQ(RunSession(StubDir("stub_open")), 0);
    EXPECT_EQ(RunSession(StubDir("stub_open")), 0);
    EXPECT_EQ(closer.Shown(), 2);
    EXPECT_EQ(callsSeen, (std::vector<int>{1, 1}));
    EXPECT_EQ(boundInside, (std::vector<bool>{true, true}));
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST(LibraryLocation, FolderWithSpacesAndJapaneseCharacters) {
    TempDir dir("ホスト フォルダ (テスト)");
    ASSERT_TRUE(CopyFile(StubDir("stub_open") + "/tevalib.so", dir.File("tevalib.so")));
    ModelDbLibrary& library = ModelDbLibrary::Instance();
    ASSERT_TRUE(library.LoadFrom(dir.Path()));
    EXPECT_TRUE(library.MissingUsedEntries().empty());
    library.Unload();
    EXPECT_FALSE(library.IsLoaded());
}

TEST(LibraryLocation, CurrentDirectoryIsNotSearched) {
    // The test program's own folder holds no tevalib.so; the current
    // directory does.
    ASSERT_FALSE(testing_support::FileExists(platform::ExecutableDirectory() + "tevalib.so"));
    TempDir dir;
    ASSERT_TRUE(CopyFile(StubDir("stub_open") + "/tevalib.so", dir.File("tevalib.so")));
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);

    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    ModalCloser closer;
    const int result = RunSession(platform::ExecutableDirectory());
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(closer.Shown(), 0);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"no exist tevalib.so"});
}

TEST(LibraryLocation, RelativeFolderIsRefused) {
    EXPECT_FALSE(ModelDbLibrary::Instance().LoadFrom("stubs/stub_open"));
    EXPECT_FALSE(ModelDbLibrary::Instance().LoadFrom(""));
}

}  // namespace
