// The least a program can do to show what the launcher's dialog shows:
// the same template, with the file named on its command line read in one
// call and put into the panel in one call.
#include <windows.h>

#include <string>

#include "resources/resource.h"

namespace {

std::string ReadWhole(const char* name)
{
    const HANDLE file = CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const char* name = reinterpret_cast<const char*>(lParam);
        if (*name)
            SetDlgItemTextA(dialog, IDC_INFO_TEXT, ReadWhole(name).c_str());
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_LAUNCHER), nullptr, &DialogProc,
                    reinterpret_cast<LPARAM>(commandLine));
    return 0;
}
