#pragma once

#include <string>
#include <vector>

// The INI file as the platform's profile read sees it, kept line by line so
// that what an author got wrong can be pointed at.

struct IniKey {
    int line = 0;          // counted from 1
    std::string name;      // without the blanks around it
    std::string rawValue;  // everything after the first "=", as written
    std::string value;     // what a profile read gives, before any length limit
};

struct IniSection {
    int line = 0;
    std::string name;  // empty for keys before the first section
    std::vector<IniKey> keys;
};

struct IniFile {
    std::vector<IniSection> sections;  // in file order, repeats included
};

// Splits the text into sections and keys the way the profile read does:
// blanks around names and values dropped, one pair of matching quotes
// around a value dropped, lines beginning with ";" skipped, a line without
// "=" a key without value, a "[" line without "]" ignored.
IniFile ScanIni(const std::string& text);

// The text without the blanks the profile read drops around names and values.
std::string TrimBlanks(const std::string& text);

// Names are compared as the profile read compares them: without regard to
// letter case.
bool SameName(const std::string& a, const std::string& b);

// The first section of that name and the first key of that name in it, as
// the profile read finds them; null when there is none.
const IniSection* FindSection(const IniFile& ini, const std::string& name);
const IniKey* FindKey(const IniSection& section, const std::string& name);
