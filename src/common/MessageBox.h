#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Modal message boxes and the input box, behind one small seam that the GUI implements with
// real dialogs and tests answer. Texts are ANSI.
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Critical, Exclamation, Question };
enum class MsgAnswer { OK, Cancel, Yes, No };

// Where a dialog's top-left corner is asked to stand, in screen twips.
struct TwipsPoint {
    double x = 0;
    double y = 0;
    bool operator==(const TwipsPoint&) const = default;
};

// The title a box carries when it has none of its own.
inline constexpr const char* kProgramTitle = "Vorn! Voice Command";

class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) = 0;
    // Asks for one line of text; the empty text when the user cancels, or when the text holds
    // characters that ANSI lacks (the user is told so). Without a position the box stands where
    // the window system puts it; with one it is kept on the screen.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText,
                                 std::optional<TwipsPoint> position) = 0;
};

// Records every box it is asked to show and answers from queues (OK / the default text when
// a queue is empty). Installed by tests.
class RecordingDialogs : public IDialogs {
public:
    struct Box {
        std::string text;
        MsgButtons buttons;
        MsgIcon icon;
        std::string title;
    };

    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText,
                         std::optional<TwipsPoint> position) override;

    std::vector<Box> boxes;
    std::vector<MsgAnswer> answers;  // taken from the front
    std::vector<Box> inputPrompts;   // prompt in text, title in title
    std::vector<std::optional<TwipsPoint>> inputPositions;
    std::vector<std::string> inputAnswers;  // taken from the front
};

namespace Dialogs {
// Shows a box through the installed dialogs; an empty title becomes the program's title.
MsgAnswer MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OK,
                 MsgIcon icon = MsgIcon::None, const std::string& title = {});
std::string InputBox(const std::string& prompt, const std::string& title = {},
                     const std::string& defaultText = {},
                     std::optional<TwipsPoint> position = std::nullopt);
// Installs dialogs and returns the ones they replace. Until one is installed, boxes are
// written to standard error and answered OK.
std::unique_ptr<IDialogs> Install(std::unique_ptr<IDialogs> dialogs);
}  // namespace Dialogs
