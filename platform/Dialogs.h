#pragma once
// The dialogs the editor shows: message boxes, popup menus, file choosers and
// the colour chooser, behind one interface so that the code calling them stays
// plain C++ and tests can answer them. The editor reaches the current set
// through CurrentDialogs(); a session installs the Qt set, tests a scripted one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class MessageButtons { Ok, YesNo, OkCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MenuItem {
    int id = 0;  // what PopupMenu answers when the item is chosen (> 0)
    std::string text;
    bool enabled = true;
    bool checked = false;
    bool separator = false;
    std::vector<MenuItem> children;  // a submenu when not empty
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box; `title` empty gives the box no title of its own.
    virtual MessageResult ShowMessage(const std::string& text,
                                      MessageButtons buttons = MessageButtons::Ok,
                                      const std::string& title = {}) = 0;
    // A popup menu at a screen position: the chosen item's id, 0 when dismissed.
    virtual int PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) = 0;
    // File choosers: the chosen full path, nothing when cancelled. `filter`
    // is a Qt-style name filter, e.g. "Mesh files (*.tmsh)".
    virtual std::optional<std::string> OpenFileName(const std::string& title,
                                                     const std::string& initialPath,
                                                     const std::string& filter) = 0;
    virtual std::optional<std::string> SaveFileName(const std::string& title,
                                                    const std::string& initialPath,
                                                    const std::string& filter) = 0;
    // Colours are 0x00BBGGRR (red in the low byte).
    virtual std::optional<uint32_t> ChooseColour(uint32_t initial) = 0;
};

// The button a box answers when nobody is there to press one.
MessageResult DefaultAnswer(MessageButtons buttons);

// The process's current dialogs; a headless set (writing to standard error)
// until one is installed. Installing nullptr restores the headless set.
Dialogs& CurrentDialogs();
void InstallDialogs(Dialogs* dialogs);
// The installed set, or null when none is (the headless fallback is current).
Dialogs* InstalledDialogs();

// Writes every message box to standard error (one line) and answers with the
// default button; menus and choosers are dismissed.
class HeadlessDialogs : public Dialogs {
public:
    MessageResult ShowMessage(const std::string& text, MessageButtons buttons,
                              const std::string& title) override;
    int PopupMenu(const std::vector<MenuItem>&, int, int) override { return 0; }
    std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                            const std::string&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                            const std::string&) override { return std::nullopt; }
    std::optional<uint32_t> ChooseColour(uint32_t) override { return std::nullopt; }
};

}  // namespace platform
