#pragma once

#include "core/LaunchSettings.h"
#include "win32/WinApp.h"

// The program-wide settings, constructed before the application object.
extern LaunchSettings launchSettings;

// The launcher: one pass that loads the settings, chooses the target and
// starts it, with or without the dialog.
class CLauncherApp : public CWinApp {
public:
    ~CLauncherApp() override;

    // Reads the INI file and chooses the target: 1 when ready to launch,
    // 0 once the reason it is not has been shown.
    virtual int LoadSettings();

protected:
    const AppMessageMap* GetMessageMap() const override;
    int StartUp() override;

private:
    static const MessageMapEntry<AppHandler> entries[];
    static const AppMessageMap messageMap;
};
