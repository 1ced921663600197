#include "Dialogs.h"

#include <cstdio>

namespace platform {
namespace {
HeadlessDialogs& Fallback() {
    static HeadlessDialogs dialogs;
    return dialogs;
}
Dialogs* g_current = nullptr;
}  // namespace

MessageResult DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo: return MessageResult::Yes;
        case MessageButtons::OkCancel:
        case MessageButtons::Ok: break;
    }
    return MessageResult::Ok;
}

Dialogs& CurrentDialogs() { return g_current ? *g_current : Fallback(); }

void InstallDialogs(Dialogs* dialogs) { g_current = dialogs; }

Dialogs* InstalledDialogs() { return g_current; }

MessageResult HeadlessDialogs::ShowMessage(const std::string& text, MessageButtons buttons,
                                           const std::string&) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    return DefaultAnswer(buttons);
}

}  // namespace platform
