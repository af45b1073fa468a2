#include "checker/CheckerServices.h"

#include <winnetwk.h>

#include <vector>

#include "win32/ProfileSettingsSource.h"
#include "win32/Services.h"

namespace {

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

// Character by character, with "?" for each one the code page can write
// neither as it is nor otherwise than by a look-alike.
AnsiView InCodePage(const std::wstring& wide)
{
    AnsiView view;
    // UTF-8 as the ANSI code page writes every character.
    const bool writesEverything = GetACP() == CP_UTF8;
    std::size_t character = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        ++character;
        const bool pair = i + 1 < wide.size() && IS_HIGH_SURROGATE(wide[i]) && IS_LOW_SURROGATE(wide[i + 1]);
        const int units = pair ? 2 : 1;
        char bytes[8] = {};
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(CP_ACP, writesEverything ? 0 : WC_NO_BEST_FIT_CHARS, &wide[i], units,
                                               bytes, sizeof bytes, nullptr, writesEverything ? nullptr : &usedDefault);
        if (length <= 0 || usedDefault) {
            view.text += '?';
            view.lost.push_back(character);
        } else {
            view.text.append(bytes, static_cast<std::size_t>(length));
        }
        i += static_cast<std::size_t>(units - 1);
    }
    return view;
}

}  // namespace

namespace win {

std::string FullPathName(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(full, length);
}

PathKind KindOfPath(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
}

DWORD ChangeCurrentDirectory(const std::string& directory)
{
    return SetCurrentDirectoryA(directory.c_str()) ? ERROR_SUCCESS : GetLastError();
}

std::vector<std::string> DllFilesInCurrentDirectory()
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("*.dll", &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        const std::string name = found.cFileName;
        // The pattern also matches a longer extension through the short name.
        const bool endsInDll = name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".dll") == 0;
        if (endsInDll && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            files.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

std::string FindProgram(const std::string& path, bool& isFolder)
{
    isFolder = false;
    char found[MAX_PATH] = {};
    const DWORD length = SearchPathA(nullptr, path.c_str(), ".exe", MAX_PATH, found, nullptr);
    // The search finds files only; the shell also opens a folder.
    const std::string program = length > 0 && length < MAX_PATH ? std::string(found, length) : FullPathName(path);
    const PathKind kind = program.empty() ? PathKind::Missing : KindOfPath(program);
    if (kind == PathKind::Missing)
        return std::string();
    isFolder = kind == PathKind::Folder;
    return program;
}

unsigned AnsiCodePage()
{
    return GetACP();
}

AnsiView CurrentDirectoryInCodePage()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(size, L'\0');
    const DWORD length = size == 0 ? 0 : GetCurrentDirectoryW(size, &directory[0]);
    directory.resize(length < size ? length : 0);
    return InCodePage(directory);
}

bool IsOnNetworkDrive(const std::string& path)
{
    if (path.size() < 2 || path[1] != ':')
        return false;
    const std::string root = path.substr(0, 2) + "\\";
    return GetDriveTypeA(root.c_str()) == DRIVE_REMOTE;
}

std::string UniversalName(const std::string& path)
{
    // By its full path, as no DLL of the medium may stand in for it.
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    const HMODULE library = LoadLibraryA((std::string(system, length) + "\\mpr.dll").c_str());
    if (!library)
        return std::string();
    using UniversalNameCall = DWORD(WINAPI*)(LPCSTR, DWORD, LPVOID, LPDWORD);
    using Generic = void (*)();
    const auto getUniversalName = reinterpret_cast<UniversalNameCall>(
        reinterpret_cast<Generic>(GetProcAddress(library, "WNetGetUniversalNameA")));
    std::string unc;
    std::vector<char> buffer(4096);
    DWORD size = static_cast<DWORD>(buffer.size());
    if (getUniversalName &&
        getUniversalName(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size) == NO_ERROR) {
        const char* name = reinterpret_cast<const UNIVERSAL_NAME_INFOA*>(buffer.data())->lpUniversalName;
        // Only a name of the share itself is one to start from.
        if (name && name[0] == '\\' && name[1] == '\\')
            unc = name;
    }
    FreeLibrary(library);
    return unc;
}

}  // namespace win

AnsiView ProfileExplainingReads::ReadInCodePage(const std::string& section, const std::string& key,
                                                const std::string& file)
{
    std::wstring value(win::kWholeProfileBufferSize, L'\0');
    const DWORD length = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"", &value[0],
                                                  win::kWholeProfileBufferSize, Wide(file).c_str());
    value.resize(length);
    return InCodePage(value);
}

std::string ProfileExplainingReads::ReadWholeString(const std::string& section, const std::string& key,
                                                    const std::string& file)
{
    std::string value(win::kWholeProfileBufferSize, '\0');
    value.resize(win::ReadProfileString(section.c_str(), key.c_str(), file.c_str(), &value[0],
                                        win::kWholeProfileBufferSize));
    return value;
}

bool ProfileExplainingReads::KeyOpensForReading(RegistryRoot root, const std::string& keyPath)
{
    return win::KeyOpens(RootHandle(root), keyPath.c_str(), KEY_READ);
}
