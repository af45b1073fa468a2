#include "core/Messages.h"

const char kNoSuitableKeysMessage[] = "Error in ini file:\nNo suitable keys found";

const char kHelpFailedMessage[] = "Failed to launch help.";

const char kOutOfMemoryMessage[] = "Out of memory.";

const char kIniNotFoundReason[] = "File not found or missing key";

bool IniNotFoundMessage(const CString& iniPath, CString& message)
{
    message.Empty();
    return message.Append({"'", iniPath.GetString(), "'\n ", kIniNotFoundReason});
}

bool LaunchFailedMessage(const CString& targetPath, CString& message)
{
    message.Empty();
    return message.Append({"'", targetPath.GetString(), "'\n Program could not be executed"});
}

bool InfoOpenFailedMessage(const CString& infoFile, int cause, CString& message)
{
    // Unsigned decimal, written from the last digit back.
    char digits[12];
    char* first = digits + sizeof digits - 1;
    *first = '\0';
    unsigned number = static_cast<unsigned>(cause);
    do {
        *--first = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    message.Empty();
    return message.Append({"Can't open file ", infoFile.GetString(), ", error = ", first});
}
