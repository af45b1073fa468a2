#include <windows.h>

#include "win32/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The command line and the show command are never read.
    return CWinApp::Current()->Run(instance);
}
