#pragma once

#include <optional>
#include <string>

#include "core/LaunchSettings.h"
#include "core/SettingsSource.h"

// The root under which the key a candidate names is present: it opens with
// full access under HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER, tried in that order until one opens. None when it
// opens under none of them.
std::optional<RegistryRoot> FindPresentKey(SettingsSource& source, const std::string& keyPath);

// The candidate that won, and the root its key opened under.
struct ChosenCandidate {
    int number = 0;
    RegistryRoot root = RegistryRoot::ClassesRoot;
};

// Walks the candidates RKey1 to RKey9 of the section ApplicationKeys of the
// INI file at settings.iniPath. The first whose key is present wins: its
// Path and, only when that is set, its Name go to targetPath and targetName.
// None when no candidate is present.
std::optional<ChosenCandidate> ChooseCandidate(SettingsSource& source, LaunchSettings& settings);
