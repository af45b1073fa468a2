#pragma once

#include <string>

// Tells whether a byte opens a two-byte character in the ANSI code page in
// force. In code pages 932, 936, 949 and 950 the second byte of such a
// character can be "\" (0x5C), so a path is split only where a separator
// stands as a character of its own. Null: a single-byte code page.
using LeadByteTest = bool (*)(unsigned char byte);

// The executable's file name without directory and extension: the full
// path is cut at its last "." and the text after the last "\", "/" or ":"
// of the rest is taken. D:\TOLVAN.EXE gives TOLVAN.
std::string ApplicationNameFromModulePath(const std::string& modulePath, LeadByteTest isLeadByte = nullptr);

// The executable's path with its extension replaced by ".HLP".
std::string HelpPathFromModulePath(const std::string& modulePath, LeadByteTest isLeadByte = nullptr);

// Where the last of the characters in separators stands in text, read
// character by character; npos when there is none.
std::size_t FindLastSeparator(const std::string& text, const char* separators, LeadByteTest isLeadByte);

// Where the INI file is looked for: the current directory (not the
// executable's), a "\" unless the directory is a drive root such as D:\,
// the application name and ".ini". An empty directory gives the bare name.
std::string IniPathFor(const std::string& currentDirectory, const std::string& applicationName);
