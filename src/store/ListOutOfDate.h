#pragma once

#include <string>

#include "common/ErrorRecord.h"

// A change refused with error 5 because the list it was chosen from no longer shows what the
// file holds: nothing was written, and the list is to be filled again from the file.
class ListOutOfDate : public ErrorRecord {
public:
    explicit ListOutOfDate(const std::string& description);
};

// Refuses a change to an entry of the vocabulary whose file no longer holds it as its list
// showed it.
[[noreturn]] void RaiseEntryNoLongerStored(const std::string& vocabulary);
