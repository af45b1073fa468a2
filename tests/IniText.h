#pragma once

#include <initializer_list>
#include <string>

// The text of an INI file from its lines, section lines included, each
// ended with CR LF as a setup author's editor writes them.
inline std::string IniText(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
