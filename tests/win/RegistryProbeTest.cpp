// The key probe against the real registry, alone and inside the candidate
// walk with a real INI file.
#include "win32/Services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "core/SettingsLoader.h"
#include "tests/CountedText.h"
#include "tests/IniText.h"
#include "tests/Platform.h"
#include "tests/Scratch.h"
#include "tests/WinFiles.h"
#include "tests/win/ScratchKey.h"
#include "win32/ProfileSettingsSource.h"

namespace fs = std::filesystem;

namespace {

struct Root {
    const char* name;
    HKEY handle;
};

const Root kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
};

}  // namespace

// A key opens under the root that has it, and no longer once it refuses
// full access, though it is there and can be read.
TEST(KeyProbe, OpensAKeyOnlyUnderTheRootThatHasItWithFullAccess)
{
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    for (const Root& root : kRoots) {
        const ScratchKey key(root.handle, ScratchKey::UniquePath(root.handle));
        for (const Root& other : kRoots) {
            EXPECT_EQ(other.handle == root.handle, win::KeyOpensWithFullAccess(other.handle, key.Path().c_str()))
                << key.Path() << " made under " << root.name << ", probed under " << other.name;
        }
        EXPECT_FALSE(win::KeyOpensWithFullAccess(root.handle, (key.Path() + "\\Missing").c_str()));

        ASSERT_EQ(ERROR_SUCCESS, key.RefuseFullAccess()) << root.name;
        HKEY opened = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root.handle, key.Path().c_str(), 0, KEY_READ, &opened));
        RegCloseKey(opened);
        ASSERT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyExA(root.handle, key.Path().c_str(), 0, KEY_ALL_ACCESS, &opened))
            << root.name;
        EXPECT_FALSE(win::KeyOpensWithFullAccess(root.handle, key.Path().c_str())) << root.name;
    }
}

TEST(KeyProbe, LeavesNoKeyOpen)
{
    const ScratchKey key(HKEY_CURRENT_USER, ScratchKey::UniquePath(HKEY_CURRENT_USER));
    // The platform counts no handles here, but it hands a freed handle value
    // out again first: with every probed key closed again, a handle made
    // after the probes gets the value of one freed before them.
    const HANDLE before = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(before);
    for (int probe = 0; probe < 20; ++probe)
        ASSERT_TRUE(win::KeyOpensWithFullAccess(HKEY_CURRENT_USER, key.Path().c_str()));
    const HANDLE after = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(after);
    EXPECT_EQ(before, after);
}

namespace {

// The loader on the real profile reads and registry, with the INI file in a
// directory of the test's own.
class CandidateWalkTest : public ::testing::Test {
protected:
    class Source : public ProfileSettingsSource {
    public:
        explicit Source(std::string directory) : directory_(std::move(directory)) {}
        bool CurrentDirectory(CString& directory) override { return directory.Assign(directory_.c_str()); }

    private:
        std::string directory_;
    };

    void SetUp() override
    {
        directory = UniqueScratchPath("walk");
        fs::create_directories(directory);
    }
    void TearDown() override { fs::remove_all(directory); }

    // Loads the settings from an INI file with the given ApplicationKeys
    // lines and a default program.
    int Load(std::initializer_list<std::string> candidateLines)
    {
        EXPECT_TRUE(WriteBytes(directory + "\\TOLVAN.ini",
                               IniText({"[Init]", "Silent=1", "DefaultPath=DEFAULT.EXE", "[ApplicationKeys]"}) +
                                   IniText(candidateLines)));
        Source source(directory);
        settings = LaunchSettings();
        const LoadDecision decision = LoadSettingsFrom(source, "TOLVAN", settings);
        EXPECT_EQ("", settings.messageText);
        return decision.TargetChosen() ? 1 : 0;
    }

    std::string directory;
    LaunchSettings settings;
};

}  // namespace

TEST_F(CandidateWalkTest, FindsTheCandidateKeyUnderEachRoot)
{
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    for (const Root& root : kRoots) {
        const ScratchKey key(root.handle, ScratchKey::UniquePath(root.handle));
        EXPECT_EQ(1, Load({"RKey1=" + key.Path() + "Missing", "Path1=FIRST.EXE", "RKey2=" + key.Path(),
                           "Path2=SECOND.EXE", "Name2=Second"}));
        EXPECT_EQ("SECOND.EXE", settings.targetPath) << root.name;
        EXPECT_EQ("Second", settings.targetName) << root.name;
    }
}
