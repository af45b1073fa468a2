#include "checker/CheckerServices.h"

namespace win {

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
