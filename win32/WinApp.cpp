#include "win32/WinApp.h"

#include "core/Messages.h"
#include "core/Paths.h"
#include "win32/Services.h"

namespace {

CWinApp* currentApp = nullptr;
MessageSink messageSink = nullptr;

// A message box shows the exclamation icon unless its type names another.
UINT WithDefaultIcon(UINT type)
{
    return (type & MB_ICONMASK) == 0 ? type | MB_ICONEXCLAMATION : type;
}

}  // namespace

const AppMessageMap CWinApp::baseMessageMap = {nullptr, nullptr, 0};

void PrepareProcess()
{
    win::RestrictLibrarySearch();
    win::AddErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

HINSTANCE ResourceInstance()
{
    const CWinApp* app = CWinApp::Current();
    return app && app->Instance() ? app->Instance() : GetModuleHandleA(nullptr);
}

void SetMessageSink(MessageSink sink)
{
    messageSink = sink;
}

void ReportMessage(const char* text, UINT type)
{
    if (messageSink) {
        messageSink(text, type);
        return;
    }
    if (const CWinApp* app = CWinApp::Current()) {
        app->ShowMessage(text, type);
        return;
    }
    char modulePath[kPathBufferSize];
    win::ModuleFileName(modulePath);
    char appName[kPathBufferSize];
    ApplicationNameFromModulePath(modulePath, appName, &win::IsAnsiLeadByte);
    win::ShowMessageBox(text, appName, WithDefaultIcon(type));
}

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
    PrepareProcess();
    instance_ = instance;
    char modulePath[kPathBufferSize];
    win::ModuleFileName(modulePath);
    ApplicationNameFromModulePath(modulePath, appName_, &win::IsAnsiLeadByte);
    HelpPathFromModulePath(modulePath, helpFilePath_, &win::IsAnsiLeadByte);

    // StartUp does the program's whole work; its dialog runs its own loop,
    // so no application message loop follows.
    StartUp();
    return ExitInstance();
}

void CWinApp::ShowMessage(const char* text, UINT type) const
{
    win::ShowMessageBox(text, appName_, WithDefaultIcon(type));
}

int CWinApp::StartUp()
{
    return 0;
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(lastMessage_.wParam);
}

const AppMessageMap* CWinApp::GetMessageMap() const
{
    return &baseMessageMap;
}

bool CWinApp::OnCommand(UINT id, UINT code, const CommandSource& source)
{
    return GetMessageMap()->Dispatch(MessageKey::Command(code, id),
                                     [&](AppHandler handler) { return handler(*this, source); });
}

bool CWinApp::OnHelp(CWinApp& app, const CommandSource& source)
{
    if (!WinHelpA(source.window, app.helpFilePath_, HELP_CONTEXT, source.helpContext))
        app.ShowMessage(kHelpFailedMessage);
    return true;
}
