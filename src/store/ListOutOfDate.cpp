#include "store/ListOutOfDate.h"

#include "common/PlatformErrors.h"
#include "common/ProgramFolder.h"

ListOutOfDate::ListOutOfDate(const std::string& description)
    : ErrorRecord(PlatformError::kInvalidProcedureCall, ExecutableName(), description) {}

void RaiseEntryNoLongerStored(const std::string& vocabulary) {
    throw ListOutOfDate("The entry to change is no longer in the vocabulary \"" + vocabulary +
                        "\" as its list showed it, so nothing was saved. The list now shows "
                        "the entries as they are.");
}
