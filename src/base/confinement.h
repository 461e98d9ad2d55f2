#pragma once
// The confinement of what a run writes and copies: a file is never written
// through a symbolic link, and a file copied into the listing comes only
// from the model's own directories. The checks that need the lookup are
// FileSystem members (PathToWrite, AllowCopiesFrom, AllowCopiesBeside,
// ReadCopy, refusedCopies), declared with it in base/file_system.h and
// defined in base/confinement.cpp; here is the open that refuses a link put
// in place after the check.
#include <string>

#include "base/file_system.h"

namespace orvant {

// Opens a file to write, created (mode 0644) when missing and not emptied,
// without following a symbolic link at its last name: -1 with errno set
// (ELOOP for such a link) when it cannot be opened.
int OpenToWrite(const std::string& linuxPath);

}  // namespace orvant
