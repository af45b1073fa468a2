#include "win32/Services.h"

#include <objbase.h>
#include <shellapi.h>

#include <cstring>

namespace win {

namespace {

constexpr DWORD kPathBufferSize = MAX_PATH;

}  // namespace

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

std::string ModuleFileName()
{
    char buffer[kPathBufferSize] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, kPathBufferSize);
    return std::string(buffer, length < kPathBufferSize ? length : kPathBufferSize - 1);
}

std::string CurrentDirectory()
{
    char buffer[kPathBufferSize] = {};
    const DWORD length = GetCurrentDirectoryA(kPathBufferSize, buffer);
    // A result as large as the buffer is the size it would need.
    if (length == 0 || length >= kPathBufferSize)
        return std::string();
    return std::string(buffer, length);
}

UINT ReadProfileInt(const std::string& section, const std::string& key, UINT defaultValue,
                    const std::string& file)
{
    return GetPrivateProfileIntA(section.c_str(), key.c_str(), static_cast<INT>(defaultValue),
                                 file.c_str());
}

std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& file,
                              DWORD bufferSize)
{
    std::string buffer(bufferSize, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", &buffer[0], bufferSize, file.c_str());
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

bool KeyOpens(HKEY root, const std::string& keyPath, REGSAM access)
{
    // No WOW64 view flag: a 32-bit program sees the keys that 32-bit
    // setups write.
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return false;
    // Only the open mattered; a failed close changes nothing about that.
    RegCloseKey(key);
    return true;
}

bool KeyOpensWithFullAccess(HKEY root, const std::string& keyPath)
{
    return KeyOpens(root, keyPath, KEY_ALL_ACCESS);
}

std::intptr_t ShellOpen(const std::string& file)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com))
        CoUninitialize();
    return reinterpret_cast<std::intptr_t>(result);
}

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type)
{
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), type);
}

}  // namespace win
