#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Replaces the leading records of a record file, those a list was filled from, and keeps every
// byte after them as it was: the records the list did not hold (after an empty or a damaged
// record, or past the reach of the record positions) and a last record the file holds only in
// part. replaced holds the texts of those leading records, in any order (a list may have been
// sorted): the first replaced.size() records must hold exactly them, else the file has changed
// since it was listed and the rewrite is refused with error 5, saying so. A damaged file is
// copied aside first (DamagedFile.h). The new file goes to an aside file of its own and takes
// the old one's place only once wholly on disk, so a failure leaves the old file as it was:
// application error 13012 when a record is too long for the file, the write failure that says
// where and why (WriteFailure.h) when the file cannot be read, copied or written. Returns the
// number of whole records the new file holds.
std::size_t ReplaceRecordFile(const std::string& path, int recordLength,
                              const std::vector<std::string>& replaced,
                              const std::vector<std::string>& records);

// Refuses a rewrite of the file at path because it no longer holds what its list shows: error 5,
// thrown as ListOutOfDate.
[[noreturn]] void RaiseListOutOfDate(const std::string& path);
