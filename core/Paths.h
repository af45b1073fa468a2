#pragma once

#include <cstddef>

#include "core/Text.h"

// Tells whether a byte opens a two-byte character in the ANSI code page in
// force. In code pages 932, 936, 949 and 950 the second byte of such a
// character can be "\" (0x5C), so a path is split only where a separator
// stands as a character of its own. Null: a single-byte code page.
using LeadByteTest = bool (*)(unsigned char byte);

// The platform's paths fit a buffer of this size with their terminating
// zero (MAX_PATH); the launcher never takes a longer one.
inline constexpr std::size_t kPathBufferSize = 260;

// The help path adds ".HLP" to a path that may have no extension.
inline constexpr std::size_t kHelpPathBufferSize = kPathBufferSize + 4;

// The executable's file name without directory and extension: the full
// path is cut at its last "." and the text after the last "\", "/" or ":"
// of the rest is taken. D:\TOLVAN.EXE gives TOLVAN. Of a longer path, only
// its first kPathBufferSize - 1 characters are looked at.
void ApplicationNameFromModulePath(const char* modulePath, char (&name)[kPathBufferSize],
                                   LeadByteTest isLeadByte = nullptr);

// The executable's path with its extension replaced by ".HLP".
void HelpPathFromModulePath(const char* modulePath, char (&helpPath)[kHelpPathBufferSize],
                            LeadByteTest isLeadByte = nullptr);

// What FindLastSeparator gives when there is no separator.
inline constexpr std::size_t kNoSeparator = static_cast<std::size_t>(-1);

// Where the last of the characters in separators stands among the first
// length bytes of text, read character by character; kNoSeparator when
// there is none.
std::size_t FindLastSeparator(const char* text, std::size_t length, const char* separators, LeadByteTest isLeadByte);

// Where the INI file is looked for: the current directory (not the
// executable's), a "\" unless the directory is a drive root such as D:\,
// the application name and ".ini". An empty directory gives the bare name.
// False when the path cannot be held.
[[nodiscard]] bool IniPathFor(const CString& currentDirectory, const char* applicationName, CString& iniPath);
