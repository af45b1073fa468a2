#pragma once

#include <string>

#include "config/LaunchSettings.h"
#include "config/SettingsSource.h"

// Finds the INI file in the current directory, reads it into settings and
// chooses the program to start. Returns 1 when a target is chosen; returns
// 0 once the reason it is not has been shown.
int LoadSettingsFrom(SettingsSource& source, const std::string& applicationName,
                     LaunchSettings& settings);
