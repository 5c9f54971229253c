#pragma once

#include "common/MessageBox.h"

// Message boxes and the input box as real modal dialogs.
class QtDialogs : public IDialogs {
public:
    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText,
                         std::optional<TwipsPoint> position) override;
};
