#pragma once

#include <cstddef>
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

// The zero bytes of the information text file, counted chunk by chunk as
// the panel reads it, without keeping the file: each drops the rest of its
// chunk.
struct ZeroBytes {
    std::size_t first = std::string::npos;  // offset of the first; npos: none
    std::size_t dropped = 0;                // the bytes they drop, in all
    std::size_t read = 0;                   // the bytes counted so far

    // Counts the next chunk, of at most kInfoChunkSize bytes.
    void Count(const char* chunk, std::size_t size);
};

// The information text file as the panel reads it: its zero bytes, and
// text, what the panel makes of the file. A text that almost begins with
// "END USER", and zero bytes, whose chunk loses the rest.
std::vector<std::string> InfoFileWarnings(const std::string& infoFile, const ZeroBytes& zeros, const std::string& text);
