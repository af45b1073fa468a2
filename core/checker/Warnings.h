#pragma once

#include <string>
#include <vector>

#include "core/checker/IniScan.h"

// What setup authors get wrong in the INI file and the information text
// file, each told in one line that says what the launcher makes of it.

// Keys the launcher never reads (numbered 10 and up, misspelt, in the wrong
// section, repeated, in a repeated section), candidates without their RKey,
// DefaultName without DefaultPath, and values whose quotes or blanks the
// launcher drops.
std::vector<std::string> IniWarnings(const IniFile& ini);

// The information text file as the panel reads it: bytes are the file's
// bytes as read, text what the panel makes of them. A text that almost
// begins with "END USER", and zero bytes, whose chunk loses the rest.
std::vector<std::string> InfoFileWarnings(const std::string& infoFile, const std::string& bytes,
                                          const std::string& text);
