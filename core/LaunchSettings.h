#pragma once

#include <cstdint>

#include "core/Text.h"

// The one program-wide record: what the INI file gave, the chosen target
// and the text of the last failure message. Fields are in the order the
// program constructs them.
struct LaunchSettings {
    CString messageText;
    CString targetPath;
    CString iniPath;
    std::int32_t silent = 0;  // non-zero: launch without the dialog
    CString caption;
    CString title;
    CString copyright;
    CString targetName;
    CString infoFile;  // empty: no information text
};
