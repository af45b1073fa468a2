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
    // %TEMP% is often given in short names (C:\Users\RUNNER~1\...), while
    // a started program may tell its own path in long ones: the cases
    // compare paths as text, so every path under the folder is long.
    static const std::string folder = [] {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        char longTemp[MAX_PATH] = {};
        const DWORD length = GetLongPathNameA(temp, longTemp, MAX_PATH);
        return std::string(length > 0 && length < MAX_PATH ? longTemp : temp) + kScratchFolderName;
    }();
    return folder;
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

// The root of a drive that is empty when a case begins, such as "Q:\": the
// one TOLVAN_DRIVE_ROOT names, or else a free drive letter that this
// object defines to a scratch folder of its own, as subst does, and
// removes again. Wine makes no drive of such a definition (its drives are
// the links in the prefix's dosdevices), so there the environment names one.
class ScratchDrive {
public:
    ScratchDrive()
    {
        const DWORD size = GetEnvironmentVariableA("TOLVAN_DRIVE_ROOT", nullptr, 0);
        if (size > 0) {
            root_.resize(size);
            root_.resize(GetEnvironmentVariableA("TOLVAN_DRIVE_ROOT", &root_[0], size));
            return;
        }
        folder_ = UniqueScratchPath("drive");
        CreateDirectoryA(folder_.c_str(), nullptr);
        const DWORD used = GetLogicalDrives();
        for (char letter = 'Z'; letter >= 'D' && root_.empty(); --letter) {
            const std::string device = std::string(1, letter) + ":";
            char target[MAX_PATH];
            if ((used & (1u << (letter - 'A'))) || QueryDosDeviceA(device.c_str(), target, MAX_PATH))
                continue;
            if (!DefineDosDeviceA(0, device.c_str(), folder_.c_str()))
                continue;
            device_ = device;
            if (GetFileAttributesA((device + "\\").c_str()) != INVALID_FILE_ATTRIBUTES)
                root_ = device + "\\";
            else
                Undefine();
        }
    }
    ScratchDrive(const ScratchDrive&) = delete;
    ScratchDrive& operator=(const ScratchDrive&) = delete;
    ~ScratchDrive()
    {
        Undefine();
        if (!folder_.empty())
            RemoveDirectoryA(folder_.c_str());
    }

    // "Q:\", or empty when no drive could be made.
    const std::string& Root() const { return root_; }

    static constexpr char kUnavailable[] =
        "no drive letter could be defined for a scratch folder (Wine makes no drive of DefineDosDevice); "
        "set TOLVAN_DRIVE_ROOT to the root of an empty drive";

private:
    void Undefine()
    {
        if (!device_.empty())
            DefineDosDeviceA(DDD_REMOVE_DEFINITION, device_.c_str(), nullptr);
        device_.clear();
    }

    std::string root_;
    std::string folder_;
    std::string device_;
};
