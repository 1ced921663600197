#pragma once
// Dialogs for tests: records every text shown and answers from queues, with
// the default answer (first button, dismissed menu, cancelled chooser) once a
// queue runs dry.

#include <deque>

#include "Dialogs.h"

namespace platform {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Menu, OpenFile, SaveFile, Colour } kind;
        std::string text;  // the message, the menu's item texts joined by '|', the title
        MessageButtons buttons = MessageButtons::Ok;
    };

    MessageResult ShowMessage(const std::string& text, MessageButtons buttons,
                              const std::string& title) override;
    int PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) override;
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& initialPath,
                                            const std::string& filter) override;
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& initialPath,
                                            const std::string& filter) override;
    std::optional<uint32_t> ChooseColour(uint32_t initial) override;

    // Every message text shown, in order.
    std::vector<std::string> Messages() const;

    std::vector<Shown> shown;
    std::deque<MessageResult> messageAnswers;
    std::deque<int> menuAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<uint32_t>> colourAnswers;
};

// Installs a set of dialogs for the life of a scope and restores the one
// that was current before.
class ScopedDialogs {
public:
    explicit ScopedDialogs(Dialogs& dialogs) : previous_(InstalledDialogs()) { InstallDialogs(&dialogs); }
    ~ScopedDialogs() { InstallDialogs(previous_); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    Dialogs* previous_;
};

}  // namespace platform
