#pragma once

#include "core/Text.h"

// The classification of file errors that the file class reports: a cause
// code from 0 (no error) to 14, and the text that names it.

enum FileErrorCause {
    kNoError = 0,
    kGenericError = 1,
    kFileNotFound = 2,
    kBadPath = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kInvalidFile = 6,
    kRemoveCurrentDirectory = 7,
    kDirectoryFull = 8,
    kBadSeek = 9,
    kHardIO = 10,
    kSharingViolation = 11,
    kLockViolation = 12,
    kDiskFull = 13,
    kEndOfFile = 14,
};

// The cause for an operating-system error code; 1 for any code not listed.
int FileErrorCauseFor(long osError);

// The text of a cause naming the file, or "an unnamed file" when the name
// is empty or null; false when it cannot be held.
[[nodiscard]] bool FileErrorMessage(int cause, const char* fileName, CString& message);
