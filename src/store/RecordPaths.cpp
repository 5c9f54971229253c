#include "store/RecordPaths.h"

#include <climits>
#include <filesystem>

#include "common/AnsiText.h"
#include "common/ProgramFolder.h"
#include "store/AsideFile.h"

namespace RecordPaths {

std::string ProgramFile(const std::string& name) {
    return ProgramFolder() + "/" + Ansi::ToUtf8(name) + kRecordFileExtension;
}

std::string VocabFolder() {
    return ProgramFolder() + "/" + kVocabFolderName;
}

std::optional<std::string> VocabFile(const std::string& name) {
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const std::string wanted = name + kRecordFileExtension;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(VocabFolder(), ec)) {
        const std::string fileName = Ansi::FromUtf8(entry.path().filename().string());
        if (Ansi::EqualsIgnoreCase(fileName, wanted)) return entry.path().string();
    }
    return VocabFolder() + "/" + Ansi::ToUtf8(wanted);
}

bool VocabFileNameFits(const std::string& name) {
    const std::size_t fileName = Ansi::ToUtf8(name + kRecordFileExtension).size();
    return fileName + AsideFile::kNameGrowth <= NAME_MAX;
}

std::string GrammarFile() {
    return ProgramFolder() + "/" + kGrammarFileName;
}

}  // namespace RecordPaths
