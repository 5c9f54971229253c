#include "store/FileSlots.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "common/PlatformErrors.h"
#include "store/DamagedFile.h"

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a, b, ec);
    return ec ? a == b : same;
}

bool WriteAll(int fd, const char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t written = pwrite(fd, data, size, offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
        offset += written;
    }
    return true;
}

// A failure that says the file may not be written at all, as opposed to a write that failed.
bool IsWriteRefusal(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// Reads up to size bytes at offset; the count read, or -1 on a fault.
ssize_t ReadUpTo(int fd, char* data, std::size_t size, off_t offset) {
    std::size_t total = 0;
    while (total < size) {
        const ssize_t got =
            pread(fd, data + total, size - total, offset + static_cast<off_t>(total));
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(total);
}

}  // namespace

DataSlot& DataSlot::Instance() {
    static DataSlot slot;
    return slot;
}

bool DataSlot::Open(const std::string& path, Mode mode, int recordLength) {
    // A slot still in use is closed first, so that what follows reaches only this file.
    Close();
    // Emptying a damaged file keeps a copy of it first.
    if (mode == Mode::Output && !DamagedFile::KeepCopyBeforeChange(path, recordLength))
        return false;
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::RecordReadWrite:
            flags |= O_RDWR | O_CREAT;
            break;
        case Mode::RecordReadOnly:
            flags |= O_RDONLY;
            break;
        case Mode::Output:
            flags |= O_WRONLY | O_CREAT | O_TRUNC;
            break;
    }
    int fd = ::open(path.c_str(), flags, 0644);
    int openWriteError = 0;
    if (fd < 0 && mode == Mode::RecordReadWrite && IsWriteRefusal(errno)) {
        openWriteError = errno;
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) errno = openWriteError;  // a missing file could not be created
    }
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    mode_ = mode;
    recordLength_ = recordLength;
    atEnd_ = false;
    openWriteError_ = openWriteError;
    writeError_ = 0;
    return true;
}

void DataSlot::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
    atEnd_ = false;
}

bool DataSlot::Holds(const std::string& path) const {
    return IsOpen() && SameFile(path_, path);
}

bool DataSlot::AtEnd() const {
    if (!IsOpen()) PlatformError::Raise(PlatformError::kBadFileNameOrNumber);
    return atEnd_;
}

std::optional<std::string> DataSlot::Read(int32_t record) {
    if (!IsOpen() || mode_ == Mode::Output || record < 1) return std::nullopt;
    const auto length = static_cast<std::size_t>(recordLength_);
    std::vector<char> buffer(length);
    const off_t offset = static_cast<off_t>(record - 1) * recordLength_;
    const ssize_t got = ReadUpTo(fd_, buffer.data(), length, offset);
    if (got < 0) return std::nullopt;
    // A record the file holds only in part counts as past the end, like a missing one.
    if (static_cast<std::size_t>(got) < length) {
        atEnd_ = true;
        return std::string();
    }
    return DecodeRecord(std::string_view(buffer.data(), length), recordLength_);
}

bool DataSlot::Write(int32_t record, const std::string& text) {
    writeError_ = 0;
    if (!IsOpen() || mode_ != Mode::RecordReadWrite || record < 1) return false;
    if (openWriteError_ != 0) {
        writeError_ = openWriteError_;
        return false;
    }
    if (!DamagedFile::KeepCopyBeforeChange(path_, recordLength_)) {
        writeError_ = errno;
        return false;
    }
    const std::optional<std::string> bytes = EncodeRecord(text, recordLength_);
    if (!bytes) return false;
    const off_t offset = static_cast<off_t>(record - 1) * recordLength_;
    struct stat before {};
    if (fstat(fd_, &before) != 0) {
        writeError_ = errno;
        return false;
    }
    if (WriteAll(fd_, bytes->data(), bytes->size(), offset)) return true;
    // A record written only in part (a full disk) would leave a file that is no whole number
    // of records: the file is cut back to its length before.
    writeError_ = errno;
    [[maybe_unused]] const int cutBack = ftruncate(fd_, before.st_size);
    return false;
}

bool DataSlot::Sync() {
    writeError_ = 0;
    if (!IsOpen()) return false;
    if (::fsync(fd_) == 0) return true;
    writeError_ = errno;
    return false;
}

GrammarSlot& GrammarSlot::Instance() {
    static GrammarSlot slot;
    return slot;
}

void GrammarSlot::OpenAppend(const std::string& path) {
    Open(path, O_APPEND);
}

void GrammarSlot::OpenNew(const std::string& path) {
    Open(path, O_TRUNC);
}

void GrammarSlot::Open(const std::string& path, int modeFlag) {
    Close();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | modeFlag, 0644);
    if (fd < 0) PlatformError::Raise(PlatformError::kPathFileAccess);
    fd_ = fd;
    path_ = path;
}

void GrammarSlot::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
}

bool GrammarSlot::Holds(const std::string& path) const {
    return IsOpen() && SameFile(path_, path);
}

void GrammarSlot::WriteLine(const std::string& text) {
    if (!IsOpen()) PlatformError::Raise(PlatformError::kBadFileNameOrNumber);
    const std::string line = text + "\r\n";
    const off_t end = lseek(fd_, 0, SEEK_END);
    if (end < 0 || !WriteAll(fd_, line.data(), line.size(), end)) {
        PlatformError::Raise(PlatformError::kPathFileAccess);
    }
}

bool DataFileAtEnd() {
    return DataSlot::Instance().AtEnd();
}

std::optional<std::string> EncodeRecord(const std::string& text, int recordLength) {
    const auto length = static_cast<std::size_t>(recordLength);
    if (text.size() > length - 2) return std::nullopt;
    std::string bytes(length, '\0');
    bytes[0] = static_cast<char>(text.size() & 0xFF);
    bytes[1] = static_cast<char>((text.size() >> 8) & 0xFF);
    bytes.replace(2, text.size(), text);
    return bytes;
}

std::optional<std::string> DecodeRecord(std::string_view bytes, int recordLength) {
    const std::size_t count = static_cast<unsigned char>(bytes[0]) |
                              (static_cast<std::size_t>(static_cast<unsigned char>(bytes[1])) << 8);
    if (count > static_cast<std::size_t>(recordLength) - 2) return std::nullopt;
    return std::string(bytes.substr(2, count));
}
