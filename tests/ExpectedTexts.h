#pragma once

#include <string>

// The launcher's messages as the user reads them, written out once for the
// tests of every level: a change of wording shows in all of them at once.

inline std::string IniNotFoundText(const std::string& iniPath)
{
    return "'" + iniPath + "'\n File not found or missing key";
}

constexpr char kNoSuitableKeysText[] = "Error in ini file:\nNo suitable keys found";

inline std::string LaunchFailedText(const std::string& targetPath)
{
    return "'" + targetPath + "'\n Program could not be executed";
}

// The panel's line in place of an INFO file that cannot be opened.
inline std::string InfoOpenFailedText(const std::string& infoFile, int cause)
{
    return "Can't open file " + infoFile + ", error = " + std::to_string(cause);
}

constexpr char kOutOfMemoryText[] = "Out of memory.";

// A message as the checker's report quotes it, each line indented.
inline std::string Indented(std::string text, const std::string& indent = "  ")
{
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, indent);
    return indent + text;
}
