#include "win32/Services.h"

#include <objbase.h>
#include <shellapi.h>

#include <cstring>

namespace win {

static_assert(kPathBufferSize == MAX_PATH, "the launcher's paths are the platform's");

void RestrictLibrarySearch()
{
    // Looked up, since systems before Windows 8 lack it unless updated.
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    using Generic = void (*)();
    const HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesCall>(
        reinterpret_cast<Generic>(kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
    if (setDefaultDllDirectories)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The current directory out of the search on every system.
    SetDllDirectoryA("");
}

void AddErrorMode(UINT flags)
{
    // SetErrorMode is the one call that reads the mode on every system.
    const UINT current = SetErrorMode(0);
    SetErrorMode(current | flags);
}

bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

void ModuleFileName(char (&path)[kPathBufferSize])
{
    const DWORD length = GetModuleFileNameA(nullptr, path, kPathBufferSize);
    // A path cut to fit the buffer has no terminating zero on older systems.
    path[length < kPathBufferSize ? length : kPathBufferSize - 1] = '\0';
}

std::size_t CurrentDirectory(char (&directory)[kPathBufferSize])
{
    const DWORD length = GetCurrentDirectoryA(kPathBufferSize, directory);
    // A result as large as the buffer is the size it would need.
    if (length == 0 || length >= kPathBufferSize) {
        directory[0] = '\0';
        return 0;
    }
    return length;
}

UINT ReadProfileInt(const char* section, const char* key, UINT defaultValue, const char* file)
{
    return GetPrivateProfileIntA(section, key, static_cast<INT>(defaultValue), file);
}

std::size_t ReadProfileString(const char* section, const char* key, const char* file, char* buffer,
                              DWORD bufferSize)
{
    buffer[0] = '\0';
    GetPrivateProfileStringA(section, key, "", buffer, bufferSize, file);
    return std::strlen(buffer);
}

bool KeyOpens(HKEY root, const char* keyPath, REGSAM access)
{
    // No WOW64 view flag: a 32-bit program sees the keys that 32-bit
    // setups write.
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath, 0, access, &key) != ERROR_SUCCESS)
        return false;
    // Only the open mattered; a failed close changes nothing about that.
    RegCloseKey(key);
    return true;
}

bool KeyOpensWithFullAccess(HKEY root, const char* keyPath)
{
    return KeyOpens(root, keyPath, KEY_ALL_ACCESS);
}

std::intptr_t ShellOpen(const char* file)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", file, nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com))
        CoUninitialize();
    return reinterpret_cast<std::intptr_t>(result);
}

int ShowMessageBox(const char* text, const char* caption, UINT type)
{
    return MessageBoxA(GetActiveWindow(), text, caption, type);
}

}  // namespace win
