#pragma once

#include <windows.h>

#include <atomic>
#include <string>

// Everything the tests write lives in one folder of the temporary folder,
// so that what a killed test left behind can be found and removed at once
// (the test kit's runner does so after every program).
constexpr char kScratchFolderName[] = "tolvan-tests";

inline std::string ScratchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + kScratchFolderName;
}

// A path in the scratch folder that no other process and no other call of
// this one uses; the scratch folder is made when it is missing.
inline std::string UniqueScratchPath(const std::string& prefix)
{
    static std::atomic<int> counter{0};
    const std::string folder = ScratchFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\" + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}
