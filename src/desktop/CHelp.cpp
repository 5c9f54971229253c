#include "desktop/CHelp.h"

#include "common/ProgramFolder.h"
#include "desktop/HtmlHelp.h"

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string HelpFilePath() {
    return ProgramFolder() + "/vornhelp.chm";
}

void CHelp::Show(std::string& NewFile, const std::string& WindowPane,
                 std::optional<int32_t> ContextID) {
    std::string target = NewFile;
    if (!WindowPane.empty()) target = Trimmed(NewFile) + ">" + Trimmed(WindowPane);
    if (ContextID) {
        HtmlHelp(target, HH_HELP_CONTEXT, *ContextID);
    } else {
        HtmlHelp(target, HH_DISPLAY_TOPIC, 0);
    }
}
