#pragma once

#include <string>

// The executable's file name without directory and extension: the full
// path is cut at its last "." and the text after the last "\", "/" or ":"
// of the rest is taken. D:\TOLVAN.EXE gives TOLVAN.
std::string ApplicationNameFromModulePath(const std::string& modulePath);

// The executable's path with its extension replaced by ".HLP".
std::string HelpPathFromModulePath(const std::string& modulePath);

// Where the INI file is looked for: the current directory (not the
// executable's), a "\" unless the directory is a drive root such as D:\,
// the application name and ".ini". An empty directory gives the bare name.
std::string IniPathFor(const std::string& currentDirectory, const std::string& applicationName);
