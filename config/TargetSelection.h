#pragma once

#include <string>

#include "config/LaunchSettings.h"
#include "config/SettingsSource.h"

// Whether the key a candidate names is present: it opens with full access
// under HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, tried
// in that order until one opens.
bool KeyIsPresent(SettingsSource& source, const std::string& keyPath);

// Walks the candidates RKey1 to RKey9 of the section ApplicationKeys of the
// INI file at settings.iniPath. The first whose key is present wins: its
// Path and, only when that is set, its Name go to targetPath and targetName,
// and the result is true. False when none is present.
bool ChooseCandidate(SettingsSource& source, LaunchSettings& settings);
