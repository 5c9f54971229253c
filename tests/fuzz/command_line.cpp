// A program path of an application record split by the Windows command-line rules, and the
// program names an unquoted path may stand for.
#include "FuzzSupport.h"
#include "platform/x11/WindowsCommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string line = InputText(data, size);

    const std::vector<std::string> parts = WindowsCommandLine::Split(line);
    Require(!parts.empty(), "no program name");
    std::size_t length = 0;
    for (const std::string& part : parts) length += part.size();
    Require(length <= line.size(), "the parts are longer than the line");
    WindowsCommandLine::SplitArguments(line);

    // Each candidate is a piece of the line followed by the rest of it, longer ones later.
    std::size_t previous = 0;
    for (const auto& candidate : WindowsCommandLine::ProgramCandidates(line)) {
        Require(line.ends_with(candidate.rest), "rest is not the end of the line");
        Require(line.find(candidate.program) != std::string::npos, "program is not in the line");
        Require(candidate.program.size() >= previous, "candidates are not shortest first");
        previous = candidate.program.size();
    }
    return 0;
}
