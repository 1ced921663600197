#include "Session.h"

#include <QApplication>

#include <array>
#include <memory>

#include "Dialogs.h"
#include "QtDialogs.h"
#include "session/MainDialog.h"
#include "model/ModelDbLibrary.h"

namespace {

// The project header record the project check reads (its content is unused).
constexpr int kProjectHeaderSize = 200;

// The application the session runs in: the host's when it has one,
// otherwise one made for the session and deleted after it.
class SessionApplication {
public:
    SessionApplication() {
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "Vorna3D";
            static char* argv[] = {name, nullptr};
            owned_ = std::make_unique<QApplication>(argc, argv);
        }
    }

private:
    std::unique_ptr<QApplication> owned_;
};

// Installs the session's dialogs unless a caller (a test) already has.
class SessionDialogsScope {
public:
    SessionDialogsScope() : previous_(platform::InstalledDialogs()) {
        if (!previous_) platform::InstallDialogs(&platform::SessionDialogs());
    }
    ~SessionDialogsScope() { platform::InstallDialogs(previous_); }

private:
    platform::Dialogs* previous_;
};

void Tell(const std::string& text) { platform::CurrentDialogs().ShowMessage(text); }

}  // namespace

std::string MissingLibraryMessage() { return std::string("no exist ") + ModelDbLibrary::kFileName; }

std::string MissingEntryMessage(const std::string& entry) {
    return std::string("no entry ") + entry + " in " + ModelDbLibrary::kFileName;
}

int RunSession(const std::string& libraryDirectory) {
    SessionApplication application;
    SessionDialogsScope dialogs;
    auto mainWindow = std::make_unique<MainDialog>();
    ModelDbLibrary& library = ModelDbLibrary::Instance();

    if (!library.LoadFrom(libraryDirectory)) {
        Tell(MissingLibraryMessage());
        return -1;
    }
    // An entry the editor calls but the library lacks would be a call through
    // an empty pointer later: refuse the session now, naming it.
    if (auto missing = library.MissingUsedEntries(); !missing.empty()) {
        Tell(MissingEntryMessage(missing.front()));
        library.Unload();
        return -1;
    }
    std::array<char, kProjectHeaderSize> header{};
    const short status = Db().DB_get(1, header.data());
    if (status < -1) {
        Tell("物件データを作成してください。");
        library.Unload();
        return -1;
    }

    mainWindow->exec();

    library.Unload();
    mainWindow.reset();
    return 0;
}
