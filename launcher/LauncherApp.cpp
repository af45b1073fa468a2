#include "launcher/LauncherApp.h"

#include <windows.h>

#include "core/LaunchFlow.h"
#include "core/Messages.h"
#include "core/SettingsLoader.h"
#include "win32/LauncherDlg.h"
#include "win32/ProfileSettingsSource.h"
#include "win32/Services.h"
#include "win32/ThreeDimensionalLook.h"

// Static initialisation builds these in this order: the settings first,
// then the application that fills them.
LaunchSettings launchSettings;
CLauncherApp theApp;

namespace {

constexpr std::intptr_t kLastShellError = 32;

class DialogLaunchSteps : public LaunchSteps {
public:
    DialogLaunchSteps(const CWinApp& app, CLauncherDlg& dialog) : app_(app), dialog_(dialog) {}

    int RunDialog() override { return static_cast<int>(dialog_.DoModal()); }
    bool Open(const CString& targetPath) override { return win::ShellOpen(targetPath.GetString()) > kLastShellError; }
    void ShowMessage(const char* text) override { app_.ShowMessage(text); }

private:
    const CWinApp& app_;
    CLauncherDlg& dialog_;
};

}  // namespace

// F1 in the dialog reaches the application as the help command.
const MessageMapEntry<AppHandler> CLauncherApp::entries[] = {
    {MessageKey::Command(0, kHelpCommand), &CWinApp::OnHelp},
};

const AppMessageMap CLauncherApp::messageMap = MakeMessageMap<AppHandler>(&CWinApp::baseMessageMap, CLauncherApp::entries);

CLauncherApp::~CLauncherApp() = default;

const AppMessageMap* CLauncherApp::GetMessageMap() const
{
    return &messageMap;
}

int CLauncherApp::LoadSettings()
{
    ProfileSettingsSource source;
    const LoadDecision decision = LoadSettingsFrom(source, AppName(), launchSettings);
    if (decision.outcome == LoadDecision::Outcome::OutOfMemory) {
        ShowMessage(kOutOfMemoryMessage);
        return 0;
    }
    if (!decision.TargetChosen()) {
        ShowMessage(launchSettings.messageText.GetString());
        return 0;
    }
    return 1;
}

int CLauncherApp::StartUp()
{
    EnableThreeDimensionalLook(Instance());
    if (!LoadSettings())
        return 0;
    CLauncherDlg dialog(launchSettings);
    DialogLaunchSteps steps(*this, dialog);
    LaunchAfterLoad(launchSettings, steps);
    return 0;
}
