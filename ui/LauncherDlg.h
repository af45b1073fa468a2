#pragma once

#include <windows.h>

#include "config/LaunchSettings.h"
#include "platform/Dialog.h"
#include "resources/resource.h"

// The launcher's one dialog: what is about to be installed, and OK or Cancel.
class CLauncherDlg : public CDialog {
public:
    enum { IDD = IDD_LAUNCHER };

    explicit CLauncherDlg(const LaunchSettings& settings, HWND parent = nullptr);

private:
    const LaunchSettings& settings_;
    HICON icon_;  // shared resource icon, never released
};
