#pragma once

#include <string>

// Record files that are damaged (a size that is no whole number of records, or a record whose
// byte count says more than the record holds: a file cut short, garbage, a text file edited by
// hand) are copied aside before this run first changes them, so that nothing they hold is lost.
namespace DamagedFile {

// True when the record file at path (a UTF-8 file-system path) is damaged. A missing or empty
// file is not.
bool IsDamaged(const std::string& path, int recordLength);

// To be called before a record file is written, rewritten or replaced. The first time in this
// run for a path: when the file is damaged, copies it to path + ".damaged" (or, when that
// exists, ".damaged.2", ".damaged.3" and so on) and tells the user which file and where the
// copy is. True when the file may be changed; false, with errno telling why, when a damaged
// file could not be copied (it must then stay as it is).
bool KeepCopyBeforeChange(const std::string& path, int recordLength);

}  // namespace DamagedFile
