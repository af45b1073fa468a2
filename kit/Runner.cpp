// The test kit's runner (run-tests.cmd starts it): removes the marks of a
// download from the kit's files, runs every test program of the kit against
// the TOLVAN.EXE beside them, one after the other, each writing its JUnit
// XML report into the results folder; after each one puts
// back what a killed or failed case may have left (the scratch keys and
// files, a drive letter, the work area); lists the skipped and failed cases
// and ends with the summary line. Exit status 0 only when nothing failed.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "KitPrograms.h"
#include "tests/Scratch.h"
#include "tests/ThisProgram.h"
#include "kit/Results.h"
#include "tests/win/ScratchKey.h"

namespace fs = std::filesystem;

namespace {

// A program that runs longer than this has hung; it is ended, and with it
// whatever it started.
constexpr DWORD kProgramTimeLimitMs = 30 * 60 * 1000;

volatile LONG interrupted = 0;

// Ctrl+C ends the test program, which shares the console; the runner stays
// to clean up after it, and runs no further program.
BOOL WINAPI NoteInterrupt(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    InterlockedExchange(&interrupted, 1);
    return TRUE;
}

// A registry key that the tests may make, with what was below it before.
struct KnownKey {
    KnownKey(HKEY root, REGSAM view, std::string path) : root(root), view(view), path(std::move(path)) {}

    HKEY root;
    REGSAM view;
    std::string path;
    bool existed = false;
    std::set<std::string> subkeys;
};

std::set<std::string> Subkeys(HKEY key)
{
    std::set<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    return names;
}

// The key's parent and its own name.
std::pair<std::string, std::string> Split(const std::string& path)
{
    const std::size_t last = path.rfind('\\');
    if (last == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, last), path.substr(last + 1)};
}

void DeleteTree(HKEY root, REGSAM view, const std::string& path)
{
    const auto [parentPath, name] = Split(path);
    HKEY parent = nullptr;
    if (parentPath.empty()) {
        parent = root;
    } else if (RegOpenKeyExA(root, parentPath.c_str(), 0, KEY_READ | DELETE | view, &parent) != ERROR_SUCCESS) {
        return;
    }
    // Under HKEY_CLASSES_ROOT the user's and the machine's key may both be there.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (RegDeleteTreeA(parent, name.c_str()) != ERROR_SUCCESS)
            break;
        RegDeleteKeyExA(parent, name.c_str(), view, 0);
    }
    if (parent != root)
        RegCloseKey(parent);
}

// What the tests may change outside their own scratch places, as it was
// before the first program, and how to put it back.
class MachineState {
public:
    MachineState()
    {
        const std::string scratchKey = std::string("Software\\") + kScratchKeyName;
        keys_ = {
            {HKEY_CURRENT_USER, 0, scratchKey},
            // The bundled example's candidate, which a checker case makes.
            {HKEY_CURRENT_USER, 0, "Software\\TolvanExample"},
            {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, scratchKey},
            {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, scratchKey},
            {HKEY_CLASSES_ROOT, 0, kScratchKeyName},
        };
        for (KnownKey& known : keys_) {
            HKEY key = nullptr;
            known.existed =
                RegOpenKeyExA(known.root, known.path.c_str(), 0, KEY_READ | known.view, &key) == ERROR_SUCCESS;
            if (known.existed) {
                known.subkeys = Subkeys(key);
                RegCloseKey(key);
            }
        }
        std::error_code ignored;
        scratchExisted_ = fs::exists(ScratchFolder(), ignored);
        if (scratchExisted_)
            for (const auto& entry : fs::directory_iterator(ScratchFolder(), ignored))
                scratchEntries_.insert(entry.path().filename().string());
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea_, 0);
    }

    void Restore() const
    {
        RestoreKeys();
        RemoveDrives();
        RestoreFiles();
        RECT now;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &now, 0);
        if (!EqualRect(&now, &workArea_)) {
            RECT saved = workArea_;
            SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved, SPIF_SENDCHANGE);
        }
    }

private:
    void RestoreKeys() const
    {
        for (const KnownKey& known : keys_) {
            if (!known.existed) {
                DeleteTree(known.root, known.view, known.path);
                continue;
            }
            HKEY key = nullptr;
            if (RegOpenKeyExA(known.root, known.path.c_str(), 0, KEY_READ | known.view, &key) != ERROR_SUCCESS)
                continue;
            const std::set<std::string> now = Subkeys(key);
            RegCloseKey(key);
            for (const std::string& name : now)
                if (!known.subkeys.count(name))
                    DeleteTree(known.root, known.view, known.path + "\\" + name);
        }
    }

    // Drive letters that a killed case left defined to a scratch folder.
    static void RemoveDrives()
    {
        const std::string scratch = "\\??\\" + ScratchFolder();
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string device = std::string(1, letter) + ":";
            char target[4096];
            while (QueryDosDeviceA(device.c_str(), target, sizeof target) &&
                   CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, target, static_cast<int>(scratch.size()),
                                  scratch.c_str(), static_cast<int>(scratch.size())) == CSTR_EQUAL) {
                if (!DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH | DDD_EXACT_MATCH_ON_REMOVE,
                                      device.c_str(), target))
                    break;
            }
        }
    }

    void RestoreFiles() const
    {
        std::error_code ignored;
        if (!scratchExisted_) {
            fs::remove_all(ScratchFolder(), ignored);
            return;
        }
        for (const auto& entry : fs::directory_iterator(ScratchFolder(), ignored))
            if (!scratchEntries_.count(entry.path().filename().string()))
                fs::remove_all(entry.path(), ignored);
    }

    std::vector<KnownKey> keys_;
    bool scratchExisted_ = false;
    std::set<std::string> scratchEntries_;
    RECT workArea_ = {};
};

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

// Runs a program with its output on this console; why it did not end by
// itself, or an empty text.
std::string RunProgram(const std::string& program, const std::string& arguments, const std::string& directory,
                       DWORD& exitCode)
{
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &process))
        return "it could not be started (error " + std::to_string(GetLastError()) + ")";
    std::string problem;
    if (WaitForSingleObject(process.hProcess, kProgramTimeLimitMs) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        problem = "it ran longer than " + std::to_string(kProgramTimeLimitMs / 60000) + " minutes and was ended";
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return problem;
}

// A zip unpacked with Explorer gives each of its files the Zone.Identifier
// stream of a download: the shell then warns before it starts such a
// program, and CopyFile carries the stream on to the copies the tests start.
void RemoveDownloadMarks(const std::string& folder)
{
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
        if (entry.is_regular_file(ignored))
            DeleteFileA((entry.path().string() + ":Zone.Identifier").c_str());
}

// At most one line of a reason, for the list at the end.
std::string Shortened(const std::string& reason)
{
    constexpr std::size_t kWidth = 300;
    return reason.size() <= kWidth ? reason : reason.substr(0, kWidth) + "...";
}

}  // namespace

int main()
{
    SetConsoleCtrlHandler(&NoteInterrupt, TRUE);
    // A program that crashes ends at once instead of waiting in Windows'
    // error dialog until its time limit; the test programs, and what they
    // start, inherit the mode.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const std::string kit = BesideThisProgram("");
    RemoveDownloadMarks(kit);
    const std::string results = kit + "results";
    CreateDirectoryA(results.c_str(), nullptr);
    const MachineState before;

    Tally tally;
    std::vector<CaseResult> skipped;
    std::vector<CaseResult> failed;
    std::vector<std::string> notRun;
    for (const char* program : kKitPrograms) {
        const std::string name = fs::path(program).stem().string();
        if (interrupted) {
            notRun.push_back(program);
            continue;
        }
        const std::string report = results + "\\" + name + ".xml";
        DeleteFileA(report.c_str());
        std::printf("=== %s\n", program);
        std::fflush(stdout);
        DWORD exitCode = 0;
        std::string problem = RunProgram(kit + program, "\"--gtest_output=xml:" + report + "\"", kit, exitCode);
        before.Restore();

        std::vector<CaseResult> cases;
        const bool reported = ReadReport(ReadWhole(report), cases);
        bool anyFailed = false;
        for (const CaseResult& result : cases)
            anyFailed = anyFailed || result.outcome == Outcome::Failed;
        if (problem.empty() && !reported)
            problem = "it ended with exit code " + Hex(exitCode) + " without writing its report";
        else if (problem.empty() && exitCode != 0 && !anyFailed)
            problem = "it ended with exit code " + Hex(exitCode) + " though no case failed";
        if (!problem.empty()) {
            cases.push_back({name + ".run", Outcome::Failed, problem});
            if (!reported)
                std::ofstream(report, std::ios::binary) << FailureReport(name, "run", problem);
        }
        for (const CaseResult& result : cases) {
            tally.Add(result);
            if (result.outcome == Outcome::Skipped)
                skipped.push_back(result);
            else if (result.outcome == Outcome::Failed)
                failed.push_back(result);
        }
    }

    std::printf("\n");
    if (!skipped.empty()) {
        std::printf("Skipped:\n");
        for (const CaseResult& result : skipped)
            std::printf("  %s: %s\n", result.name.c_str(), Shortened(result.reason).c_str());
    }
    if (!failed.empty()) {
        std::printf("Failed:\n");
        for (const CaseResult& result : failed)
            std::printf("  %s: %s\n", result.name.c_str(), Shortened(result.reason).c_str());
    }
    if (!notRun.empty()) {
        std::printf("Interrupted; not run:");
        for (const std::string& program : notRun)
            std::printf(" %s", program.c_str());
        std::printf("\n");
    }
    std::printf("Reports: %s\n%s\n", results.c_str(), SummaryLine(tally).c_str());
    return tally.failed == 0 && notRun.empty() ? 0 : 1;
}
