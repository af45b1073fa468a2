#include "checker/CheckerServices.h"

#include "win32/ProfileSettingsSource.h"
#include "win32/Services.h"

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

}  // namespace win

std::string ProfileExplainingReads::ReadWholeString(const std::string& section, const std::string& key,
                                                    const std::string& file)
{
    return win::ReadProfileString(section, key, file, win::kWholeProfileBufferSize);
}

bool ProfileExplainingReads::KeyOpensForReading(RegistryRoot root, const std::string& keyPath)
{
    return win::KeyOpens(RootHandle(root), keyPath, KEY_READ);
}
