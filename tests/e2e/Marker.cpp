// A stand-in target: it records that it was started, where it runs and
// how it was called, in the directory named by TOLVAN_MARKER_DIR, and ends.
// It writes nothing beside itself, so the launcher's directory stays as it was.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char markerDirectory[MAX_PATH] = {};
    if (GetEnvironmentVariableA("TOLVAN_MARKER_DIR", markerDirectory, MAX_PATH) == 0)
        return 1;
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    const std::string record = std::string(program) + "\n" + directory + "\n" + GetCommandLineA() + "\n";

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
