#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The two process-wide file slots shared by every CFile: the data slot, holding at most one
// record file (or a file just created for output), and the grammar slot, holding the speech
// grammar file while it is written.
class DataSlot {
public:
    enum class Mode { RecordReadWrite, RecordReadOnly, Output };

    static DataSlot& Instance();

    // Opens path on the slot, closing what it held first; false when the open failed (the
    // slot is then closed). A missing file is created in the read-write and output modes;
    // the output mode empties the file. A file that may be read but not written (a read-only
    // folder or file) opens in the read-write mode all the same, for reading: its writes fail
    // and WriteError tells why.
    bool Open(const std::string& path, Mode mode, int recordLength);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // True when path names the file the slot holds.
    bool Holds(const std::string& path) const;

    // The end mark; error 52 while the slot is closed.
    bool AtEnd() const;

    // Reads the text of record k (from 1). Past the last whole record: the empty text and
    // the end mark set. Nothing (std::nullopt) on any failure: closed slot, output mode,
    // record below 1, damaged byte count, read fault.
    std::optional<std::string> Read(int32_t record);
    // Writes text as the whole record k; false on any failure (closed or read-only slot,
    // record below 1, text too long for the record, write fault). A failed write leaves the
    // file as long as it was.
    bool Write(int32_t record, const std::string& text);
    // Flushes what was written to the disk; false (WriteError telling why) when that failed.
    bool Sync();
    // The system error that kept the last write from the file (the file could not be opened
    // for writing, or the write failed), 0 when none did.
    int WriteError() const { return writeError_; }
    const std::string& Path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
    Mode mode_ = Mode::RecordReadWrite;
    int recordLength_ = 0;
    bool atEnd_ = false;
    int openWriteError_ = 0;
    int writeError_ = 0;
};

class GrammarSlot {
public:
    static GrammarSlot& Instance();

    // Opens the path for appending text, creating it; error 75 when it cannot be opened.
    void OpenAppend(const std::string& path);
    // Opens the path for writing text from its start, created or emptied; error 75 when it
    // cannot be opened.
    void OpenNew(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    bool Holds(const std::string& path) const;
    // Appends text and CR LF; error 52 while closed, 75 on a write fault.
    void WriteLine(const std::string& text);

private:
    void Open(const std::string& path, int modeFlag);

    int fd_ = -1;
    std::string path_;
};

// The data slot's end mark, tested by callers; fails with error 52 while the slot is closed.
bool DataFileAtEnd();

// The bytes of one whole record holding text: the 2-byte little-endian byte count, the text and
// zeros after it. Nothing when the text is too long for the record.
std::optional<std::string> EncodeRecord(const std::string& text, int recordLength);

// The text of the record that bytes begin with; nothing when its byte count says more than the
// record holds. bytes holds at least the whole record.
std::optional<std::string> DecodeRecord(std::string_view bytes, int recordLength);
