#include "store/VocabularyFolder.h"

#include <algorithm>
#include <filesystem>

#include "common/AnsiText.h"
#include "store/RecordPaths.h"

namespace VocabularyFolder {

namespace {

bool HasRecordFileExtension(const std::string& fileName) {
    const std::string extension = RecordPaths::kRecordFileExtension;
    return fileName.size() >= extension.size() &&
           Ansi::EqualsIgnoreCase(fileName.substr(fileName.size() - extension.size()), extension);
}

}  // namespace

std::vector<std::string> Names() {
    std::vector<std::string> fileNames;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(RecordPaths::VocabFolder(), ec)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        const std::string fileName = Ansi::FromUtf8(entry.path().filename().string());
        if (fileName.starts_with('.') || !HasRecordFileExtension(fileName)) continue;
        fileNames.push_back(fileName);
    }
    std::sort(fileNames.begin(), fileNames.end(), [](const std::string& a, const std::string& b) {
        const std::string foldedA = Ansi::ToLower(a);
        const std::string foldedB = Ansi::ToLower(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
    std::vector<std::string> names;
    names.reserve(fileNames.size());
    for (const std::string& fileName : fileNames)
        names.push_back(fileName.substr(0, fileName.find('.')));
    return names;
}

bool Holds(const std::string& name) {
    const auto path = RecordPaths::VocabFile(name);
    std::error_code ec;
    return path && std::filesystem::symlink_status(*path, ec).type() !=
                       std::filesystem::file_type::not_found;
}

}  // namespace VocabularyFolder
