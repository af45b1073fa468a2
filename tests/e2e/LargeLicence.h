#pragma once

#include <windows.h>

#include <string>

#include "tests/Scratch.h"

// A licence too large for the shipped 32-bit launcher to hold: a file of
// 2.5 GB whose first 1.2 GB are text. The room for its whole size cannot
// be had at once in a 32-bit address space, and the text, grown as it is
// read, runs out of room at about 1 GB; the rest of the file is left a hole
// where the file system allows one. It lies in the scratch folder beside
// the case directories, named by Info() from there, and goes when the case
// ends.
class LargeLicence {
public:
    static constexpr ULONGLONG kSize = 2500ull * 1000 * 1000;
    static constexpr ULONGLONG kText = 1200ull * 1000 * 1000;

    // Writes it, unless the launcher that the case copies is a 64-bit one
    // or the disk lacks the room; SkipReason() then says why.
    explicit LargeLicence(const std::string& launcher)
    {
        DWORD type = 0;
        if (GetBinaryTypeA(launcher.c_str(), &type) && type == SCS_64BIT_BINARY) {
            skipReason_ = "the 64-bit launcher has the room for a licence of 2.5 GB; only the 32-bit one, the one "
                          "that ships, runs out of memory";
            return;
        }
        const std::string folder = ScratchFolder();
        CreateDirectoryA(folder.c_str(), nullptr);
        ULARGE_INTEGER free = {};
        if (!GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr) ||
            free.QuadPart < kText + 512ull * 1000 * 1000) {
            skipReason_ = "a licence too large to hold needs 1.7 GB free in " + folder;
            return;
        }
        name_ = "licence-" + std::to_string(GetCurrentProcessId()) + ".txt";
        path_ = folder + "\\" + name_;
        const HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            skipReason_ = "cannot write " + path_;
            return;
        }
        std::string block = "END USER LICENSE AGREEMENT\r\n";
        while (block.size() < (1u << 20))
            block += "A line of an agreement far too long for anyone to read, and for the panel to hold.\r\n";
        block.resize(1u << 20);
        bool written = true;
        for (ULONGLONG at = 0; written && at < kText; at += block.size()) {
            DWORD count = 0;
            written = WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &count, nullptr) &&
                      count == block.size();
        }
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(kSize);
        written = written && SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        if (!written)
            skipReason_ = "cannot write a licence of 2.5 GB at " + path_;
    }

    LargeLicence(const LargeLicence&) = delete;
    LargeLicence& operator=(const LargeLicence&) = delete;
    ~LargeLicence()
    {
        if (!path_.empty())
            DeleteFileA(path_.c_str());
    }

    // Why the case cannot be made here; "" when it can.
    const std::string& SkipReason() const { return skipReason_; }

    // The INFO value that names it from a case directory, kept short for
    // the launcher's 79 characters.
    std::string Info() const { return "..\\" + name_; }

private:
    std::string name_;
    std::string path_;
    std::string skipReason_;
};
