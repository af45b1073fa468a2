// The framework's file class against the real file system.
#include "win32/File.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/Scratch.h"
#include "tests/WinThread.h"

TEST(File, AFailedOpenFillsTheErrorRecord)
{
    CFile file;
    CFileException error;
    const std::string missing = UniqueScratchPath("no-such-file.txt");
    EXPECT_FALSE(file.Open(missing.c_str(), &error));
    EXPECT_EQ(2, error.cause);
    EXPECT_EQ(2, error.osError);
}

TEST(File, ReadsWithoutSharingTheFile)
{
    const std::string path = UniqueScratchPath("shared.txt");
    std::ofstream(path, std::ios::binary) << "0123456789";
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), nullptr));
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
    }
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(File, AFailedReadFillsTheErrorRecord)
{
    const std::string pipeName = "\\\\.\\pipe\\tolvan-file-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0,
                                         0, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
    CFile file;
    ASSERT_TRUE(file.Open(pipeName.c_str(), nullptr));
    CloseHandle(pipe);
    char buffer[49];
    UINT read = 99;
    CFileException error;
    EXPECT_FALSE(file.Read(buffer, sizeof buffer, read, &error));
    EXPECT_EQ(0u, read);
    EXPECT_EQ(1, error.cause);
    EXPECT_EQ(109, error.osError);
}

TEST(File, ADiskFileReadsTheSameInSmallPiecesAcrossItsReadAheadBlocks)
{
    const std::string path = UniqueScratchPath("large.txt");
    std::string bytes;
    for (int i = 0; bytes.size() < 200000; ++i)
        bytes += std::to_string(i) + (i % 7 ? " " : "\r\n");
    std::ofstream(path, std::ios::binary) << bytes;
    std::string read;
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), nullptr));
        EXPECT_EQ(bytes.size(), file.GetLength());
        char buffer[49];
        for (UINT n = 49; n == 49;) {
            ASSERT_TRUE(file.Read(buffer, sizeof buffer, n, nullptr));
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

TEST(File, APipeGivesWhatItHasWithoutWaitingForMore)
{
    const std::string pipeName = "\\\\.\\pipe\\tolvan-short-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                         4096, 4096, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
    CFile file;
    ASSERT_TRUE(file.Open(pipeName.c_str(), nullptr));
    EXPECT_EQ(0u, file.GetLength());
    DWORD written = 0;
    WriteFile(pipe, "ten bytes.", 10, &written, nullptr);
    // A read that waits for more gets it after a while, and so tells.
    const HANDLE answered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WinThread more([&] {
        if (WaitForSingleObject(answered, 3000) == WAIT_TIMEOUT)
            WriteFile(pipe, std::string(49, '+').data(), 49, &written, nullptr);
    });
    char buffer[49];
    UINT read = 0;
    EXPECT_TRUE(file.Read(buffer, sizeof buffer, read, nullptr));
    EXPECT_EQ(10u, read);
    SetEvent(answered);
    more.join();
    CloseHandle(answered);
    CloseHandle(pipe);
    EXPECT_TRUE(file.Close(nullptr));
}
