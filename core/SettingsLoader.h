#pragma once

#include "core/LaunchSettings.h"
#include "core/SettingsSource.h"

// What loading the settings decided: the launcher acts on it, the checker
// reports it.
struct LoadDecision {
    enum class Outcome {
        IniNotFound,     // Silent is missing (or 99): the run ends with a message
        Candidate,       // candidate's key is present under root
        DefaultProgram,  // no candidate is present; DefaultPath is the target
        NoSuitableKeys,  // no candidate is present and DefaultPath is not set
        OutOfMemory,     // a text could not be held: the run ends with kOutOfMemoryMessage
    };

    Outcome outcome = Outcome::IniNotFound;
    int candidate = 0;                              // Candidate only
    RegistryRoot root = RegistryRoot::ClassesRoot;  // Candidate only

    // A target is chosen and the launch goes on.
    bool TargetChosen() const { return outcome == Outcome::Candidate || outcome == Outcome::DefaultProgram; }
};

// Finds the INI file in the current directory, reads it into settings and
// chooses the program to start. A run that ends here ends with the message
// in settings.messageText, which the caller shows, or, when a text could
// not be held, with kOutOfMemoryMessage (Messages.h).
LoadDecision LoadSettingsFrom(SettingsSource& source, const char* applicationName, LaunchSettings& settings);
