#include "FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>

#include "common/MessageBox.h"
#include "common/ProgramFolder.h"

namespace {

// Answers every box without showing or keeping it: a run shows millions.
class SilentDialogs : public IDialogs {
public:
    MsgAnswer MsgBox(const std::string&, MsgButtons, MsgIcon, const std::string&) override {
        return MsgAnswer::OK;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string& defaultText,
                         std::optional<TwipsPoint>) override {
        return defaultText;
    }
};

// Memory-backed when the system has such a folder: a target writes a file for every input, and
// on a disk that costs more than the code under test.
std::filesystem::path ScratchParent() {
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

}  // namespace

FuzzProgramFolder::FuzzProgramFolder() {
    std::string pattern = (ScratchParent() / "vorn-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::create_directory(File("vocab"));
    SetProgramFolder(path_);
    Dialogs::Install(std::make_unique<SilentDialogs>());
}

FuzzProgramFolder::~FuzzProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}
