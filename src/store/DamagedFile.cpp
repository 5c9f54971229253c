#include "store/DamagedFile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "common/AnsiText.h"
#include "common/MessageBox.h"
#include "store/FileSlots.h"

namespace DamagedFile {
namespace {

namespace fs = std::filesystem;

// The copy's name: the first of path.damaged, path.damaged.2, ... that does not exist.
fs::path CopyName(const std::string& path) {
    const std::string base = path + ".damaged";
    std::error_code ec;
    if (!fs::exists(base, ec)) return base;
    for (int n = 2;; ++n) {
        const std::string candidate = base + "." + std::to_string(n);
        if (!fs::exists(candidate, ec)) return candidate;
    }
}

std::string Quoted(const std::string& path) {
    return "\"" + Ansi::FromUtf8(path) + "\"";
}

}  // namespace

bool IsDamaged(const std::string& path, int recordLength) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto length = static_cast<std::size_t>(recordLength);
    if (bytes.size() % length != 0) return true;
    for (std::size_t at = 0; at < bytes.size(); at += length) {
        if (!DecodeRecord(std::string_view(bytes).substr(at), recordLength)) return true;
    }
    return false;
}

bool KeepCopyBeforeChange(const std::string& path, int recordLength) {
    // The paths this run has looked at already: each is looked at, and told about, once.
    static std::set<std::string> lookedAt;
    std::error_code ec;
    std::string key = fs::weakly_canonical(path, ec).string();
    if (ec || key.empty()) key = path;
    if (!lookedAt.insert(key).second || !IsDamaged(path, recordLength)) return true;
    const fs::path copy = CopyName(path);
    if (!fs::copy_file(path, copy, fs::copy_options::none, ec)) {
        lookedAt.erase(key);
        errno = ec.value();
        return false;
    }
    Dialogs::MsgBox("The file " + Quoted(path) +
                        " was damaged. A copy of it as it was is kept as " + Quoted(copy.string()) +
                        ".",
                    MsgButtons::OK, MsgIcon::Exclamation, "Damaged File");
    return true;
}

}  // namespace DamagedFile
