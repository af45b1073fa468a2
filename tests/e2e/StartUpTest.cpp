// The launcher started as a user starts it: from a chosen current
// directory, under a chosen name, with the INI file it finds there.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/CodePage932.h"
#include "tests/ExpectedTexts.h"
#include "tests/IniText.h"
#include "tests/Platform.h"
#include "tests/Scratch.h"
#include "tests/WinFiles.h"
#include "tests/e2e/LauncherTest.h"

using e2e::CaseDirectory;
using e2e::RunResult;

namespace {

class StartUpTest : public LauncherTest {};

}  // namespace

// Where it looks for its INI file and how it reports what it finds there,
// one run per rule that only the real program shows: which values of
// Silent count, the walk and the messages' words are the core's.
TEST_F(StartUpTest, FindsItsIniFileInTheCurrentDirectoryUnderItsOwnName)
{
    const struct {
        const char* what;
        std::string exe, cwd;                        // beside dir, and dir itself when cwd is empty
        std::string iniName, ini;                    // not written when ini is empty
        std::string message, appName;      // the one message box
        std::string launched, launchedIn;  // else the one launch
        std::string arguments;
    } cases[] = {
        {"no INI file", "TOLVAN.EXE", "", "", "", IniNotFoundText(dir / "TOLVAN.ini"), "TOLVAN", "", "", ""},
        {"one without a usable Silent", "TOLVAN.EXE", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=99", "DefaultPath=SETUP.EXE"}), IniNotFoundText(dir / "TOLVAN.ini"), "TOLVAN", "", "", ""},
        // As the profile calls match them: names in any letter case.
        {"a silent launch from lower-case names", "TOLVAN.EXE", "", "TOLVAN.ini",
         IniText({"[init]", "silent=7", "defaultpath=SUB\\SETUP.EXE", "defaultname=Run-time"}), "", "",
         dir / "SUB\\SETUP.EXE", dir.Path(), ""},
        {"arguments change nothing", "TOLVAN.EXE", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=1", "DefaultPath=SETUP.EXE"}), "", "", dir / "SETUP.EXE", dir.Path(),
         "/q OTHER.ini Silent=0"},
        {"a program that cannot start", "TOLVAN.EXE", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=1", "DefaultPath=T:\\NOSUCH.EXE"}), LaunchFailedText("T:\\NOSUCH.EXE"), "TOLVAN", "", "", ""},
        // DefaultPath is read from [Init] only.
        {"no DefaultPath where it is read", "TOLVAN.EXE", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=1", "[ApplicationKeys]", "DefaultPath=SETUP.EXE", "DefaultName=Setup"}),
         kNoSuitableKeysText, "TOLVAN", "", "", ""},
        {"a copy under another name", "INSTALL.EXE", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=1", "DefaultPath=SETUP.EXE"}), IniNotFoundText(dir / "INSTALL.ini"), "INSTALL", "", "", ""},
        {"a name with two dots and its INI file", "my.setup.exe", "", "my.setup.ini",
         IniText({"[Init]", "Silent=1", "DefaultPath=NOSUCH.EXE"}), LaunchFailedText("NOSUCH.EXE"), "my.setup", "", "", ""},
        {"the INI file beside the launcher, not in the current directory", "MEDIA\\TOLVAN.EXE", "WORK",
         "MEDIA\\TOLVAN.ini", IniText({"[Init]", "Silent=1", "DefaultPath=SETUP.EXE"}),
         IniNotFoundText(dir / "WORK\\TOLVAN.ini"), "TOLVAN", "", "", ""},
        {"a relative target from the current directory", "MEDIA\\TOLVAN.EXE", "WORK", "WORK\\TOLVAN.ini",
         IniText({"[Init]", "Silent=1", "DefaultPath=SUB\\SETUP.EXE"}), "", "", dir / "WORK\\SUB\\SETUP.EXE",
         dir / "WORK", ""},
    };
    dir.MakeDirectory("WORK");
    for (const char* target : {"SETUP.EXE", "SUB\\SETUP.EXE", "WORK\\SUB\\SETUP.EXE"})
        dir.CopyMarker(target);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.CopyLauncher(c.exe);
        if (!c.ini.empty())
            dir.Write(c.iniName, c.ini);
        const RunResult result = Run(c.exe, c.cwd, c.arguments);
        if (c.launched.empty()) {
            ExpectOnlyMessage(result, c.message, c.appName);
        } else {
            ExpectOnlyLaunch(result, c.launched, c.launchedIn);
            EXPECT_EQ(std::string::npos, result.launches.at(0).commandLine.find("OTHER"));
        }
        DeleteFileA((dir / c.exe).c_str());
        if (!c.ini.empty())
            DeleteFileA((dir / c.iniName).c_str());
    }
}

// The shell looks for a relative target in the current directory, before
// the launcher's own directory. Where it does not (Wine before 10), the
// marker beside this program starts in place of the one in WORK.
TEST_F(StartUpTest, ARelativeTargetInTheCurrentDirectoryComesBeforeOneBesideTheLauncher)
{
    dir.CopyMarker("WORK\\marker.exe");
    const auto probe = e2e::StartThroughTheShell("marker.exe", dir / "WORK");
    if (probe.size() != 1 || probe[0].program != dir / "WORK\\marker.exe")
        GTEST_SKIP() << UnlikeWindows("looks for a relative target beside the program that starts it before the "
                                      "current directory");
    dir.CopyLauncher("MEDIA\\TOLVAN.EXE");
    dir.CopyMarker("MEDIA\\SETUP.EXE");
    dir.CopyMarker("WORK\\SETUP.EXE");
    dir.Write("WORK\\TOLVAN.ini", "[Init]\r\nSilent=1\r\nDefaultPath=SETUP.EXE\r\n");
    ExpectOnlyLaunch(Run("MEDIA\\TOLVAN.EXE", "WORK"), dir / "WORK\\SETUP.EXE", dir / "WORK");
}

TEST_F(StartUpTest, TheStartedProgramInheritsTheErrorMode)
{
    dir.CopyLauncher("TOLVAN.EXE");
    dir.CopyMarker("SETUP.EXE");
    dir.Write("TOLVAN.ini", "[Init]\r\nSilent=1\r\nDefaultPath=SETUP.EXE\r\n");
    const UINT added = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    // Whether the shell hands this program's mode on at all (Wine does not).
    UINT saved = SetErrorMode(added);
    const auto probe = e2e::StartThroughTheShell(dir / "SETUP.EXE", dir.Path());
    SetErrorMode(saved);
    if (probe.size() != 1 || (probe[0].errorMode & added) != added)
        GTEST_SKIP() << UnlikeWindows("does not hand the error mode on to the programs it starts");
    // The launcher inherits this program's mode: none, so that the mode the
    // target is given is the launcher's own.
    saved = SetErrorMode(0);
    const RunResult result = Run();
    SetErrorMode(saved);
    ExpectOnlyLaunch(result, dir / "SETUP.EXE", dir.Path());
    ASSERT_EQ(1u, result.launches.size());
    EXPECT_EQ(added, result.launches[0].errorMode & added) << "error mode " << result.launches[0].errorMode;
}

namespace {

// ERROR_ELEVATION_REQUIRED, which not every SDK's headers name.
constexpr DWORD kElevationRequired = 740;

// Whether User Account Control takes programs for installers here; why not
// when it does not.
bool DetectsInstallers(std::string& whyNot)
{
    DWORD lua = 1;
    DWORD detection = 1;
    HKEY policies = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &policies) == ERROR_SUCCESS) {
        DWORD size = sizeof lua;
        RegQueryValueExA(policies, "EnableLUA", nullptr, nullptr, reinterpret_cast<BYTE*>(&lua), &size);
        size = sizeof detection;
        RegQueryValueExA(policies, "EnableInstallerDetection", nullptr, nullptr, reinterpret_cast<BYTE*>(&detection),
                         &size);
        RegCloseKey(policies);
    }
    if (lua == 0)
        whyNot = "User Account Control is off here (EnableLUA is 0), and with it installer detection";
    else if (detection == 0)
        whyNot = "installer detection is off here (the policy EnableInstallerDetection is 0)";
    return whyNot.empty();
}

}  // namespace

// Without a manifest, and with "SETUP" in its version block, the launcher
// is an installer to Windows: a program that is not elevated cannot start
// it, under the usual name or its own. Through the shell Windows would ask
// for consent instead, a prompt that no program can answer.
TEST_F(StartUpTest, UnelevatedWindowsStartsItOnlyAsAnInstallerWithConsent)
{
    std::string whyNot;
    if (!DetectsInstallers(whyNot))
        GTEST_SKIP() << whyNot;
    if (HasAdministratorRights())
        GTEST_SKIP() << "the prompt is elevated, and an elevated program starts an installer without asking: "
                        "run it from a prompt that is not elevated";
    for (const char* name : {"SETUP.EXE", "TOLVAN.EXE"}) {
        SCOPED_TRACE(name);
        dir.CopyLauncher(name);
        e2e::RunOptions options;
        options.program = dir / name;
        options.currentDirectory = dir.Path();
        options.runAsInvoker = false;
        const RunResult result = e2e::Run(options);
        EXPECT_EQ(kElevationRequired, result.startError) << e2e::Describe(result);
    }
    std::printf("The consent prompt of a start through the shell cannot be answered by a program: not tested.\n");
}

TEST_F(StartUpTest, AtADriveRootTheIniPathHasOneSeparator)
{
    const ScratchDrive drive;
    if (drive.Root().empty())
        GTEST_SKIP() << ScratchDrive::kUnavailable;
    CaseDirectory root = CaseDirectory::AtDriveRoot(drive.Root());
    root.CopyLauncher("TOLVAN.EXE");
    e2e::RunOptions options;
    options.program = root / "TOLVAN.EXE";
    options.currentDirectory = drive.Root();
    ExpectOnlyMessage(RunChecked(root, options), IniNotFoundText(drive.Root() + "TOLVAN.ini"));

    root.CopyMarker("SETUP\\SETUP.EXE");
    root.Write("TOLVAN.ini", "[Init]\r\nSilent=1\r\nDefaultPath=SETUP\\SETUP.EXE\r\n");
    ExpectOnlyLaunch(RunChecked(root, options), drive.Root() + "SETUP\\SETUP.EXE", drive.Root());
}

// The profile read's cut at 79 characters is the Win32 layer's to check;
// here a path of more reaches the shell and the message cut, with its "%"
// and bytes above 127 as written.
TEST_F(StartUpTest, ValuesArePassedOnAsWrittenAndCutAt79Characters)
{
    if (!SingleByteCodePage())
        GTEST_SKIP() << WithoutSingleByteCodePage();
    dir.CopyLauncher("TOLVAN.EXE");
    const std::string path = "T:\\%s%d%n%x\\Caf\xE9\\\xC4\xFF\\" + std::string(70, 'A') + "BCDEFGHIJ.EXE";
    dir.Write("TOLVAN.ini", IniText({"[Init]", "Silent=1", "DefaultPath=" + path}));
    ExpectOnlyMessage(Run(), LaunchFailedText(path.substr(0, 79)));
}

TEST(DoubleByteCodePage, ALauncherNamedInDoubleByteCharactersFindsItsIniFileAndShowsItsName)
{
    if (GetACP() != 932)
        GTEST_SKIP() << WithoutCodePage932();
    // "セット" has no byte of "\\" in it, as the first character of the other does.
    for (const std::string& name : {kSoftwareName, std::string("\x83\x5A\x83\x62\x83\x67")}) {
        SCOPED_TRACE(name);
        const CaseDirectory dir;
        dir.CopyLauncher("TOLVAN.EXE");
        ASSERT_TRUE(MoveFileA((dir / "TOLVAN.EXE").c_str(), (dir / (name + ".EXE")).c_str()));
        dir.CopyMarker("SETUP.EXE");
        e2e::RunOptions options;
        options.program = dir / (name + ".EXE");
        options.currentDirectory = dir.Path();

        ASSERT_TRUE(WriteBytes(dir / (name + ".ini"), IniText({"[Init]", "Silent=1", "DefaultPath=SETUP.EXE"})));
        RunResult result = e2e::Run(options);
        EXPECT_TRUE(result.exited);
        EXPECT_TRUE(result.messageBoxes.empty()) << e2e::Describe(result);
        ASSERT_EQ(1u, result.launches.size()) << e2e::Describe(result);
        EXPECT_EQ(dir / "SETUP.EXE", result.launches[0].program);

        // The dialog's caption is the application name, whole.
        ASSERT_TRUE(WriteBytes(dir / (name + ".ini"), IniText({"[Init]", "Silent=0", "DefaultPath=SETUP.EXE"})));
        std::string caption;
        options.onDialog = [&](HWND dialog) {
            caption = e2e::WindowText(dialog);
            e2e::PressKey(dialog, VK_ESCAPE);
        };
        result = e2e::Run(options);
        EXPECT_EQ(1, result.dialogs) << e2e::Describe(result);
        EXPECT_EQ(name, caption);
    }
}
