#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What breaks a medium in the field although its INI file is sound: the
// drive it lies on and the characters its names are written in.

// A text as a program of the ANSI code page gets it. Characters that the
// code page cannot write are shown as "?" and counted, in characters from 1.
struct AnsiView {
    std::string text;
    std::vector<std::size_t> lost;
};

// The directory lies on a drive letter of a network drive, which an
// elevated launcher does not see. uncPath: the directory as
// \\server\share\..., or "" when it cannot be had.
std::string NetworkDriveWarning(const std::string& directory, const std::string& uncPath);

// The directory's path holds characters that the code page cannot write;
// "" when it holds none.
std::string DirectoryCodePageWarning(const AnsiView& directory, unsigned codePage);

// A value the launcher read holds characters that the code page cannot
// write; "" when it holds none. name says which, as "[Init] INFO".
std::string ValueCodePageWarning(const std::string& name, const AnsiView& value, unsigned codePage);
