// The least a program can do to start what the launcher starts: one
// ShellExecuteA "open" of the file named on its command line, with COM
// ready around it as the shell's documentation asks of every caller.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const HINSTANCE result = ShellExecuteA(nullptr, "open", commandLine, nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com))
        CoUninitialize();
    return reinterpret_cast<INT_PTR>(result) > 32 ? 0 : 1;
}
