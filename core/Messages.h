#pragma once

#include <string>

// The launcher's own messages, each shown exactly as built here: in the
// message box, or in the information panel in place of its text. Data is
// concatenated, never used as a format.

// The INI file is missing, or has no usable Silent key. Its second line,
// after a blank, is kIniNotFoundReason.
std::string IniNotFoundMessage(const std::string& iniPath);
extern const char kIniNotFoundReason[];

// No candidate was present and the INI file names no default program.
extern const char kNoSuitableKeysMessage[];

// The shell could not start the chosen program.
std::string LaunchFailedMessage(const std::string& targetPath);

// The information panel's one line for an INFO file that cannot be opened,
// with the file-error cause (FileError.h).
std::string InfoOpenFailedMessage(const std::string& infoFile, int cause);

// F1 in the dialog, and the help engine could not be started.
extern const char kHelpFailedMessage[];

// The information panel's text cannot be held: the memory for it cannot be
// had, or the panel refuses it. Shown with the stop icon.
extern const char kOutOfMemoryMessage[];
