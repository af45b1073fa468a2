#pragma once

#include "core/Text.h"

// The launcher's own messages, each shown exactly as built here: in the
// message box, or in the information panel in place of its text. Data is
// concatenated, never used as a format. A builder returns false when the
// message cannot be held; the launcher then says kOutOfMemoryMessage.

// The INI file is missing, or has no usable Silent key. Its second line,
// after a blank, is kIniNotFoundReason.
[[nodiscard]] bool IniNotFoundMessage(const CString& iniPath, CString& message);
extern const char kIniNotFoundReason[];

// No candidate was present and the INI file names no default program.
extern const char kNoSuitableKeysMessage[];

// The shell could not start the chosen program.
[[nodiscard]] bool LaunchFailedMessage(const CString& targetPath, CString& message);

// The information panel's one line for an INFO file that cannot be opened,
// with the file-error cause (FileError.h).
[[nodiscard]] bool InfoOpenFailedMessage(const CString& infoFile, int cause, CString& message);

// F1 in the dialog, and the help engine could not be started.
extern const char kHelpFailedMessage[];

// A text cannot be held: the memory for it cannot be had, or the panel
// refuses it. After a failed panel it is shown with the stop icon.
extern const char kOutOfMemoryMessage[];
