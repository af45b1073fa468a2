// The thin Win32 services against the real API.
#include "win32/Services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/Scratch.h"

namespace fs = std::filesystem;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = UniqueScratchPath("profile");
        fs::create_directories(directory);
        ini = directory + "\\TOLVAN.ini";
    }
    void TearDown() override { fs::remove_all(directory); }

    void WriteIni(const std::string& text)
    {
        std::ofstream(ini, std::ios::binary) << text;
    }

    std::string directory;
    std::string ini;
};

}  // namespace

TEST_F(ProfileTest, ReadsTextValuesCutTo79Characters)
{
    const std::string hundred(100, 'x');
    WriteIni("[Init]\r\nTitle=" + hundred + "\r\nExact=" + std::string(79, 'y') + "\r\n");
    EXPECT_EQ(std::string(79, 'x'), win::ReadProfileString("Init", "Title", ini));
    EXPECT_EQ(std::string(79, 'y'), win::ReadProfileString("Init", "Exact", ini));
}

TEST_F(ProfileTest, MatchesSectionAndKeyWithoutRegardToCase)
{
    WriteIni("[init]\r\nsilent=1\r\ninfo=readme.txt\r\n");
    EXPECT_EQ(1u, win::ReadProfileInt("Init", "Silent", 99, ini));
    EXPECT_EQ("readme.txt", win::ReadProfileString("Init", "INFO", ini));
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGiveTheDefaults)
{
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini));
    EXPECT_EQ("", win::ReadProfileString("Init", "Caption", ini));
    WriteIni("[Other]\r\nSilent=0\r\nCaption=Other\r\n");
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini));
    EXPECT_EQ("", win::ReadProfileString("Init", "Caption", ini));
    WriteIni("[Init]\r\nCaption=\r\n");
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini));
    EXPECT_EQ("", win::ReadProfileString("Init", "Caption", ini));
}

TEST_F(ProfileTest, ReadsSilentAsTheIntegerWritten)
{
    WriteIni("[Init]\r\nSilent=99\r\n");
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini));
    WriteIni("[Init]\r\nSilent=0\r\n");
    EXPECT_EQ(0u, win::ReadProfileInt("Init", "Silent", 99, ini));
    WriteIni("[Init]\r\nSilent=-1\r\n");
    EXPECT_EQ(static_cast<UINT>(-1), win::ReadProfileInt("Init", "Silent", 99, ini));
}

TEST_F(ProfileTest, PassesBytesAbove127AndPercentSignsUnchanged)
{
    WriteIni("[Init]\r\nTitle=100% Caf\xE9 %s\r\n");
    EXPECT_EQ("100% Caf\xE9 %s", win::ReadProfileString("Init", "Title", ini));
}

TEST(CurrentDirectory, HasATrailingSeparatorOnlyAtADriveRoot)
{
    const ScratchDrive drive;
    if (drive.Root().empty())
        GTEST_SKIP() << ScratchDrive::kUnavailable;
    const std::string root = drive.Root();
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    EXPECT_EQ(root, win::CurrentDirectory());
    CreateDirectoryA((root + "SETUP").c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA((root + "SETUP").c_str()));
    EXPECT_EQ(root + "SETUP", win::CurrentDirectory());
    SetCurrentDirectoryA(saved);
    RemoveDirectoryA((root + "SETUP").c_str());
}

TEST(ErrorMode, AddsToTheModeInForce)
{
    const UINT saved = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    win::AddErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    EXPECT_EQ(static_cast<UINT>(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX),
              SetErrorMode(saved));
}
