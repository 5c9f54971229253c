#include "store/RecordFileReplace.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>

#include "common/AnsiText.h"
#include "common/AppErrors.h"
#include "store/AsideFile.h"
#include "store/DamagedFile.h"
#include "store/FileSlots.h"
#include "store/ListOutOfDate.h"
#include "store/WriteFailure.h"

namespace {

// The whole file; a missing file is empty.
std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) return {};
        WriteFailure::Raise(path, errno);
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) WriteFailure::Raise(path, EIO);
    return bytes;
}

// True when the first replaced.size() records of bytes hold exactly the texts of replaced.
bool LeadingRecordsHold(const std::string& bytes, int recordLength,
                        std::vector<std::string> replaced) {
    const auto length = static_cast<std::size_t>(recordLength);
    if (bytes.size() / length < replaced.size()) return false;
    std::vector<std::string> held;
    for (std::size_t i = 0; i < replaced.size(); ++i) {
        const std::optional<std::string> text =
            DecodeRecord(std::string_view(bytes).substr(i * length), recordLength);
        if (!text) return false;
        held.push_back(*text);
    }
    std::sort(held.begin(), held.end());
    std::sort(replaced.begin(), replaced.end());
    return held == replaced;
}

}  // namespace

std::size_t ReplaceRecordFile(const std::string& path, int recordLength,
                              const std::vector<std::string>& replaced,
                              const std::vector<std::string>& records) {
    const std::string old = ReadWholeFile(path);
    if (!LeadingRecordsHold(old, recordLength, replaced)) RaiseListOutOfDate(path);
    std::string bytes;
    for (const std::string& text : records) {
        const std::optional<std::string> record = EncodeRecord(text, recordLength);
        if (!record) RunningApps::RaiseAppError(AppError::kStoreFailed);
        bytes += *record;
    }
    bytes += old.substr(replaced.size() * static_cast<std::size_t>(recordLength));
    if (!DamagedFile::KeepCopyBeforeChange(path, recordLength)) WriteFailure::Raise(path, errno);
    AsideFile aside(path);
    if (!aside.Write(bytes) || !aside.Commit()) WriteFailure::Raise(path, errno);
    return bytes.size() / static_cast<std::size_t>(recordLength);
}

void RaiseListOutOfDate(const std::string& path) {
    throw ListOutOfDate("The file \"" + Ansi::FromUtf8(path) +
                        "\" no longer holds what its list shows, so it was not changed.");
}
