#include "core/Messages.h"

const char kNoSuitableKeysMessage[] = "Error in ini file:\nNo suitable keys found";

const char kHelpFailedMessage[] = "Failed to launch help.";

const char kOutOfMemoryMessage[] = "Out of memory.";

const char kIniNotFoundReason[] = "File not found or missing key";

std::string IniNotFoundMessage(const std::string& iniPath)
{
    return "'" + iniPath + "'\n " + kIniNotFoundReason;
}

std::string LaunchFailedMessage(const std::string& targetPath)
{
    return "'" + targetPath + "'\n Program could not be executed";
}

std::string InfoOpenFailedMessage(const std::string& infoFile, int cause)
{
    return "Can't open file " + infoFile + ", error = " + std::to_string(static_cast<unsigned>(cause));
}
