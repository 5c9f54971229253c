#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/MessageBox.h"

// A fresh program folder for one test: created empty, set as the program's folder, removed
// afterwards. It also installs recording dialogs, so that every box the code shows is seen.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& relative) const { return path_ + "/" + relative; }
    void MakeVocabFolder() const;

    RecordingDialogs& dialogs() { return *dialogs_; }

private:
    std::string path_;
    RecordingDialogs* dialogs_;
    std::unique_ptr<IDialogs> previousDialogs_;
};

// The number of the error a step raises, 0 when it raises none.
int32_t ErrorOf(const std::function<void()>& step);

// Whole-file helpers for byte-level checks.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// One record as the record files store it: 2-byte little-endian count, text, zeros.
std::string RecordBytes(const std::string& text, std::size_t recordLength);
// Writes a record file: one whole record of that length for each text.
void WriteRecords(const std::string& path, const std::vector<std::string>& texts,
                  std::size_t recordLength);
// The texts of the whole records of a record file.
std::vector<std::string> ReadRecords(const std::string& path, std::size_t recordLength);
