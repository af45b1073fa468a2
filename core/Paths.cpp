#include "core/Paths.h"

#include <cstring>

namespace {

std::string WithoutExtension(const std::string& path, LeadByteTest isLeadByte)
{
    const auto dot = FindLastSeparator(path, ".", isLeadByte);
    return dot == std::string::npos ? path : path.substr(0, dot);
}

}  // namespace

std::size_t FindLastSeparator(const std::string& text, const char* separators, LeadByteTest isLeadByte)
{
    // Read from the start: only there is it known where a character begins.
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(byte)) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (byte != '\0' && std::strchr(separators, byte))
            last = i;
    }
    return last;
}

std::string ApplicationNameFromModulePath(const std::string& modulePath, LeadByteTest isLeadByte)
{
    const std::string stem = WithoutExtension(modulePath, isLeadByte);
    const auto separator = FindLastSeparator(stem, "\\/:", isLeadByte);
    return separator == std::string::npos ? stem : stem.substr(separator + 1);
}

std::string HelpPathFromModulePath(const std::string& modulePath, LeadByteTest isLeadByte)
{
    return WithoutExtension(modulePath, isLeadByte) + ".HLP";
}

std::string IniPathFor(const std::string& currentDirectory, const std::string& applicationName)
{
    std::string path = currentDirectory;
    // A drive root (D:\) already ends in the separator.
    if (path.size() > 3)
        path += '\\';
    return path + applicationName + ".ini";
}
