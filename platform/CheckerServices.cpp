// The checker's own Win32 calls, apart from the launcher's so that the
// launcher does not carry them.
#include "platform/Services.h"

#include <vector>

namespace win {

namespace {

// The largest value a profile read can give.
constexpr DWORD kWholeProfileBufferSize = 32768;

}  // namespace

bool KeyOpensForReading(HKEY root, const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string ReadWholeProfileString(const std::string& section, const std::string& key,
                                   const std::string& file)
{
    std::vector<char> buffer(kWholeProfileBufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                  kWholeProfileBufferSize, file.c_str());
    return std::string(buffer.data(), length < kWholeProfileBufferSize ? length : kWholeProfileBufferSize - 1);
}

std::string FindProgram(const std::string& path, bool& isFolder)
{
    isFolder = false;
    char found[MAX_PATH] = {};
    DWORD length = SearchPathA(nullptr, path.c_str(), ".exe", MAX_PATH, found, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        // The search finds files only; the shell also opens a folder.
        length = GetFullPathNameA(path.c_str(), MAX_PATH, found, nullptr);
        if (length == 0 || length >= MAX_PATH)
            return std::string();
    }
    const DWORD attributes = GetFileAttributesA(found);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::string();
    isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return found;
}

}  // namespace win
