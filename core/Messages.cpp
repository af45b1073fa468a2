#include "core/Messages.h"

const char kNoSuitableKeysMessage[] = "Error in ini file:\nNo suitable keys found";

std::string IniNotFoundMessage(const std::string& iniPath)
{
    return "'" + iniPath + "'\n File not found or missing key";
}

std::string LaunchFailedMessage(const std::string& targetPath)
{
    return "'" + targetPath + "'\n Program could not be executed";
}
