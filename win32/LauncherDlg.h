#pragma once

#include <windows.h>

#include "core/LaunchSettings.h"
#include "resources/resource.h"
#include "win32/Dialog.h"

// The launcher's one dialog: what is about to be installed, the
// information text, and OK (or "Accept") or Cancel.
class CLauncherDlg : public CDialog {
public:
    enum { IDD = IDD_LAUNCHER };

    explicit CLauncherDlg(const LaunchSettings& settings, HWND parent = nullptr);

    // The program icon, loaded when first asked for: loading an icon starts
    // the display driver, which a launch without the dialog never needs.
    HICON Icon() const;

protected:
    const DialogMessageMap* GetMessageMap() const override;
    bool OnInitDialog() override;

private:
    // Shows the information text file in the panel, and "Accept" on OK for
    // an agreement. False once a failed read or close, or a text that
    // cannot be held, has been reported: the panel is then empty.
    bool FillInfoPanel();

    static bool OnPaint(CDialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static bool OnQueryDragIcon(CDialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);

    static const MessageMapEntry<DialogHandler> entries[];
    static const DialogMessageMap messageMap;

    const LaunchSettings& settings_;
    mutable HICON icon_ = nullptr;  // shared resource icon: never released
};
