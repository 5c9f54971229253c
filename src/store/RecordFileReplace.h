#pragma once

#include <string>
#include <vector>

// Replaces a record file by one holding exactly these records, in order (through the data
// slot, which it leaves closed). They go to an aside file of their own, which takes the old
// file's place only once wholly written and on disk, so a failure leaves the old file as it
// was: application error 13012 when a record cannot be written or flushed, error 75 when the
// aside file cannot be made or put in place.
void ReplaceRecordFile(const std::string& path, int recordLength,
                       const std::vector<std::string>& records);
