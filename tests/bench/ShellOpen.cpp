// The least a program can do to start what the launcher starts: one
// ShellExecuteA "open" of the file named on its command line.
#include <windows.h>

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const HINSTANCE result = ShellExecuteA(nullptr, "open", commandLine, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32 ? 0 : 1;
}
