#include "config/Paths.h"

namespace {

std::string WithoutExtension(const std::string& path)
{
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(0, dot);
}

}  // namespace

std::string ApplicationNameFromModulePath(const std::string& modulePath)
{
    const std::string stem = WithoutExtension(modulePath);
    const auto separator = stem.find_last_of("\\/:");
    return separator == std::string::npos ? stem : stem.substr(separator + 1);
}

std::string HelpPathFromModulePath(const std::string& modulePath)
{
    return WithoutExtension(modulePath) + ".HLP";
}

std::string IniPathFor(const std::string& currentDirectory, const std::string& applicationName)
{
    std::string path = currentDirectory;
    // A drive root (D:\) already ends in the separator.
    if (path.size() > 3)
        path += '\\';
    return path + applicationName + ".ini";
}
