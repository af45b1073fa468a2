#include "core/checker/MediaWarnings.h"

#include "core/Messages.h"

namespace {

// "character 3", "characters 8 to 13", "characters 1, 4 to 6 and 9".
std::string Positions(const std::vector<std::size_t>& lost)
{
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < lost.size();) {
        std::size_t end = i;
        while (end + 1 < lost.size() && lost[end + 1] == lost[end] + 1)
            ++end;
        runs.push_back(std::to_string(lost[i]) + (end == i ? "" : " to " + std::to_string(lost[end])));
        i = end + 1;
    }
    std::string text = lost.size() == 1 ? "character " : "characters ";
    for (std::size_t i = 0; i < runs.size(); ++i)
        text += (i == 0 ? "" : i + 1 == runs.size() ? " and " : ", ") + runs[i];
    return text;
}

std::string LostCharacters(const std::string& subject, const AnsiView& view, unsigned codePage)
{
    return subject + " holds characters that code page " + std::to_string(codePage) + " cannot write, at " +
           Positions(view.lost) + " of " + view.text +
           " (shown as ?): the launcher gets other characters in their place";
}

}  // namespace

std::string NetworkDriveWarning(const std::string& directory, const std::string& uncPath)
{
    return directory +
           " is on a network drive: Windows starts the launcher elevated, as a setup, and an elevated program does "
           "not see the drive letters mapped before, so it would end with \"" +
           kIniNotFoundReason + "\"; start it from " +
           (uncPath.empty() ? std::string("the share's UNC path (\\\\server\\share\\...)") : uncPath) + " instead";
}

std::string DirectoryCodePageWarning(const AnsiView& directory, unsigned codePage)
{
    if (directory.lost.empty())
        return std::string();
    return LostCharacters("the directory's path", directory, codePage) +
           ", so it finds neither its INI file nor the programs beside it; name the folders in plain ASCII";
}

std::string ValueCodePageWarning(const std::string& name, const AnsiView& value, unsigned codePage)
{
    if (value.lost.empty())
        return std::string();
    return LostCharacters(name, value, codePage) + "; write it in plain ASCII or in the characters of that code page";
}
