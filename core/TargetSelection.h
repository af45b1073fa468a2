#pragma once

#include <optional>
#include <string>

#include "core/LaunchSettings.h"
#include "core/SettingsSource.h"

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
