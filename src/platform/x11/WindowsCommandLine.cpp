#include "platform/x11/WindowsCommandLine.h"

namespace WindowsCommandLine {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(const std::string& line, std::size_t at) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    return at;
}

// The program name from the start of the line; at is left just after it.
std::string ProgramName(const std::string& line, std::size_t& at) {
    at = SkipBlanks(line, 0);
    std::string name;
    if (at < line.size() && line[at] == '"') {
        const std::size_t close = line.find('"', at + 1);
        name = line.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
        at = close == std::string::npos ? line.size() : close + 1;
    } else {
        while (at < line.size() && !IsBlank(line[at])) name += line[at++];
    }
    return name;
}

void AppendArguments(const std::string& line, std::size_t at, std::vector<std::string>& out) {
    for (at = SkipBlanks(line, at); at < line.size(); at = SkipBlanks(line, at)) {
        std::string argument;
        bool quoted = false;
        while (at < line.size() && (quoted || !IsBlank(line[at]))) {
            if (line[at] == '\\') {
                std::size_t backslashes = 0;
                while (at < line.size() && line[at] == '\\') {
                    ++backslashes;
                    ++at;
                }
                if (at < line.size() && line[at] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++at;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (line[at] == '"') {
                if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    argument += '"';
                    at += 2;
                } else {
                    quoted = !quoted;
                    ++at;
                }
            } else {
                argument += line[at++];
            }
        }
        out.push_back(std::move(argument));
    }
}

}  // namespace

std::vector<std::string> Split(const std::string& commandLine) {
    std::size_t at = 0;
    std::vector<std::string> parts{ProgramName(commandLine, at)};
    AppendArguments(commandLine, at, parts);
    return parts;
}

std::vector<std::string> SplitArguments(const std::string& text) {
    std::vector<std::string> arguments;
    AppendArguments(text, 0, arguments);
    return arguments;
}

std::vector<ProgramCandidate> ProgramCandidates(const std::string& commandLine) {
    const std::size_t start = SkipBlanks(commandLine, 0);
    if (start < commandLine.size() && commandLine[start] == '"') {
        std::size_t at = 0;
        std::string program = ProgramName(commandLine, at);
        return {{std::move(program), commandLine.substr(at)}};
    }
    std::vector<ProgramCandidate> candidates;
    std::size_t end = start;
    while (end < commandLine.size()) {
        while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
        candidates.push_back({commandLine.substr(start, end - start), commandLine.substr(end)});
        end = SkipBlanks(commandLine, end);
    }
    return candidates;
}

}  // namespace WindowsCommandLine
