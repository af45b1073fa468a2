#pragma once

#include <string>

// The launcher's own messages, each shown in the message box exactly as
// built here. Data is concatenated, never used as a format.

// The INI file is missing, or has no usable Silent key.
std::string IniNotFoundMessage(const std::string& iniPath);

// No candidate was present and the INI file names no default program.
extern const char kNoSuitableKeysMessage[];

// The shell could not start the chosen program.
std::string LaunchFailedMessage(const std::string& targetPath);
