#include "core/Paths.h"

#include <cstring>

namespace {

// The length of a path as far as the launcher takes it.
std::size_t PathLength(const char* path)
{
    std::size_t length = 0;
    while (length < kPathBufferSize - 1 && path[length] != '\0')
        ++length;
    return length;
}

// The length of the path without its extension.
std::size_t StemLength(const char* path, LeadByteTest isLeadByte)
{
    const std::size_t length = PathLength(path);
    const std::size_t dot = FindLastSeparator(path, length, ".", isLeadByte);
    return dot == kNoSeparator ? length : dot;
}

}  // namespace

std::size_t FindLastSeparator(const char* text, std::size_t length, const char* separators, LeadByteTest isLeadByte)
{
    // Read from the start: only there is it known where a character begins.
    std::size_t last = kNoSeparator;
    for (std::size_t i = 0; i < length; ++i) {
        const char byte = text[i];
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(byte)) && i + 1 < length) {
            ++i;
            continue;
        }
        if (byte != '\0' && std::strchr(separators, byte))
            last = i;
    }
    return last;
}

void ApplicationNameFromModulePath(const char* modulePath, char (&name)[kPathBufferSize], LeadByteTest isLeadByte)
{
    const std::size_t stem = StemLength(modulePath, isLeadByte);
    const std::size_t separator = FindLastSeparator(modulePath, stem, "\\/:", isLeadByte);
    const std::size_t start = separator == kNoSeparator ? 0 : separator + 1;
    std::memcpy(name, modulePath + start, stem - start);
    name[stem - start] = '\0';
}

void HelpPathFromModulePath(const char* modulePath, char (&helpPath)[kHelpPathBufferSize], LeadByteTest isLeadByte)
{
    const std::size_t stem = StemLength(modulePath, isLeadByte);
    std::memcpy(helpPath, modulePath, stem);
    std::memcpy(helpPath + stem, ".HLP", sizeof ".HLP");
}

bool IniPathFor(const CString& currentDirectory, const char* applicationName, CString& iniPath)
{
    // A drive root (D:\) already ends in the separator.
    const char* separator = currentDirectory.GetLength() > 3 ? "\\" : "";
    iniPath.Empty();
    return iniPath.Append({currentDirectory.GetString(), separator, applicationName, ".ini"});
}
