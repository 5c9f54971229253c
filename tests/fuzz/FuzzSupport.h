#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What every fuzz target shares: a program folder of its own for the whole run, message boxes
// answered without being kept, and writing an input as a file.
class FuzzProgramFolder {
public:
    // Creates the folder (with its "vocab" folder) under the temporary folder, makes it the
    // program's folder and installs dialogs that answer every box with OK.
    FuzzProgramFolder();
    ~FuzzProgramFolder();
    FuzzProgramFolder(const FuzzProgramFolder&) = delete;
    FuzzProgramFolder& operator=(const FuzzProgramFolder&) = delete;

    std::string File(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

// The input as text (the program's texts are bytes).
inline std::string InputText(const uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Writes the bytes as the whole file, replacing what it held.
void WriteFileBytes(const std::string& path, std::string_view bytes);
// The whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Ends the run with a message when a property of the code under test does not hold, so that
// libFuzzer keeps the input that broke it.
void Require(bool holds, const char* what);
