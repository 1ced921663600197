#pragma once
// The dialogs a person answers: QMessageBox, QMenu, QFileDialog, QColorDialog,
// parented to the active window.

#include "Dialogs.h"

namespace platform {

class QtDialogs : public Dialogs {
public:
    MessageResult ShowMessage(const std::string& text, MessageButtons buttons,
                              const std::string& title) override;
    int PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) override;
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& initialPath,
                                            const std::string& filter) override;
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& initialPath,
                                            const std::string& filter) override;
    std::optional<uint32_t> ChooseColour(uint32_t initial) override;
};

// The dialogs a session should use: headless ones when the application is
// marked headless (the host's screenshot mode sets the application property
// "tormelHeadless"), the Qt ones otherwise.
Dialogs& SessionDialogs();

// Marks the application headless (see SessionDialogs).
void MarkApplicationHeadless();
bool IsApplicationHeadless();

}  // namespace platform
