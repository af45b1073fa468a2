// The launcher choosing among the registry candidates of its INI file, run
// silently on machines whose registry has this key or that one.
#include <gtest/gtest.h>

#include <string>

#include "tests/ExpectedTexts.h"
#include "tests/Platform.h"
#include "tests/e2e/LauncherTest.h"
#include "tests/win/ScratchKey.h"

namespace {

class TargetSelectionTest : public LauncherTest {
protected:
    void SetUp() override
    {
        dir.CopyLauncher("TOLVAN.EXE");
        for (const char* target : {"UPGRADE\\SETUP.EXE", "ADDON\\SETUP.EXE", "RUNTIME\\SETUP.EXE"})
            dir.CopyMarker(target);
    }

    // The INI file of a typical medium, run without the dialog; the key
    // names are this test's own.
    void WriteIni()
    {
        dir.Write("TOLVAN.ini", std::string("[Init]\r\nSilent=1\r\nCaption=Run-time Setup\r\n") +
                                    "INFO=LICENSE.TXT\r\n" +
                                    "DefaultPath=RUNTIME\\SETUP.EXE\r\n"
                                    "DefaultName=Database run-time, full installation\r\n"
                                    "[ApplicationKeys]\r\n"
                                    "RKey1=" + runtimeKey + "\r\n"
                                    "Path1=UPGRADE\\SETUP.EXE\r\n"
                                    "Name1=Upgrade of the installed run-time\r\n"
                                    "RKey3=" + addOnKey + "\r\n"
                                    "Path3=ADDON\\SETUP.EXE\r\n"
                                    "Name3=Add-on for the installed database\r\n");
    }

    void ExpectOnlyLaunchOf(const std::string& target)
    {
        ExpectOnlyLaunch(Run(), dir / target, dir.Path());
    }

    const std::string runtimeKey = ScratchKey::UniquePath(HKEY_LOCAL_MACHINE) + "\\Database\\9.0\\Runtime";
    const std::string addOnKey = ScratchKey::UniquePath(HKEY_CLASSES_ROOT) + ".Database.9";
};

// Whether a standard user's program opens HKEY_LOCAL_MACHINE\\path with full
// access, as the launcher asks: this program asks it as one.
bool StandardUserOpensWithFullAccess(const std::string& path)
{
    const HANDLE token = e2e::StandardUserToken();
    bool opens = false;
    if (ImpersonateLoggedOnUser(token)) {
        HKEY key = nullptr;
        opens = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS;
        if (opens)
            RegCloseKey(key);
        RevertToSelf();
    }
    CloseHandle(token);
    return opens;
}

}  // namespace

// The walk itself is the core's; here the keys are real ones under each
// root, made by an administrator.
TEST_F(TargetSelectionTest, TheFirstCandidateWhoseKeyIsPresentOrElseTheDefaultProgram)
{
    WriteIni();
    ExpectOnlyLaunchOf("RUNTIME\\SETUP.EXE");
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    const ScratchKey addOn(HKEY_CLASSES_ROOT, addOnKey);
    ExpectOnlyLaunchOf("ADDON\\SETUP.EXE");
    const ScratchKey runtime(HKEY_LOCAL_MACHINE, runtimeKey);
    ExpectOnlyLaunchOf("UPGRADE\\SETUP.EXE");
}

TEST_F(TargetSelectionTest, APresentCandidateWithoutPathLaunchesAnEmptyPath)
{
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    dir.Write("TOLVAN.ini", "[Init]\r\nSilent=1\r\nDefaultPath=RUNTIME\\SETUP.EXE\r\n"
                            "[ApplicationKeys]\r\nRKey1=" + runtimeKey + "\r\nName1=Upgrade\r\n"
                            "RKey2=" + addOnKey + "\r\nPath2=ADDON\\SETUP.EXE\r\n");
    const ScratchKey key(HKEY_CURRENT_USER, runtimeKey);
    const ScratchKey other(HKEY_CLASSES_ROOT, addOnKey);
    ExpectOnlyMessage(Run(), LaunchFailedText(""));
}

// A 32-bit setup writes its keys under HKEY_LOCAL_MACHINE\Software in the
// 32-bit view of the registry (64-bit tools show it under WOW6432Node), a
// 64-bit one in the 64-bit view. The launcher finds the keys of the view
// its own build sees, and a key only in the other view is absent to it.
TEST_F(TargetSelectionTest, FindsKeysInTheRegistryViewOfItsOwnWidth)
{
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    BOOL onWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &onWow64);
    if (sizeof(void*) == 4 && !onWow64)
        GTEST_SKIP() << "32-bit Windows has one view of the registry";
    WriteIni();
    DWORD type = 0;
    ASSERT_TRUE(GetBinaryTypeA((dir / "TOLVAN.EXE").c_str(), &type));
    const bool launcherIs32Bit = type == SCS_32BIT_BINARY;
    const REGSAM ownView = launcherIs32Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    const REGSAM otherView = launcherIs32Bit ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    {
        const ScratchKey elsewhere(HKEY_LOCAL_MACHINE, runtimeKey, otherView);
        ExpectOnlyLaunchOf("RUNTIME\\SETUP.EXE");
    }
    const ScratchKey own(HKEY_LOCAL_MACHINE, runtimeKey, ownView);
    ExpectOnlyLaunchOf("UPGRADE\\SETUP.EXE");
}

// Windows gives a key made by an administrator under HKEY_LOCAL_MACHINE
// full access to administrators only. The elevated launcher (as installer
// detection starts it) finds it; a standard user's launcher finds it absent,
// unless Windows virtualizes the registry for it (a 32-bit program without
// a manifest that it does not take for an installer): then an open of a key
// under HKEY_LOCAL_MACHINE\Software that refuses full access is retried
// with MAXIMUM_ALLOWED and succeeds, while keys excluded from
// virtualization, Software\Classes among them, stay absent.
TEST_F(TargetSelectionTest, AMachineKeyIsPresentElevatedOrVirtualizedUnderSoftwareAndAbsentToAStandardUser)
{
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    WriteIni();
    {
        const ScratchKey key(HKEY_LOCAL_MACHINE, runtimeKey);
        if (StandardUserOpensWithFullAccess(runtimeKey))
            GTEST_SKIP() << UnlikeWindows("lets a standard user open a key that an administrator made under "
                                          "HKEY_LOCAL_MACHINE with full access");
    }
    DWORD type = 0;
    ASSERT_TRUE(GetBinaryTypeA((dir / "TOLVAN.EXE").c_str(), &type));
    // Windows virtualizes no 64-bit program.
    const bool launcherIs32Bit = type == SCS_32BIT_BINARY;
    const std::string whyNotVirtualized = e2e::WhyNoRegistryVirtualization();
    std::string virtualizationSkipped = whyNotVirtualized;

    // An administrator's key under HKEY_CLASSES_ROOT lives in
    // HKEY_LOCAL_MACHINE\Software\Classes.
    const struct {
        HKEY root;
        std::string path;
        const char* target;
        bool presentWhenVirtualized;
    } keys[] = {
        {HKEY_LOCAL_MACHINE, runtimeKey, "UPGRADE\\SETUP.EXE", true},
        {HKEY_CLASSES_ROOT, addOnKey, "ADDON\\SETUP.EXE", false},
    };
    for (const auto& made : keys) {
        SCOPED_TRACE(made.target);
        const ScratchKey key(made.root, made.path);
        ExpectOnlyLaunchOf(made.target);

        e2e::RunOptions standardUser;
        standardUser.program = dir / "TOLVAN.EXE";
        standardUser.currentDirectory = dir.Path();
        standardUser.asStandardUser = true;
        ExpectOnlyLaunch(RunChecked(dir, standardUser), dir / "RUNTIME\\SETUP.EXE", dir.Path());

        if (!whyNotVirtualized.empty())
            continue;
        // Started as Windows starts it where installer detection is off; where
        // it is on, a standard user could not start it at all (740) without
        // the compatibility layer, which may take virtualization away.
        standardUser.withRegistryVirtualization = true;
        standardUser.runAsInvoker = false;
        e2e::RunResult result = e2e::Run(standardUser);
        if (result.startError == 740) {
            standardUser.runAsInvoker = true;
            result = e2e::Run(standardUser);
        }
        EXPECT_TRUE(result.exited) << e2e::Describe(result);
        if (!result.registryVirtualized) {
            virtualizationSkipped = "Windows started the launcher for a standard user without registry virtualization";
            continue;
        }
        const bool present = made.presentWhenVirtualized && launcherIs32Bit;
        ExpectOnlyLaunch(result, dir / (present ? made.target : "RUNTIME\\SETUP.EXE"), dir.Path());
    }
    if (!virtualizationSkipped.empty())
        GTEST_SKIP() << virtualizationSkipped
                     << "; the elevated and the standard user's launcher were checked, the virtualized one cannot be";
}
