#include "core/checker/IniScan.h"

#include <cctype>

namespace {

// The characters the profile read drops around names and values; 0x1A is
// the end-of-file mark of old editors.
const char kBlanks[] = " \t\r\v\f\x1a";

const char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// What a profile read gives for the value as written.
std::string ProfileValue(const std::string& rawValue)
{
    std::string value = TrimBlanks(rawValue);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::string TrimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::string();
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

IniFile ScanIni(const std::string& text)
{
    IniFile ini;
    // Keys before the first section belong to no section the launcher reads.
    ini.sections.push_back(IniSection{1, std::string(), {}});
    std::size_t start = text.rfind(kUtf8ByteOrderMark, 0) == 0 ? 3 : 0;
    for (int number = 1; start <= text.size(); ++number) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string written = text.substr(start, end - start);
        if (!written.empty() && written.back() == '\r')
            written.pop_back();
        const std::string line = TrimBlanks(written);
        start = end + 1;

        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const auto close = line.rfind(']');
            if (close != std::string::npos)
                ini.sections.push_back(IniSection{number, TrimBlanks(line.substr(1, close - 1)), {}});
            continue;
        }
        const auto equals = written.find('=');
        IniKey key;
        key.line = number;
        key.name = TrimBlanks(written.substr(0, equals));
        if (key.name.empty())
            continue;
        if (equals != std::string::npos)
            key.rawValue = written.substr(equals + 1);
        key.value = ProfileValue(key.rawValue);
        ini.sections.back().keys.push_back(key);
    }
    if (ini.sections.front().keys.empty())
        ini.sections.erase(ini.sections.begin());
    return ini;
}

const IniSection* FindSection(const IniFile& ini, const std::string& name)
{
    for (const IniSection& section : ini.sections) {
        if (SameName(section.name, name))
            return &section;
    }
    return nullptr;
}

const IniKey* FindKey(const IniSection& section, const std::string& name)
{
    for (const IniKey& key : section.keys) {
        if (SameName(key.name, name))
            return &key;
    }
    return nullptr;
}
