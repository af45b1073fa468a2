#include <windows.h>

#include "platform/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The command line and the show command are never read.
    return CWinApp::Current()->Run(instance);
}
