#pragma once

#include <string>
#include <vector>

#include "core/Paths.h"

// tolvan-check [--as NAME] [--preview FILE.bmp] [DIR]
struct CheckOptions {
    std::string applicationName = "TOLVAN";
    std::string previewFile;  // empty: no preview
    std::string directory;    // empty: the current directory
    bool help = false;
    std::string error;        // what is wrong with the arguments, or ""
};

extern const char kCheckUsage[];

// NAME is the launcher's file name, SETUP.EXE, or its application name,
// SETUP; either gives the application name as the launcher derives it.
// isLeadByte reads the arguments in the code page they came in.
CheckOptions ParseCheckArguments(const std::vector<std::string>& arguments, LeadByteTest isLeadByte = nullptr);
