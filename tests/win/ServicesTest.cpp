// The thin Win32 services against the real API.
#include "win32/Services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/CountedText.h"
#include "tests/Scratch.h"
#include "win32/ProfileSettingsSource.h"

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

    // A text value as the launcher's settings source reads it.
    std::string ReadString(const char* section, const char* key)
    {
        ProfileSettingsSource source;
        CString value;
        EXPECT_TRUE(source.ReadString(section, key, Text(ini), value));
        return Str(value);
    }

    std::string directory;
    std::string ini;
};

}  // namespace

TEST_F(ProfileTest, ReadsTextValuesCutTo79Characters)
{
    const std::string hundred(100, 'x');
    WriteIni("[Init]\r\nTitle=" + hundred + "\r\nExact=" + std::string(79, 'y') + "\r\n");
    EXPECT_EQ(std::string(79, 'x'), ReadString("Init", "Title"));
    EXPECT_EQ(std::string(79, 'y'), ReadString("Init", "Exact"));
}

TEST_F(ProfileTest, MatchesSectionAndKeyWithoutRegardToCase)
{
    WriteIni("[init]\r\nsilent=1\r\ninfo=readme.txt\r\n");
    EXPECT_EQ(1u, win::ReadProfileInt("Init", "Silent", 99, ini.c_str()));
    EXPECT_EQ("readme.txt", ReadString("Init", "INFO"));
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGiveTheDefaults)
{
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini.c_str()));
    EXPECT_EQ("", ReadString("Init", "Caption"));
    WriteIni("[Other]\r\nSilent=0\r\nCaption=Other\r\n");
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini.c_str()));
    EXPECT_EQ("", ReadString("Init", "Caption"));
    WriteIni("[Init]\r\nCaption=\r\n");
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini.c_str()));
    EXPECT_EQ("", ReadString("Init", "Caption"));
}

TEST_F(ProfileTest, ReadsSilentAsTheIntegerWritten)
{
    WriteIni("[Init]\r\nSilent=99\r\n");
    EXPECT_EQ(99u, win::ReadProfileInt("Init", "Silent", 99, ini.c_str()));
    WriteIni("[Init]\r\nSilent=0\r\n");
    EXPECT_EQ(0u, win::ReadProfileInt("Init", "Silent", 99, ini.c_str()));
    WriteIni("[Init]\r\nSilent=-1\r\n");
    EXPECT_EQ(static_cast<UINT>(-1), win::ReadProfileInt("Init", "Silent", 99, ini.c_str()));
}

TEST_F(ProfileTest, PassesBytesAbove127AndPercentSignsUnchanged)
{
    WriteIni("[Init]\r\nTitle=100% Caf\xE9 %s\r\n");
    EXPECT_EQ("100% Caf\xE9 %s", ReadString("Init", "Title"));
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
    char directory[MAX_PATH];
    EXPECT_EQ(root.size(), win::CurrentDirectory(directory));
    EXPECT_EQ(root, directory);
    CreateDirectoryA((root + "SETUP").c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA((root + "SETUP").c_str()));
    EXPECT_EQ(root.size() + 5, win::CurrentDirectory(directory));
    EXPECT_EQ(root + "SETUP", directory);
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
