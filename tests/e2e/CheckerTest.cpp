// tolvan-check.exe run as a setup author runs it: its report and exit
// status for the bundled example and for broken configurations, and the
// preview of the dialog beside the dialog TOLVAN.EXE shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/CodePage932.h"
#include "tests/ExpectedTexts.h"
#include "tests/IniText.h"
#include "tests/Platform.h"
#include "tests/ThisProgram.h"
#include "tests/WinFiles.h"
#include "tests/WinThread.h"
#include "tests/e2e/LargeLicence.h"
#include "tests/e2e/LauncherTest.h"
#include "tests/win/ScratchKey.h"

namespace {

struct CheckRun {
    DWORD status = 0xFFFFFFFF;
    std::string report;     // with the console's "\r\n" made "\n"
    int windowsShown = 0;   // visible windows of the checker seen while it ran
    bool ended = false;     // within the time limit, else it was ended
    DWORD milliseconds = 0; // from its start to its end
};

// A checker that runs longer has hung; it is ended so that only its own
// case fails.
constexpr DWORD kCheckerTimeLimitMs = 20000;

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

// Runs the checker from the current directory cwd, which may have a name
// the code page cannot write, and collects what it printed; counts every
// window it shows, which must be none.
CheckRun RunChecker(const std::string& arguments, const std::wstring& cwd)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    CreatePipe(&read, &write, &inheritable, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    const std::wstring program = Wide(BesideThisProgram("tolvan-check.exe"));
    std::wstring commandLine = L"\"" + program + L"\" " + Wide(arguments);
    CheckRun run;
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        cwd.c_str(), &startup, &process)) {
        CloseHandle(read);
        CloseHandle(write);
        return run;
    }
    CloseHandle(write);

    // The output is read as it comes, so that a full pipe never holds the
    // checker up.
    std::string output;
    WinThread reader([&output, read] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
    });
    const DWORD started = GetTickCount();
    bool running = true;
    while (running && GetTickCount() - started < kCheckerTimeLimitMs) {
        running = WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT;
        run.windowsShown += static_cast<int>(e2e::VisibleTopLevelWindows(process.dwProcessId).size());
    }
    run.milliseconds = GetTickCount() - started;
    run.ended = !running;
    if (running) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    reader.join();
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(read);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (std::size_t at = output.find("\r\n"); at != std::string::npos; at = output.find("\r\n", at))
        output.erase(at, 1);
    run.report = output;
    return run;
}

CheckRun RunChecker(const std::string& arguments, const std::string& cwd)
{
    return RunChecker(arguments, Wide(cwd));
}

const std::string kRegistryView =
    sizeof(void*) == 8 ? "Registry view: 64-bit; the shipped TOLVAN.EXE, a 32-bit program, sees the 32-bit view on "
                         "64-bit Windows: check there with the 32-bit tolvan-check.exe"
                       : "Registry view: 32-bit, as the shipped TOLVAN.EXE sees it";

class CheckerTest : public LauncherTest {
protected:
    // The bundled example as on an installation medium.
    void LayOutExample()
    {
        for (const char* name : {"TOLVAN.ini", "LICENSE.TXT"})
            ASSERT_TRUE(CopyFileA(BesideThisProgram(std::string("example\\") + name).c_str(), D(name).c_str(), FALSE));
        dir.CopyMarker("RUNTIME\\SETUP.EXE");
        dir.CopyMarker("UPGRADE\\SETUP.EXE");
    }

    // Checks dir from the checker's own directory; nothing in dir may
    // change and no window may show.
    CheckRun Check(const std::string& options = "")
    {
        const auto before = dir.Snapshot();
        const CheckRun run = RunChecker(options + " \"" + dir.Path() + "\"", BesideThisProgram(""));
        EXPECT_TRUE(run.ended) << "the checker ran longer than " << kCheckerTimeLimitMs << " ms and was ended";
        EXPECT_EQ(before, dir.Snapshot()) << "the checker changed the directory";
        EXPECT_EQ(0, run.windowsShown);
        return run;
    }

    static void ExpectLines(const CheckRun& run, const std::vector<std::string>& lines, const std::string& what)
    {
        for (const std::string& line : lines)
            EXPECT_NE(std::string::npos, ("\n" + run.report).find("\n" + line + "\n"))
                << what << ": no line \"" << line << "\" in\n" << run.report;
    }

    std::string D(const std::string& relative = "") const { return relative.empty() ? dir.Path() : dir / relative; }
};

}  // namespace

TEST_F(CheckerTest, ExplainsTheBundledExample)
{
    LayOutExample();
    const CheckRun run = Check();
    EXPECT_EQ(0u, run.status);
    EXPECT_EQ("Directory: " + D() + "\n"
              "Application name: TOLVAN\n" +
                  kRegistryView + "\n"
                  "\n"
                  "Configuration file: " + D("TOLVAN.ini") + "\n"
                  "  found\n"
                  "\n"
                  "Reads and key probes, in the launcher's order:\n"
                  "  [Init] Silent: 0\n"
                  "  [Init] Caption: Example Run-time Setup\n"
                  "  [Init] Title: Installation of the example database run-time\n"
                  "  [Init] Copyright: Copyright (C) 2026 Example Publishing Ltd.\n"
                  "  [Init] INFO: LICENSE.TXT\n"
                  "  [ApplicationKeys] RKey1: Software\\TolvanExample\\Runtime\\1.0\n"
                  "    HKEY_CLASSES_ROOT: absent\n"
                  "    HKEY_LOCAL_MACHINE: absent\n"
                  "    HKEY_CURRENT_USER: absent\n"
                  "  [ApplicationKeys] RKey2: not set\n"
                  "  [ApplicationKeys] RKey3: not set\n"
                  "  [ApplicationKeys] RKey4: not set\n"
                  "  [ApplicationKeys] RKey5: not set\n"
                  "  [ApplicationKeys] RKey6: not set\n"
                  "  [ApplicationKeys] RKey7: not set\n"
                  "  [ApplicationKeys] RKey8: not set\n"
                  "  [ApplicationKeys] RKey9: not set\n"
                  "  [Init] DefaultPath: RUNTIME\\SETUP.EXE\n"
                  "  [Init] DefaultName: Example run-time, full installation\n"
                  "\n"
                  "Choice: no candidate is present, so the default program: RUNTIME\\SETUP.EXE\n"
                  "Program: " + D("RUNTIME\\SETUP.EXE") + " exists\n"
                  "Dialog: shown, since Silent is 0; the program starts only on OK\n"
                  "  Caption: Example Run-time Setup\n"
                  "  Panel: END USER LICENSE AGREEMENT\n"
                  "  OK reads: Accept\n"
                  "\n"
                  "Warnings: none\n"
                  "\n"
                  "Result: nothing wrong (exit status 0)\n",
              run.report);
}

TEST_F(CheckerTest, TellsPresentRefusedAndPathlessCandidates)
{
    LayOutExample();
    const ScratchKey key(HKEY_CURRENT_USER, "Software\\TolvanExample\\Runtime\\1.0");
    CheckRun run = Check();
    EXPECT_EQ(0u, run.status) << run.report;
    ExpectLines(run, {"    HKEY_CURRENT_USER: opens with full access",
                      "Choice: candidate 1, whose key opens under HKEY_CURRENT_USER: UPGRADE\\SETUP.EXE",
                      "Program: " + D("UPGRADE\\SETUP.EXE") + " exists"},
                "present");

    ASSERT_EQ(ERROR_SUCCESS, key.RefuseFullAccess());
    run = Check();
    EXPECT_EQ(1u, run.status) << run.report;
    ExpectLines(run, {"    HKEY_CURRENT_USER: exists but refuses full access (the launcher treats it as absent)",
                      "Choice: no candidate is present, so the default program: RUNTIME\\SETUP.EXE",
                      "Result: 1 warning (exit status 1)"},
                "refused");

    const ScratchKey other(HKEY_CURRENT_USER, ScratchKey::UniquePath(HKEY_CURRENT_USER));
    dir.Write("TOLVAN.ini", IniText({"[Init]", "Silent=1", "DefaultPath=RUNTIME\\SETUP.EXE", "[ApplicationKeys]",
                                     "RKey2=" + other.Path(), "Name2=Upgrade"}));
    run = Check();
    EXPECT_EQ(2u, run.status) << run.report;
    ExpectLines(run, {"Choice: candidate 2, whose key opens under HKEY_CURRENT_USER, but Path2 is not set",
                      "Program: none; the shell cannot start an empty path",
                      "The launch fails with this message:\n" + Indented(LaunchFailedText(""))},
                "without Path");
}

TEST_F(CheckerTest, ExplainsBrokenConfigurations)
{
    const std::string title(85, 'T');
    const struct {
        const char* what;
        std::string options;
        std::string iniName;
        std::string ini;  // not written when empty
        std::string info;
        DWORD status;
        std::vector<std::string> lines;
    } cases[] = {
        {"no INI file", "", "", "", "", 2,
         {"Configuration file: " + D("TOLVAN.ini"), "  not found",
          "  [Init] Silent: 99 (what a missing file, section or key reads as)",
          "Choice: none; the launcher ends after reading Silent", "Dialog: not shown; the launcher ends first",
          "The launcher ends with this message:\n" + Indented(IniNotFoundText(D("TOLVAN.ini"))),
          "Warnings: none", "Result: the launcher ends with an error message (exit status 2)"}},
        {"another name, no Silent", "--as SETUP.EXE", "SETUP.ini", IniText({"[Init]", "Caption=Setup"}), "", 2,
         {"Application name: SETUP", "Configuration file: " + D("SETUP.ini"), "  found",
          "  [Init] has no Silent: it reads as 99 and the launcher reports the file as not found",
          "The launcher ends with this message:\n" + Indented(IniNotFoundText(D("SETUP.ini")))}},
        {"no default program, keys out of place", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=1", "DefaultName=Runtime", "[ApplicationKeys]", "DefaultPath=RUNTIME\\SETUP.EXE",
                  "RKey10=Software\\X"}),
         "", 2,
         {"Choice: no candidate is present and DefaultPath is not set",
          "The launcher ends with this message:\n" + Indented(kNoSuitableKeysText),
          "  line 5: DefaultPath is in [ApplicationKeys]: the launcher reads it only from [Init]"}},
        {"a licence that cannot be opened", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=0", "INFO=NOSUCH.TXT", "DefaultPath=RUNTIME\\SETUP.EXE"}), "", 1,
         {"  Panel: " + InfoOpenFailedText("NOSUCH.TXT", 2) + " (NOSUCH.TXT was not found.)", "  OK reads: OK",
          "  NOSUCH.TXT cannot be opened: the panel shows an error line instead of its text",
          "Result: 1 warning (exit status 1)"}},
        {"a licence that is almost an agreement", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=0", "INFO=LICENSE.TXT", "DefaultPath=RUNTIME\\SETUP.EXE"}),
         std::string("End User Licence\r\n\0dropped", 26) + std::string(40, 'x'), 1,
         {"  Panel: End User Licence",
          "  LICENSE.TXT has a zero byte at offset 18: the panel drops the rest of each 49-byte chunk from a zero "
          "byte on (31 bytes in all)",
          "Result: 2 warnings (exit status 1)"}},
        {"a long quoted title and a missing program", "", "TOLVAN.ini",
         IniText({"[Init]", "Silent=1", "Title=\"" + title + "\"", "DefaultPath=NOSUCH.EXE"}), "", 2,
         {"    cut to 79 characters; lost: TTTTTT", "Program: NOSUCH.EXE does not exist, seen from " + D(),
          "The launch fails with this message:\n" + Indented(LaunchFailedText("NOSUCH.EXE"))}},
    };
    dir.CopyMarker("RUNTIME\\SETUP.EXE");
    for (const auto& test : cases) {
        for (const char* name : {"TOLVAN.ini", "SETUP.ini", "LICENSE.TXT"})
            DeleteFileA(D(name).c_str());
        if (!test.ini.empty())
            dir.Write(test.iniName, test.ini);
        if (!test.info.empty())
            dir.Write("LICENSE.TXT", test.info);
        const CheckRun run = Check(test.options);
        EXPECT_EQ(test.status, run.status) << test.what << "\n" << run.report;
        ExpectLines(run, test.lines, test.what);
    }
}

TEST_F(CheckerTest, TellsWhatItCannotCheckAndHowItIsUsed)
{
    const std::string usage = "usage: tolvan-check [--as NAME] [--preview FILE.bmp] [DIR]\n";
    const struct {
        std::string arguments;
        DWORD status;
        std::string output;
    } cases[] = {
        {"--help", 0, usage},
        {"--bogus \"" + D() + "\"", 3, "tolvan-check: unknown option --bogus\n" + usage},
        {"\"" + D("NOSUCH") + "\"", 3,
         "tolvan-check: cannot use " + D("NOSUCH") + " as the current directory (error 2)\n"},
    };
    for (const auto& test : cases) {
        const CheckRun run = RunChecker(test.arguments, BesideThisProgram(""));
        EXPECT_TRUE(run.ended) << test.arguments;
        EXPECT_EQ(test.status, run.status) << test.arguments;
        EXPECT_EQ(test.output, run.report) << test.arguments;
    }
}

namespace {

// A 24-bit BMP file as the checker writes it.
struct Bmp {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::string bytes;

    explicit Bmp(std::string file) : bytes(std::move(file))
    {
        if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0)
            return;
        std::memcpy(&width, &bytes[18], 4);
        std::memcpy(&height, &bytes[22], 4);
        bits = static_cast<unsigned char>(bytes[28]);
    }

    // The pixels in the rectangle whose red, green and blue are all dark.
    int DarkPixels(const RECT& area) const
    {
        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
        int dark = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + x * 3;
                const auto* pixel = reinterpret_cast<const unsigned char*>(&bytes[at]);
                if (pixel[0] < 80 && pixel[1] < 80 && pixel[2] < 80)
                    ++dark;
            }
        }
        return dark;
    }
};

RECT Within(HWND dialog, int id)
{
    RECT frame;
    RECT control;
    GetWindowRect(dialog, &frame);
    GetWindowRect(GetDlgItem(dialog, id), &control);
    OffsetRect(&control, -frame.left, -frame.top);
    return control;
}

}  // namespace

TEST_F(CheckerTest, PreviewIsTheDialogTolvanShows)
{
    if (!WindowsArePainted())
        GTEST_SKIP() << kUnpaintedReason;
    LayOutExample();
    dir.CopyLauncher("TOLVAN.EXE");
    RECT window = {};
    RECT title = {};
    RECT panel = {};
    RECT copyright = {};
    Run("TOLVAN.EXE", "", "", [&](HWND dialog) {
        GetWindowRect(dialog, &window);
        title = Within(dialog, IDC_TITLE);
        copyright = Within(dialog, IDC_COPYRIGHT);
        panel = Within(dialog, IDC_INFO_TEXT);
        e2e::PressKey(dialog, VK_ESCAPE);
    });
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ASSERT_GT(width, 0);

    const e2e::CaseDirectory out;
    const std::string file = out / "dialog.bmp";
    CheckRun run = Check("--preview \"" + file + "\"");
    EXPECT_EQ(0u, run.status) << run.report;
    ExpectLines(run, {"Preview: " + file + ", " + std::to_string(width) + " by " + std::to_string(height) + " pixels"},
                "preview");
    const Bmp shown(out.Read("dialog.bmp"));
    EXPECT_EQ(24, shown.bits);
    EXPECT_EQ(width, shown.width);
    EXPECT_EQ(height, shown.height);
    // Text is drawn where the title, the copyright line and the licence are.
    EXPECT_GT(shown.DarkPixels(title), 50);
    EXPECT_GT(shown.DarkPixels(copyright), 50);
    EXPECT_GT(shown.DarkPixels(panel), 200);

    // Without a title the title line is blank; a silent configuration is
    // drawn all the same.
    dir.Write("TOLVAN.ini", IniText({"[Init]", "Silent=1", "DefaultPath=RUNTIME\\SETUP.EXE"}));
    run = Check("--preview \"" + file + "\"");
    EXPECT_EQ(0u, run.status) << run.report;
    ExpectLines(run, {"Preview: " + file + ", " + std::to_string(width) + " by " + std::to_string(height) +
                      " pixels; no dialog would show, this is how it would look"},
                "silent preview");
    const Bmp silent(out.Read("dialog.bmp"));
    EXPECT_EQ(width, silent.width);
    EXPECT_EQ(0, silent.DarkPixels(title));
}

TEST_F(CheckerTest, ALargeLicenceTakesTimeInProportionToItsSize)
{
    dir.CopyMarker("SETUP.EXE");
    dir.Write("TOLVAN.ini", IniText({"[Init]", "Silent=0", "INFO=LICENSE.TXT", "DefaultPath=SETUP.EXE"}));
    // Lines of words, with one zero byte near the end for the scan to find.
    std::string line = "Terms of use for the example run-time, line by line.\r\n";
    const auto licence = [&](std::size_t size) {
        std::string text;
        text.reserve(size);
        while (text.size() + line.size() <= size)
            text += line;
        text[text.size() - 10] = '\0';
        return text;
    };
    const auto zeroFoundAt = [](const CheckRun& run, std::size_t offset) {
        return run.report.find("LICENSE.TXT has a zero byte at offset " + std::to_string(offset) + ":") !=
               std::string::npos;
    };
    std::string text = licence(1 << 20);
    dir.Write("LICENSE.TXT", text);
    const CheckRun small = Check();
    EXPECT_TRUE(zeroFoundAt(small, text.size() - 10)) << small.report;
    text = licence(8 << 20);
    dir.Write("LICENSE.TXT", text);
    const CheckRun large = Check();
    EXPECT_TRUE(zeroFoundAt(large, text.size() - 10)) << large.report;
    // Eight times the text may take eight times as long, plus the start;
    // a scan that grows with the square of the size takes over sixty.
    EXPECT_LE(large.milliseconds, 12 * small.milliseconds + 2000)
        << "1 MiB: " << small.milliseconds << " ms, 8 MiB: " << large.milliseconds << " ms";
}

TEST(DoubleByteCodePage, TheCheckerTakesADoubleByteNameAsTheLauncherDoes)
{
    if (GetACP() != 932)
        GTEST_SKIP() << WithoutCodePage932();
    const std::string name = kSoftwareName;
    const e2e::CaseDirectory dir;
    ASSERT_TRUE(WriteBytes(dir / (name + ".ini"), IniText({"[Init]", "Silent=1", "DefaultPath=SETUP.EXE"})));

    const CheckRun run = RunChecker("--as " + name + ".EXE \"" + dir.Path() + "\"", BesideThisProgram(""));
    EXPECT_TRUE(run.ended);
    EXPECT_NE(std::string::npos, run.report.find("\nApplication name: " + name + "\n")) << run.report;
    EXPECT_NE(std::string::npos, run.report.find("\nConfiguration file: " + (dir / (name + ".ini")) + "\n  found\n"))
        << run.report;
}

namespace {

// A drive letter that Windows calls a network drive, on a directory, for
// as long as the case lasts. Under Wine it is made by Wine's own mount
// manager, as its configuration tool makes a drive a network share;
// Windows needs a share for it, which the case does not make.
class NetworkDrive {
public:
    explicit NetworkDrive(const std::string& directory)
    {
        if (!RunningUnderWine()) {
            skipReason_ = "a network drive needs a network share on Windows, which this case does not make";
            return;
        }
        using UnixFileName = char*(WINAPIV*)(const wchar_t*);
        using Generic = void (*)();
        const auto unixFileName = reinterpret_cast<UnixFileName>(
            reinterpret_cast<Generic>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        char* unixPath = unixFileName ? unixFileName(Wide(directory).c_str()) : nullptr;
        const DWORD used = GetLogicalDrives();
        for (char candidate = 'N'; candidate <= 'Y' && !letter_; ++candidate) {
            if (!(used & (1u << (candidate - 'A'))))
                letter_ = candidate;
        }
        if (!unixPath || !letter_ || !Define(unixPath))
            skipReason_ = "Wine's mount manager made no network drive";
        if (unixPath)
            HeapFree(GetProcessHeap(), 0, unixPath);
        if (!skipReason_.empty())
            letter_ = 0;
    }
    NetworkDrive(const NetworkDrive&) = delete;
    NetworkDrive& operator=(const NetworkDrive&) = delete;
    ~NetworkDrive()
    {
        if (letter_)
            Define(nullptr);
    }

    const std::string& SkipReason() const { return skipReason_; }
    std::string Root() const { return std::string(1, letter_) + ":\\"; }

private:
    // The mount manager's request for a drive: Wine's own, declared in its
    // headers as struct mountmgr_unix_drive. Without a mount point it
    // removes the drive.
    struct UnixDrive {
        ULONG size;
        ULONG type;
        ULONG fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset;
        USHORT deviceOffset;
        USHORT labelOffset;
    };

    bool Define(const char* mountPoint) const
    {
        const HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager == INVALID_HANDLE_VALUE)
            return false;
        std::string request(sizeof(UnixDrive) + (mountPoint ? std::strlen(mountPoint) + 1 : 0), '\0');
        UnixDrive drive = {};
        drive.size = static_cast<ULONG>(request.size());
        drive.type = DRIVE_REMOTE;
        drive.letter = static_cast<WCHAR>(letter_);
        if (mountPoint) {
            drive.mountPointOffset = sizeof(UnixDrive);
            std::memcpy(&request[sizeof(UnixDrive)], mountPoint, std::strlen(mountPoint) + 1);
        }
        std::memcpy(&request[0], &drive, sizeof drive);
        const DWORD defineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        DWORD returned = 0;
        const BOOL done = DeviceIoControl(manager, defineUnixDrive, &request[0], static_cast<DWORD>(request.size()),
                                          nullptr, 0, &returned, nullptr);
        CloseHandle(manager);
        return done != FALSE;
    }

    char letter_ = 0;
    std::string skipReason_;
};

}  // namespace

// A medium on a network drive letter: the elevated launcher would not see
// the drive. The checker says so, though the INI file is sound.
TEST_F(CheckerTest, WarnsOfAMediumOnANetworkDrive)
{
    LayOutExample();
    const NetworkDrive drive(dir.Path());
    if (!drive.SkipReason().empty())
        GTEST_SKIP() << drive.SkipReason();
    const CheckRun run = RunChecker(drive.Root(), BesideThisProgram(""));
    EXPECT_EQ(1u, run.status) << run.report;
    ExpectLines(run, {"Directory: " + drive.Root(), "Result: 1 warning (exit status 1)"}, "network drive");
    // Wine knows no share behind the drive, so the warning names none.
    EXPECT_NE(std::string::npos, run.report.find("\n  " + drive.Root() + " is on a network drive: ")) << run.report;
    EXPECT_NE(std::string::npos, run.report.find("; start it from the share's UNC path (\\\\server\\share\\...) instead\n"));
}

// Names the ANSI code page cannot write reach the launcher as other
// characters: a folder named in Cyrillic under code page 1252, where the
// launcher finds no INI file, and a value of an INI file saved in UTF-16.
TEST_F(CheckerTest, WarnsOfNamesTheCodePageCannotWrite)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252, which cannot write Cyrillic letters";
    const std::wstring folder = L"\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430";  // Установка
    const std::wstring inside = Wide(dir.Path()) + L"\\" + folder;
    ASSERT_TRUE(CreateDirectoryW(inside.c_str(), nullptr));
    const std::string shown = dir.Path() + "\\?????????";
    const std::size_t first = dir.Path().size() + 2;
    const CheckRun cyrillic = RunChecker("", inside);
    EXPECT_EQ(2u, cyrillic.status) << cyrillic.report;
    ExpectLines(cyrillic,
                {"  the directory's path holds characters that code page 1252 cannot write, at characters " +
                 std::to_string(first) + " to " + std::to_string(first + 8) + " of " + shown +
                 " (shown as ?): the launcher gets other characters in their place, so it finds neither its INI "
                 "file nor the programs beside it; name the folders in plain ASCII"},
                "Cyrillic folder");
    RemoveDirectoryW(inside.c_str());

    // "Лицензия.txt", in an INI file saved as UTF-16 with its byte-order mark.
    const std::wstring ini = L"\uFEFF[Init]\r\nSilent=0\r\nINFO=\u041b\u0438\u0446\u0435\u043d\u0437\u0438\u044f.txt"
                             L"\r\nDefaultPath=SETUP.EXE\r\n";
    dir.Write("TOLVAN.ini", std::string(reinterpret_cast<const char*>(ini.data()), ini.size() * sizeof(wchar_t)));
    dir.CopyMarker("SETUP.EXE");
    const CheckRun utf16 = Check();
    EXPECT_EQ(1u, utf16.status) << utf16.report;
    ExpectLines(utf16,
                {"  [Init] INFO holds characters that code page 1252 cannot write, at characters 1 to 8 of "
                 "????????.txt (shown as ?): the launcher gets other characters in their place; write it in plain "
                 "ASCII or in the characters of that code page"},
                "UTF-16 INI file");
}

// The checker meets a licence too large to hold as the shipped launcher
// does, and says what the launcher then shows.
TEST_F(CheckerTest, SaysWhenTheLicenceIsTooLargeToHold)
{
    const LargeLicence licence(BesideThisProgram("tolvan-check.exe"));
    if (!licence.SkipReason().empty())
        GTEST_SKIP() << licence.SkipReason();
    dir.Write("TOLVAN.ini", IniText({"[Init]", "Silent=0", "INFO=" + licence.Info(), "DefaultPath=SETUP.EXE"}));
    dir.CopyMarker("SETUP.EXE");
    const CheckRun run = Check();
    EXPECT_EQ(1u, run.status) << run.report;
    ExpectLines(run,
                {"  Panel: empty; the text of " + licence.Info() +
                     " is too large to hold, and the launcher first shows this message:",
                 "Result: 1 warning (exit status 1)"},
                "licence too large to hold");
}

TEST_F(CheckerTest, WarnsOfADllPlantedBesideTheLauncher)
{
    LayOutExample();
    dir.Write("version.dll", "MZ");
    dir.Write("notes.dllx", "");
    const CheckRun run = Check();
    EXPECT_EQ(1u, run.status) << run.report;
    EXPECT_NE(std::string::npos, run.report.find("\n  DLL files lie beside the launcher: version.dll. ")) << run.report;
}
