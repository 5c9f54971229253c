#include "speech/GrammarFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/PlatformErrors.h"
#include "store/GrammarText.h"

std::vector<std::string> ReadGrammarFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) PlatformError::Raise(PlatformError::kFileNotFound);
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, error)) {
        PlatformError::Raise(PlatformError::kPathFileAccess);
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) PlatformError::Raise(PlatformError::kPathFileAccess);
    return GrammarText::Alternatives(text.str());
}
