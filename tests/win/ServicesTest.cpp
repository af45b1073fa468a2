// The thin Win32 services against the real API.
#include "win32/Services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "tests/CountedText.h"
#include "tests/IniText.h"
#include "tests/Scratch.h"
#include "tests/WinFiles.h"
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

    UINT ReadSilent() { return win::ReadProfileInt("Init", "Silent", 99, ini.c_str()); }

    // A text value as the launcher's settings source reads it.
    std::string ReadString(const char* key)
    {
        ProfileSettingsSource source;
        CString value;
        EXPECT_TRUE(source.ReadString("Init", key, Text(ini), value));
        return Str(value);
    }

    std::string directory;
    std::string ini;
};

}  // namespace

// The reads, whatever the letter case of section and key, cut text at 79
// characters, the length of the launcher's buffer, and pass every byte on.
TEST_F(ProfileTest, ReadsTextAsTheLauncherHoldsIt)
{
    ASSERT_TRUE(WriteBytes(ini, IniText({"[init]", "title=" + std::string(100, 'x'), "Exact=" + std::string(79, 'y'),
                                         "info=readme.txt", "Bytes=100% Caf\xE9 %s", "Empty=", "[Other]",
                                         "Caption=Other"})));
    const std::pair<const char*, std::string> reads[] = {
        {"Title", std::string(79, 'x')}, {"Exact", std::string(79, 'y')}, {"INFO", "readme.txt"},
        {"Bytes", "100% Caf\xE9 %s"},    {"Empty", ""},                   {"Caption", ""},
    };
    for (const auto& [key, value] : reads)
        EXPECT_EQ(value, ReadString(key)) << key;
}

TEST_F(ProfileTest, ReadsSilentAsWrittenAnd99WithoutTheFile)
{
    EXPECT_EQ(99u, ReadSilent());
    EXPECT_EQ("", ReadString("Caption"));
    ASSERT_TRUE(WriteBytes(ini, IniText({"[Init]", "silent=-1"})));
    EXPECT_EQ(static_cast<UINT>(-1), ReadSilent());
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
