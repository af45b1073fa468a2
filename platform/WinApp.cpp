#include "platform/WinApp.h"

#include "config/Paths.h"
#include "platform/Services.h"

namespace {

CWinApp* currentApp = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    currentApp = this;
}

CWinApp::~CWinApp()
{
    if (currentApp == this)
        currentApp = nullptr;
}

CWinApp* CWinApp::Current()
{
    return currentApp;
}

int CWinApp::Run(HINSTANCE instance)
{
    instance_ = instance;
    // The platform shows none of its own critical-error or file-not-found
    // boxes for this process or the one it starts.
    win::AddErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const std::string modulePath = win::ModuleFileName();
    appName_ = ApplicationNameFromModulePath(modulePath);
    helpFilePath_ = HelpPathFromModulePath(modulePath);

    // StartUp does the program's whole work; its dialog runs its own loop,
    // so no application message loop follows.
    StartUp();
    return ExitInstance();
}

void CWinApp::ShowMessage(const std::string& text, UINT type) const
{
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    win::ShowMessageBox(text, appName_, type);
}

int CWinApp::StartUp()
{
    return 0;
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(lastMessage_.wParam);
}
