#pragma once

#include <cstdint>
#include <string>

// The one program-wide record: what the INI file gave, the chosen target
// and the text of the last failure message. Fields are in the order the
// program constructs them.
struct LaunchSettings {
    std::string messageText;
    std::string targetPath;
    std::string iniPath;
    std::int32_t silent = 0;  // non-zero: launch without the dialog
    std::string caption;
    std::string title;
    std::string copyright;
    std::string targetName;
    std::string infoFile;  // empty: no information text
};
