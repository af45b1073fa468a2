#include "ui/LauncherDlg.h"

#include "platform/WinApp.h"

namespace {

HINSTANCE ResourceInstance()
{
    const CWinApp* app = CWinApp::Current();
    return app ? app->Instance() : GetModuleHandleA(nullptr);
}

}  // namespace

CLauncherDlg::CLauncherDlg(const LaunchSettings& settings, HWND parent)
    : CDialog(IDD, parent), settings_(settings),
      icon_(LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_LAUNCHER)))
{
}
