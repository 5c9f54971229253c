#include "common/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path ExecutablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return path;
}

std::string& Folder() {
    static std::string folder = [] {
        std::string text = ExecutablePath().parent_path().string();
        while (text.size() > 1 && text.back() == '/') text.pop_back();
        return text;
    }();
    return folder;
}

}  // namespace

const std::string& ProgramFolder() {
    return Folder();
}

void SetProgramFolder(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    Folder() = std::move(folder);
}

std::string ExecutableName() {
    static const std::string name = ExecutablePath().stem().string();
    return name;
}
