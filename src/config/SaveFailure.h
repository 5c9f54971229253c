#pragma once

#include <string>

class ErrorRecord;

// Shows, under title, why a save failed when the error's own words say why: a refused text
// (error 5, information icon), or a folder or disk that cannot take the write (70, 61, 75,
// critical icon). False, showing nothing, for any other failure, which the caller reports.
bool ShowSaveFailureCause(const ErrorRecord& error, const std::string& title);
