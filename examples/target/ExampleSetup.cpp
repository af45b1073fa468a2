// A stand-in for an installation program: it only shows that it was
// started, by which name and in which working directory.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    const std::string text = std::string(EXAMPLE_SETUP_TEXT) + "\n\nProgram: " + path +
                             "\nWorking directory: " + directory;
    MessageBoxA(nullptr, text.c_str(), "Example setup", MB_OK | MB_ICONINFORMATION);
    return 0;
}
