#pragma once

#include <string>

#include "common/ResumeNext.h"
#include "store/CFile.h"
#include "store/FileSlots.h"

// Opens a record file on the data slot through a CFile and closes the slot when it goes out of
// scope, on every path out, a failure included.
class OpenRecordFile {
public:
    explicit OpenRecordFile(CFile& file, bool bVocab = false, const std::string& sName = {})
        : file_(file) {
        file_.FileOpen(bVocab, sName);
    }
    ~OpenRecordFile() { file_.FileClose(); }
    OpenRecordFile(const OpenRecordFile&) = delete;
    OpenRecordFile& operator=(const OpenRecordFile&) = delete;

private:
    CFile& file_;
};

// What a scan does after one record.
enum class ScanStep { Next, Stop };

// What a scan does with a failure of the file: pass it to the caller, or go on as the
// procedures that skip failing steps do (a record that cannot be read is read as the empty
// text; the scan ends when the end mark cannot be tested or the position cannot advance).
enum class ScanFailures { Propagate, PassOver };

// The scan of every reader of a record file: as long as the data slot's end mark is clear,
// hands the text of the record at the file's position to use, then advances the position.
// When use answers Stop the position stays on that record. The read past the last record is
// handed over too, as the empty text.
template <class Use>
void ScanRecords(CFile& file, ScanFailures failures, Use use) {
    if (failures == ScanFailures::Propagate) {
        while (!DataFileAtEnd()) {
            if (use(file.FileRead(file.RecordNumber())) == ScanStep::Stop) return;
            file.IncrementRecord();
        }
        return;
    }
    for (;;) {
        bool atEnd = true;
        if (!ResumeNext([&] { atEnd = DataFileAtEnd(); }) || atEnd) return;
        std::string text;
        ResumeNext([&] { text = file.FileRead(file.RecordNumber()); });
        if (use(text) == ScanStep::Stop) return;
        if (!ResumeNext([&] { file.IncrementRecord(); })) return;
    }
}
