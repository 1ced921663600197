// The settings file as a whole: read once, written once, never half written,
// never replaced when it could not be read, and never given a number that is
// not finite.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <ostream>

#include "OrdinaryUser.h"
#include "SampleSettings.h"
#include "TempDir.h"
#include "settings/CheckItemSettings.h"
#include "settings/DisplaySettingsFile.h"
#include "settings/ProfileValue.h"
#include "settings/CameraPersistence.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// What happened to the files of one folder, as the kernel reports it.
class FolderEvents {
public:
    explicit FolderEvents(const std::string& folder)
        : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0) inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CREATE | IN_MOVED_TO);
    }
    ~FolderEvents() {
        if (fd_ >= 0) close(fd_);
    }
    bool Watching() const { return fd_ >= 0; }

    // Events of `mask` on `name` (any file when empty) since the last Reset.
    int Count(uint32_t mask, const std::string& name = {}) {
        Drain();
        int n = 0;
        for (const auto& [eventMask, eventName] : events_) {
            if ((eventMask & mask) && (name.empty() || eventName == name)) ++n;
        }
        return n;
    }
    void Reset() {
        Drain();
        events_.clear();
    }

private:
    void Drain() {
        alignas(inotify_event) char buffer[8192];
        ssize_t size;
        while ((size = read(fd_, buffer, sizeof buffer)) > 0) {
            for (char* p = buffer; p < buffer + size;) {
                auto* event = reinterpret_cast<inotify_event*>(p);
                events_.emplace_back(event->mask, event->len ? std::string(event->name) : "");
                p += sizeof(inotify_event) + event->len;
            }
        }
    }
    int fd_;
    std::vector<std::pair<uint32_t, std::string>> events_;
};

class SettingsFileTest : public testing::Test {
protected:
    TempDir dir{"vorna-batch"};
    std::string ini = dir.File("Vorna3D.ini");
};

TEST_F(SettingsFileTest, ASaveReplacesTheFileOnceAndALoadReadsItOnce) {
    ASSERT_TRUE(WriteFile(ini, "[Check]\ncheckArea=1\n"));
    FolderEvents events(dir.Path());
    ASSERT_TRUE(events.Watching());
    ASSERT_TRUE(SaveDisplaySettings(SampleTexts(), ini));
    EXPECT_EQ(events.Count(IN_OPEN, "Vorna3D.ini"), 1);      // read once
    EXPECT_EQ(events.Count(IN_MOVED_TO, "Vorna3D.ini"), 1);  // replaced once
    EXPECT_EQ(events.Count(IN_CREATE), 1);                   // by one temporary file
    events.Reset();

    DisplaySettings settings;
    ViewPreferences view;
    ASSERT_TRUE(LoadDisplaySettings(settings, view, ini));
    EXPECT_EQ(events.Count(IN_OPEN, "Vorna3D.ini"), 1);
    EXPECT_EQ(events.Count(IN_CREATE | IN_MOVED_TO), 0);
    EXPECT_EQ(settings.gridCountY, 6);
    events.Reset();

    CameraPosition camera;
    ASSERT_TRUE(SaveCameraPosition(camera, true, ini));
    EXPECT_EQ(events.Count(IN_MOVED_TO, "Vorna3D.ini"), 1);
    EXPECT_EQ(events.Count(IN_CREATE), 1);
    events.Reset();
    LoadCameraPosition(camera, ini);
    EXPECT_EQ(events.Count(IN_OPEN, "Vorna3D.ini"), 1);
    EXPECT_EQ(ReadCheckItem(1, ini), true);
}

// Runs `write` under a file size limit that cuts the new file short.
template <typename Write>
auto WithTinyFileSizeLimit(Write write) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    return result;
}

TEST_F(SettingsFileTest, AFailedSaveWritesNoKeyAndSaysSo) {
    const std::string old = "[init]\nNodeWidth=7\n";
    ASSERT_TRUE(WriteFile(ini, old));
    const SettingsResult saved =
        WithTinyFileSizeLimit([&] { return SaveDisplaySettings(SampleTexts(), ini); });
    EXPECT_EQ(saved.error, SettingsError::WriteFailed);
    EXPECT_NE(saved.message.find("設定ファイルに保存できませんでした。"), std::string::npos);
    EXPECT_NE(saved.message.find(ini), std::string::npos);
    EXPECT_EQ(ReadFile(ini), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    const SettingsResult camera = WithTinyFileSizeLimit(
        [&] { return SaveCameraPosition(CameraPosition{}, true, ini); });
    EXPECT_EQ(camera.error, SettingsError::WriteFailed);
    EXPECT_EQ(ReadFile(ini), old);
}

TEST_F(SettingsFileTest, AnUnknownPathOrMissingFolderFails) {
    EXPECT_EQ(SaveDisplaySettings(SampleTexts(), "").error, SettingsError::NoPath);
    EXPECT_FALSE(SaveDisplaySettings(SampleTexts(), "").message.empty());
    EXPECT_EQ(WriteCheckItem(1, true, "").error, SettingsError::NoPath);
    EXPECT_EQ(SaveDisplaySettings(SampleTexts(), dir.File("no/folder/Vorna3D.ini")).error,
              SettingsError::WriteFailed);
    EXPECT_FALSE(WriteCheckItem(10, true, ini));
    EXPECT_FALSE(testing_support::FileExists(ini));
}

// A settings path that exists but cannot be read, made by `make`.
struct UnreadableCase {
    const char* name;
    friend void PrintTo(const UnreadableCase& c, std::ostream* os) { *os << c.name; }
    std::function<bool(const std::string& path)> make;
};

class UnreadableFile : public SettingsFileTest,
                       public testing::WithParamInterface<UnreadableCase> {
protected:
    // What is at the path: its type and, for a link, where it points.
    std::string Describe() {
        struct stat info {};
        if (lstat(ini.c_str(), &info) != 0) return "nothing";
        if (S_ISLNK(info.st_mode)) return "link to " + std::filesystem::read_symlink(ini).string();
        return std::to_string(info.st_mode & S_IFMT);
    }
};

TEST_P(UnreadableFile, IsReportedAndNeverReplaced) {
    ASSERT_TRUE(GetParam().make(ini));
    const std::string before = Describe();

    DisplaySettings settings;
    settings.nodeSize = 33;
    ViewPreferences view;
    const SettingsResult loaded = LoadDisplaySettings(settings, view, ini);
    EXPECT_EQ(loaded.error, SettingsError::Unreadable);
    EXPECT_NE(loaded.message.find("設定ファイルを読み込めませんでした。"), std::string::npos);
    EXPECT_NE(loaded.message.find(ini), std::string::npos);
    EXPECT_EQ(settings.nodeSize, 33);

    EXPECT_EQ(SaveDisplaySettings(SampleTexts(), ini).error, SettingsError::Unreadable);
    EXPECT_EQ(SaveCameraPosition(CameraPosition{}, true, ini).error, SettingsError::Unreadable);
    EXPECT_EQ(WriteCheckItem(1, true, ini).error, SettingsError::Unreadable);
    EXPECT_FALSE(ReadCheckItem(1, ini).has_value());
    EXPECT_EQ(Describe(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadableFile,
    testing::Values(
        UnreadableCase{"Fifo", [](const std::string& p) { return mkfifo(p.c_str(), 0644) == 0; }},
        UnreadableCase{"Folder",
                       [](const std::string& p) { return mkdir(p.c_str(), 0755) == 0; }},
        UnreadableCase{"LinkLoop",
                       [](const std::string& p) { return symlink("Vorna3D.ini", p.c_str()) == 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, AFileWithoutReadPermissionIsKeptWhole) {
    const std::string old = "[init]\nNodeWidth=7\n[Private]\nmine=1\n";
    ASSERT_TRUE(WriteFile(ini, old));
    ASSERT_TRUE(testing_support::GiveToOrdinaryUser(dir));
    ASSERT_TRUE(testing_support::GiveToOrdinaryUser(ini));
    ASSERT_EQ(chmod(ini.c_str(), 0200), 0);  // write only
    SettingsResult saved, loaded;
    {
        testing_support::AsOrdinaryUser user;
        ASSERT_TRUE(user.Active());
        DisplaySettings settings;
        ViewPreferences view;
        loaded = LoadDisplaySettings(settings, view, ini);
        saved = SaveDisplaySettings(SampleTexts(), ini);
    }
    EXPECT_EQ(loaded.error, SettingsError::Unreadable);
    EXPECT_EQ(saved.error, SettingsError::Unreadable);
    EXPECT_NE(saved.message.find("設定を保存しませんでした"), std::string::npos);
    EXPECT_EQ(ReadFile(ini), old);
}

struct BrokenCameraCase {
    const char* name;
    friend void PrintTo(const BrokenCameraCase& c, std::ostream* os) { *os << c.name; }
    double targetX;
    float distance;
};

class NonFiniteCamera : public SettingsFileTest,
                        public testing::WithParamInterface<BrokenCameraCase> {};

TEST_P(NonFiniteCamera, KeepsTheOldValuesOfItsBrokenNumbers) {
    ASSERT_TRUE(WriteFile(ini, "[CameraPos]\npointX=12.5\ncZ=5000.0\n"));
    CameraPosition camera;
    camera.targetX = GetParam().targetX;
    camera.targetY = 7.0;
    camera.distance = GetParam().distance;
    ASSERT_TRUE(SaveCameraPosition(camera, true, ini));
    const std::string text = ReadFile(ini);
    EXPECT_EQ(text.find("nan"), std::string::npos) << text;
    EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    CameraPosition back;
    LoadCameraPosition(back, ini);
    EXPECT_EQ(back.targetX, std::isfinite(GetParam().targetX) ? GetParam().targetX : 12.5);
    EXPECT_EQ(back.distance, std::isfinite(GetParam().distance) ? GetParam().distance : 5000.0f);
    EXPECT_EQ(back.targetY, 7.0);
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, NonFiniteCamera,
    testing::Values(BrokenCameraCase{"NanTarget", kNan, 800.0f},
                    BrokenCameraCase{"InfiniteTarget", -kInf, 800.0f},
                    BrokenCameraCase{"InfiniteDistance", 3.0, static_cast<float>(kInf)},
                    BrokenCameraCase{"NanDistance", 3.0, static_cast<float>(kNan)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsBatch, NothingIsWrittenBeforeCommit) {
    TempDir dir("vorna-batch");
    const std::string ini = dir.File("Vorna3D.ini");
    settings::SettingsBatch batch(ini);
    batch.Set("a", "k", "1\n[b]\nj=2");
    batch.SetFixed("a", "x", 2.25, 1);
    EXPECT_FALSE(testing_support::FileExists(ini));
    ASSERT_TRUE(batch.Commit());
    EXPECT_EQ(ReadFile(ini), "[a]\nk=1\nx=2.2\n");
}

TEST(SettingsBatch, ANameTheFileCannotHoldFailsTheWholeBatch) {
    TempDir dir("vorna-batch");
    const std::string ini = dir.File("Vorna3D.ini");
    settings::SettingsBatch batch(ini);
    batch.Set("a", "k", "1");
    batch.Set("a", "x=y", "2");
    const SettingsResult committed = batch.Commit();
    EXPECT_EQ(committed.error, SettingsError::WriteFailed);
    EXPECT_FALSE(committed.message.empty());
    EXPECT_FALSE(testing_support::FileExists(ini));
}

}  // namespace
