#include "ScriptedDialogs.h"

namespace platform {
namespace {
template <typename T, typename D>
T Next(std::deque<T>& queue, D fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
}

std::string MenuText(const std::vector<MenuItem>& items) {
    std::string text;
    for (const auto& item : items) {
        if (item.separator) continue;
        if (!text.empty()) text += '|';
        text += item.text;
    }
    return text;
}
}  // namespace

MessageResult ScriptedDialogs::ShowMessage(const std::string& text, MessageButtons buttons,
                                           const std::string&) {
    shown.push_back({Shown::Kind::Message, text, buttons});
    return Next(messageAnswers, DefaultAnswer(buttons));
}

int ScriptedDialogs::PopupMenu(const std::vector<MenuItem>& items, int, int) {
    shown.push_back({Shown::Kind::Menu, MenuText(items)});
    return Next(menuAnswers, 0);
}

std::optional<std::string> ScriptedDialogs::OpenFileName(const std::string& title,
                                                         const std::string&, const std::string&) {
    shown.push_back({Shown::Kind::OpenFile, title});
    return Next(fileAnswers, std::optional<std::string>());
}

std::optional<std::string> ScriptedDialogs::SaveFileName(const std::string& title,
                                                         const std::string&, const std::string&) {
    shown.push_back({Shown::Kind::SaveFile, title});
    return Next(fileAnswers, std::optional<std::string>());
}

std::optional<uint32_t> ScriptedDialogs::ChooseColour(uint32_t) {
    shown.push_back({Shown::Kind::Colour, {}});
    return Next(colourAnswers, std::optional<uint32_t>());
}

std::vector<std::string> ScriptedDialogs::Messages() const {
    std::vector<std::string> texts;
    for (const auto& s : shown) {
        if (s.kind == Shown::Kind::Message) texts.push_back(s.text);
    }
    return texts;
}

}  // namespace platform
