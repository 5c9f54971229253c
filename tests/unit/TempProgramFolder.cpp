#include "TempProgramFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/ErrorRecord.h"
#include "common/ProgramFolder.h"

TempProgramFolder::TempProgramFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    SetProgramFolder(path_);
    auto dialogs = std::make_unique<RecordingDialogs>();
    dialogs_ = dialogs.get();
    previousDialogs_ = Dialogs::Install(std::move(dialogs));
}

TempProgramFolder::~TempProgramFolder() {
    Dialogs::Install(std::move(previousDialogs_));
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempProgramFolder::MakeVocabFolder() const {
    std::filesystem::create_directory(File("vocab"));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string RecordBytes(const std::string& text, std::size_t recordLength) {
    std::string record(recordLength, '\0');
    record[0] = static_cast<char>(text.size() & 0xFF);
    record[1] = static_cast<char>(text.size() >> 8);
    record.replace(2, text.size(), text);
    return record;
}

std::vector<std::string> ReadRecords(const std::string& path, std::size_t recordLength) {
    const std::string bytes = ReadBytes(path);
    std::vector<std::string> texts;
    for (std::size_t at = 0; at + recordLength <= bytes.size(); at += recordLength) {
        const std::size_t count =
            static_cast<unsigned char>(bytes[at]) |
            static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
        texts.push_back(bytes.substr(at + 2, count));
    }
    return texts;
}

int32_t ErrorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const ErrorRecord& e) {
        return e.Number();
    }
    return 0;
}

void WriteRecords(const std::string& path, const std::vector<std::string>& texts,
                  std::size_t recordLength) {
    std::string bytes;
    for (const std::string& text : texts) bytes += RecordBytes(text, recordLength);
    WriteBytes(path, bytes);
}
