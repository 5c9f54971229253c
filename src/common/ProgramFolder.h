#pragma once

#include <string>

// The program's folder: the folder of the running executable, without a trailing separator.
// The data files live there. Tests point it at a folder of their own.
const std::string& ProgramFolder();
void SetProgramFolder(std::string folder);

// The running executable's file name without its extension (the source of its errors).
std::string ExecutableName();
