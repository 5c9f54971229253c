#include "desktop/HtmlHelp.h"

#include <iostream>

#include "platform/Platform.h"

namespace {

// The file part of "file>window".
std::string HelpFileOf(const std::string& target) {
    const auto mark = target.rfind('>');
    if (mark == std::string::npos || target.find('/', mark) != std::string::npos) return target;
    return target.substr(0, mark);
}

// One argument of a command line split by the Windows rules: quoted, with its quotes and the
// backslashes before them escaped.
std::string QuotedArgument(const std::string& text) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char ch : text) {
        if (ch == '\\') {
            ++backslashes;
            continue;
        }
        if (ch == '"') backslashes = backslashes * 2 + 1;
        quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += ch;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

}  // namespace

bool HtmlHelp(const std::string& target, uint32_t command, int32_t data) {
    std::string commandLine = kHelpViewer;
    if (command == HH_HELP_CONTEXT) {
        commandLine += " --contextid=" + std::to_string(data);
    } else if (command != HH_DISPLAY_TOPIC) {
        std::cerr << "Help: command " << command << " is not supported\n";
        return false;
    }
    commandLine += " " + QuotedArgument(HelpFileOf(target));
    bool started = false;
    try {
        started = Platform::Processes().CreateProcessA(commandLine);
    } catch (const std::exception& e) {
        std::cerr << "Help: " << e.what() << '\n';
    }
    if (!started) {
        std::cerr << "Help: the help viewer \"" << kHelpViewer
                  << "\" could not be started; is it installed?  Command line: " << commandLine
                  << '\n';
    }
    return started;
}
