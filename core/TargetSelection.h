#pragma once

#include "core/LaunchSettings.h"
#include "core/SettingsSource.h"

// What the walk over the candidates found.
struct CandidateChoice {
    enum class Outcome {
        Chosen,       // candidate number's key is present under root
        NonePresent,  // no candidate's key is present
        OutOfMemory,  // a value read could not be held
    };

    Outcome outcome = Outcome::NonePresent;
    int number = 0;                                 // Chosen only
    RegistryRoot root = RegistryRoot::ClassesRoot;  // Chosen only
};

// Walks the candidates RKey1 to RKey9 of the section ApplicationKeys of the
// INI file at settings.iniPath. The first whose key is present wins: its
// Path and, only when that is set, its Name go to targetPath and targetName.
CandidateChoice ChooseCandidate(SettingsSource& source, LaunchSettings& settings);
