#pragma once

#include "core/LaunchSettings.h"

// What the launch asks of the dialog and the platform.
class LaunchSteps {
public:
    virtual ~LaunchSteps() = default;

    // Runs the dialog modally: 1 (OK), 2 (Cancel) or -1 (not created).
    virtual int RunDialog() = 0;

    // Opens the target through the shell; true when it was started.
    virtual bool Open(const CString& targetPath) = 0;

    // Shows the text in the message box; returns once it is dismissed.
    virtual void ShowMessage(const char* text) = 0;
};

// Whether the launch shows the dialog first: only when Silent is 0; any
// other value launches at once.
bool DialogShows(const LaunchSettings& settings);

// After the settings are loaded: launches at once when silent, otherwise
// only when the user confirms the dialog, and reports a start that failed.
void LaunchAfterLoad(LaunchSettings& settings, LaunchSteps& steps);
