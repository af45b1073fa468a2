// A stand-in target: it records that it was started, where it runs, how
// it was called, whether a launcher dialog was still showing, the error
// mode it was given and the work area it sees, in the directory named by TOLVAN_MARKER_DIR, and ends.
// It writes nothing beside itself, so the launcher's directory stays as it was.
#include <windows.h>

#include <string>

#include "resources/resource.h"

namespace {

// Launcher dialogs still on the screen when this program starts.
BOOL CALLBACK CountLauncherDialogs(HWND window, LPARAM count)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && std::string(className) == "#32770" && GetDlgItem(window, IDC_INFO_TEXT))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Read first, before anything of this program could change it.
    const UINT errorMode = SetErrorMode(0);
    SetErrorMode(errorMode);
    char markerDirectory[MAX_PATH] = {};
    if (GetEnvironmentVariableA("TOLVAN_MARKER_DIR", markerDirectory, MAX_PATH) == 0)
        return 1;
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    int dialogs = 0;
    EnumWindows(&CountLauncherDialogs, reinterpret_cast<LPARAM>(&dialogs));
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const std::string record = std::string(program) + "\n" + directory + "\n" + GetCommandLineA() + "\n" +
                               std::to_string(dialogs) + "\n" + std::to_string(errorMode) + "\n" +
                               std::to_string(area.left) + " " + std::to_string(area.top) + " " +
                               std::to_string(area.right) + " " + std::to_string(area.bottom) + "\n";

    const std::string recordPath =
        std::string(markerDirectory) + "\\launch-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const HANDLE file = CreateFileA(recordPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
