#include "common/MessageBox.h"

#include <iostream>

#include "common/AnsiText.h"

namespace {

// Used where no window system is present: the message goes to standard error.
class ConsoleDialogs : public IDialogs {
public:
    MsgAnswer MsgBox(const std::string& text, MsgButtons, MsgIcon,
                     const std::string& title) override {
        std::cerr << Ansi::ToUtf8(title) << ": " << Ansi::ToUtf8(text) << '\n';
        return MsgAnswer::OK;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string& defaultText,
                         std::optional<TwipsPoint>) override {
        return defaultText;
    }
};

std::unique_ptr<IDialogs>& Current() {
    static std::unique_ptr<IDialogs> dialogs = std::make_unique<ConsoleDialogs>();
    return dialogs;
}

template <class T>
T TakeFront(std::vector<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.erase(queue.begin());
    return front;
}

}  // namespace

MsgAnswer RecordingDialogs::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                   const std::string& title) {
    boxes.push_back(Box{text, buttons, icon, title});
    return TakeFront(answers, MsgAnswer::OK);
}

std::string RecordingDialogs::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText,
                                       std::optional<TwipsPoint> position) {
    inputPrompts.push_back(Box{prompt, MsgButtons::OKCancel, MsgIcon::None, title});
    inputPositions.push_back(position);
    return TakeFront(inputAnswers, defaultText);
}

namespace Dialogs {

MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                 const std::string& title) {
    return Current()->MsgBox(text, buttons, icon, title.empty() ? kProgramTitle : title);
}

std::string InputBox(const std::string& prompt, const std::string& title,
                     const std::string& defaultText, std::optional<TwipsPoint> position) {
    return Current()->InputBox(prompt, title.empty() ? kProgramTitle : title, defaultText,
                               position);
}

std::unique_ptr<IDialogs> Install(std::unique_ptr<IDialogs> dialogs) {
    auto previous = std::move(Current());
    Current() = std::move(dialogs);
    return previous;
}

}  // namespace Dialogs
