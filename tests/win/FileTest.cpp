// The framework's file class against the real file system.
#include "win32/File.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/Scratch.h"
#include "tests/WinFiles.h"
#include "tests/WinThread.h"

// Each way an open fails as the panel's line names it: the cause, and the
// platform's code behind it where the platform fixes one.
TEST(File, AFailedOpenFillsTheErrorRecord)
{
    const std::string root = UniqueScratchPath("open-failures");
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\LICENSE").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(root + "\\HELD.TXT", "END USER AGREEMENT"));
    const HANDLE held = CreateFileA((root + "\\HELD.TXT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    struct Case {
        const char* name;
        int cause;
        long osError;  // 0: whatever the platform gives
    } const cases[] = {
        {"license.txt", 2, ERROR_FILE_NOT_FOUND},
        {"NODIR\\info.txt", 3, ERROR_PATH_NOT_FOUND},
        {"LICENSE", 5, ERROR_ACCESS_DENIED},
        {"HELD.TXT", 11, ERROR_SHARING_VIOLATION},
        {"bad|name?.txt", 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open((root + "\\" + c.name).c_str(), &error));
        EXPECT_EQ(c.cause, error.cause);
        if (c.osError != 0) {
            EXPECT_EQ(c.osError, error.osError);
        }
    }
    CloseHandle(held);
    DeleteFileA((root + "\\HELD.TXT").c_str());
    RemoveDirectoryA((root + "\\LICENSE").c_str());
    RemoveDirectoryA(root.c_str());
}

TEST(File, ReadsWithoutSharingTheFile)
{
    const std::string path = UniqueScratchPath("shared.txt");
    ASSERT_TRUE(WriteBytes(path, "0123456789"));
    HANDLE reused = nullptr;
    {
        // The platform hands a freed handle value out again first: the
        // file's handle is the one this event had.
        const HANDLE freed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        CloseHandle(freed);
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), nullptr));
        // As the framework's file class does, the handle is one that
        // started programs inherit.
        LARGE_INTEGER size = {};
        DWORD flags = 0;
        ASSERT_TRUE(GetFileSizeEx(freed, &size) && size.QuadPart == 10) << "the file did not get the freed handle";
        EXPECT_TRUE(GetHandleInformation(freed, &flags));
        EXPECT_EQ(static_cast<DWORD>(HANDLE_FLAG_INHERIT), flags & HANDLE_FLAG_INHERIT);
        // Nobody else can open it meanwhile, not even to read.
        const HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(INVALID_HANDLE_VALUE, other);
        EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), GetLastError());
        char buffer[8];
        for (const UINT expected : {8u, 2u, 0u}) {
            UINT read = 99;
            EXPECT_TRUE(file.Read(buffer, 8, read, nullptr));
            EXPECT_EQ(expected, read);
        }
        EXPECT_TRUE(file.Close(nullptr));
        // The next handle made gets the closed file's value: the file
        // object, when it goes, leaves that one alone.
        reused = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(reused, &flags)) << "the closed file closed another handle when it went";
    CloseHandle(reused);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

// The panel's reader leaves a file whose read failed to the file object:
// it closes the file when it goes, so that no handle outlives it.
TEST(File, ClosesItsFileWhenItGoes)
{
    const std::string path = UniqueScratchPath("left-open.txt");
    ASSERT_TRUE(WriteBytes(path, "END USER"));
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), nullptr));
    }
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is still open (error " << GetLastError() << ")";
}

TEST(File, AFailedReadFillsTheErrorRecord)
{
    ServerPipe pipe("tolvan-file");
    ASSERT_TRUE(pipe.Made());
    CFile file;
    ASSERT_TRUE(file.Open(pipe.Name().c_str(), nullptr));
    pipe.Close();
    char buffer[49];
    UINT read = 99;
    CFileException error;
    EXPECT_FALSE(file.Read(buffer, sizeof buffer, read, &error));
    EXPECT_EQ(0u, read);
    EXPECT_EQ(1, error.cause);
    EXPECT_EQ(109, error.osError);
}

// Blocks of 64 KiB: a 49-byte read across the first block's end takes 23
// bytes from it; after it, a second block of 40 bytes has more than the
// read has room for.
TEST(File, ADiskFileReadsTheSameInSmallPiecesAcrossItsReadAheadBlocks)
{
    for (const std::size_t size : {std::size_t(200000), std::size_t(65536 + 40)}) {
        SCOPED_TRACE(size);
        const std::string path = UniqueScratchPath("large.txt");
        std::string bytes;
        for (int i = 0; bytes.size() < size; ++i)
            bytes += std::to_string(i) + (i % 7 ? " " : "\r\n");
        bytes.resize(size);
        ASSERT_TRUE(WriteBytes(path, bytes));
        std::string read;
        {
            CFile file;
            ASSERT_TRUE(file.Open(path.c_str(), nullptr));
            EXPECT_EQ(bytes.size(), file.GetLength());
            char buffer[49];
            for (UINT n = 49; n == 49;) {
                ASSERT_TRUE(file.Read(buffer, sizeof buffer, n, nullptr));
                ASSERT_LE(n, sizeof buffer);
                read.append(buffer, n);
            }
            UINT n = 99;
            EXPECT_TRUE(file.Read(buffer, sizeof buffer, n, nullptr));
            EXPECT_EQ(0u, n);
            EXPECT_TRUE(file.Close(nullptr));
        }
        EXPECT_TRUE(bytes == read);
        EXPECT_TRUE(DeleteFileA(path.c_str()));
    }
}

TEST(File, APipeGivesWhatItHasWithoutWaitingForMore)
{
    ServerPipe pipe("tolvan-short", 4096);
    ASSERT_TRUE(pipe.Made());
    CFile file;
    ASSERT_TRUE(file.Open(pipe.Name().c_str(), nullptr));
    EXPECT_EQ(0u, file.GetLength());
    DWORD written = 0;
    WriteFile(pipe.Handle(), "ten bytes.", 10, &written, nullptr);
    // A read that waits for more gets it after a while, and so tells.
    const HANDLE answered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WinThread more([&] {
        if (WaitForSingleObject(answered, 3000) == WAIT_TIMEOUT)
            WriteFile(pipe.Handle(), std::string(49, '+').data(), 49, &written, nullptr);
    });
    char buffer[49];
    UINT read = 0;
    EXPECT_TRUE(file.Read(buffer, sizeof buffer, read, nullptr));
    EXPECT_EQ(10u, read);
    SetEvent(answered);
    more.join();
    CloseHandle(answered);
    pipe.Close();
    EXPECT_TRUE(file.Close(nullptr));
}
