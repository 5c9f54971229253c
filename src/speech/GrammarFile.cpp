#include "speech/GrammarFile.h"

#include <filesystem>
#include <fstream>
#include <string_view>

#include "common/PlatformErrors.h"

namespace {

constexpr std::string_view kAlternativePrefix = "<start>=";

}  // namespace

std::vector<std::string> ReadGrammarFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) PlatformError::Raise(PlatformError::kFileNotFound);
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, error)) {
        PlatformError::Raise(PlatformError::kPathFileAccess);
    }

    std::vector<std::string> alternatives;
    std::string line;
    // Lines end with CR LF; a bare LF is accepted too, so a file edited by hand still reads.
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.starts_with(kAlternativePrefix)) continue;
        line.erase(0, kAlternativePrefix.size());
        if (!line.empty()) alternatives.push_back(line);
    }
    if (in.bad()) PlatformError::Raise(PlatformError::kPathFileAccess);
    return alternatives;
}
