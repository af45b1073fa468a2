// Times TOLVAN.EXE against the least a program must do for the same
// result, under the same Wine, in the same directory, run after run in
// turn:
//  - the silent launch: from CreateProcess to the target running its own
//    code, against a program that only calls ShellExecuteA on that target;
//  - the dialog: from CreateProcess to the dialog being visible, without a
//    licence and with licences of 1 and 8 MiB, against a program that shows
//    the same template with the licence read in one call and set in one.
// Prints medians and ratios; fails only when it cannot measure.
//
//   bench.exe [RUNS [silent|dialog]]
//     RUNS timed runs of each program in each case (default 21); the
//     second argument runs only those cases
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ThisProgram.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kTimeoutMs = 30000;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

LONGLONG Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The program being timed, and the dialog window it created.
DWORD watchedProcess = 0;
HWND createdDialog = nullptr;

// Wine 8 tells an out-of-context hook when a window is created, though not
// when it is shown: the hook finds the dialog, and polling sees it shown.
void CALLBACK OnCreate(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (!createdDialog && object == OBJID_WINDOW && process == watchedProcess &&
        std::string(className) == "#32770" && GetAncestor(window, GA_PARENT) == GetDesktopWindow())
        createdDialog = window;
}

// One started program and whatever it starts, in a job that ends them all
// when it is closed.
class Started {
public:
    Started(const std::string& directory, const std::string& program, const std::string& arguments)
    {
        const std::string path = directory + "\\" + program;
        std::string commandLine = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
        job_ = CreateJobObjectA(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        createdAt = Ticks();
        if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                            directory.c_str(), &startup, &process_))
            throw Failure("cannot start " + commandLine);
        watchedProcess = process_.dwProcessId;
        AssignProcessToJobObject(job_, process_.hProcess);
        ResumeThread(process_.hThread);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    ~Started()
    {
        CloseHandle(job_);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    HANDLE Process() const { return process_.hProcess; }

    // Waits until the program and all it started have ended, so that the
    // next run has the machine to itself.
    void WaitForAll() const
    {
        for (const LONGLONG start = Ticks(); Milliseconds(Ticks() - start) < kTimeoutMs; Sleep(2)) {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
            QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting, sizeof accounting,
                                      nullptr);
            if (accounting.ActiveProcesses == 0)
                return;
        }
        throw Failure("a program did not end");
    }

    LONGLONG createdAt = 0;

private:
    HANDLE job_ = nullptr;
    PROCESS_INFORMATION process_ = {};
};

class Bench {
public:
    Bench()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        directory_ = std::string(temp) + "tolvan-bench-" + std::to_string(GetCurrentProcessId());
        fs::create_directories(directory_);
        // The launcher and the programs it is measured against start the
        // same target from the same directory.
        for (const auto& [from, to] : {std::pair<const char*, const char*>{"TOLVAN.EXE", "TOLVAN.EXE"},
                                       {"bench_shell_open.exe", "OPEN.EXE"},
                                       {"bench_dialog.exe", "DIALOG.EXE"},
                                       {"bench_target.exe", "SETUP.EXE"}})
            fs::copy_file(BesideThisProgram(from), fs::path(directory_) / to, fs::copy_options::overwrite_existing);
        WriteLicence("LICENSE-1M.TXT", 1 << 20);
        WriteLicence("LICENSE-8M.TXT", 8 << 20);

        const std::string signal = "tolvan-bench-" + std::to_string(GetCurrentProcessId());
        SetEnvironmentVariableA("TOLVAN_BENCH_SIGNAL", signal.c_str());
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONGLONG),
                                      signal.c_str());
        stamp_ = static_cast<volatile LONGLONG*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
        started_ = CreateEventA(nullptr, TRUE, FALSE, (signal + "-event").c_str());
        hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &OnCreate, 0, 0,
                                WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
        if (!stamp_ || !started_ || !hook_)
            throw Failure("cannot set up the signals");
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;
    ~Bench()
    {
        UnhookWinEvent(hook_);
        CloseHandle(started_);
        UnmapViewOfFile(const_cast<LONGLONG*>(stamp_));
        CloseHandle(mapping_);
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
    }

    // The INI file of a typical medium: two candidates whose keys are not
    // there, then the default program.
    void WriteIni(const char* silent, const char* info) const
    {
        std::ofstream(fs::path(directory_) / "TOLVAN.ini", std::ios::binary)
            << "[Init]\r\nSilent=" << silent << "\r\nCaption=Run-time Setup\r\n"
            << "Title=Installation of the database run-time\r\nCopyright=Notice text for the second line\r\n"
            << (*info ? std::string("INFO=") + info + "\r\n" : std::string())
            << "DefaultPath=SETUP.EXE\r\nDefaultName=Database run-time, full installation\r\n"
            << "[ApplicationKeys]\r\nRKey1=Software\\TolvanBench\\Absent\\Runtime\r\nPath1=UPGRADE\\SETUP.EXE\r\n"
            << "Name1=Upgrade of the installed run-time\r\nRKey3=TolvanBench.Absent.9\r\nPath3=ADDON\\SETUP.EXE\r\n"
            << "Name3=Add-on for the installed database\r\n";
    }

    // Milliseconds from CreateProcess to the target running its code.
    double TimeToTarget(const std::string& program, const std::string& arguments)
    {
        ResetEvent(started_);
        *stamp_ = 0;
        Started run(directory_, program, arguments);
        const HANDLE waits[] = {started_, run.Process()};
        // The program may end before its target has run: wait on the signal
        // alone once it has.
        DWORD woke = WaitForMultipleObjects(2, waits, FALSE, kTimeoutMs);
        if (woke == WAIT_OBJECT_0 + 1)
            woke = WaitForSingleObject(started_, kTimeoutMs);
        if (woke != WAIT_OBJECT_0)
            throw Failure(program + " did not start its target");
        const LONGLONG targetStarted = *stamp_;
        run.WaitForAll();
        return Milliseconds(targetStarted - run.createdAt);
    }

    // Milliseconds from CreateProcess to its dialog being visible; the
    // dialog is then cancelled.
    double TimeToDialog(const std::string& program, const std::string& arguments)
    {
        createdDialog = nullptr;
        Started run(directory_, program, arguments);
        const HANDLE process = run.Process();
        while (!createdDialog) {
            // The hook's calls arrive while this thread takes its messages.
            const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, kTimeoutMs, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            if (!createdDialog && woke != WAIT_OBJECT_0 + 1)
                throw Failure(program + " created no dialog");
        }
        while (!IsWindowVisible(createdDialog) || !GetDlgItem(createdDialog, IDC_INFO_TEXT)) {
            if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0 || Milliseconds(Ticks() - run.createdAt) > kTimeoutMs)
                throw Failure(program + " showed no dialog");
        }
        const double shown = Milliseconds(Ticks() - run.createdAt);
        PostMessageA(createdDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        run.WaitForAll();
        return shown;
    }

private:
    void WriteLicence(const char* name, std::size_t size) const
    {
        std::string text = "END USER LICENSE AGREEMENT\r\n";
        text.reserve(size + 100);
        while (text.size() < size)
            text += "Line " + std::to_string(text.size()) + " of a long agreement, to be read whole.\r\n";
        text.resize(size);
        std::ofstream(fs::path(directory_) / name, std::ios::binary) << text;
    }

    std::string directory_;
    HANDLE mapping_ = nullptr;
    volatile LONGLONG* stamp_ = nullptr;
    HANDLE started_ = nullptr;
    HWINEVENTHOOK hook_ = nullptr;
};

struct Row {
    std::string name;
    double launcher;   // median, ms
    double minimal;    // median, ms
    double ratio;      // median of the ratios of runs taken in turn
    double goal;
};

// Runs both programs in turn, one warm-up each, then runs timed runs each.
template <class Time>
Row Compare(const std::string& name, int runs, double goal, Time&& time, const std::string& minimal,
            const std::string& arguments)
{
    const auto launcher = [&] { return time("TOLVAN.EXE", ""); };
    const auto least = [&] { return time(minimal, arguments); };
    launcher();
    least();
    std::vector<double> launcherTimes, minimalTimes, ratios;
    for (int run = 0; run < runs; ++run) {
        // Who goes first alternates too, so neither always follows the other.
        const bool launcherFirst = run % 2 == 0;
        const double first = launcherFirst ? launcher() : least();
        const double second = launcherFirst ? least() : launcher();
        launcherTimes.push_back(launcherFirst ? first : second);
        minimalTimes.push_back(launcherFirst ? second : first);
        ratios.push_back(launcherTimes.back() / minimalTimes.back());
    }
    std::fprintf(stderr, "  %s done\n", name.c_str());
    return Row{name, Median(launcherTimes), Median(minimalTimes), Median(ratios), goal};
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const std::string only = argc > 2 ? argv[2] : "";
    try {
        Bench bench;
        std::vector<Row> rows;
        const auto toTarget = [&](const std::string& program, const std::string& arguments) {
            return bench.TimeToTarget(program, arguments);
        };
        const auto toDialog = [&](const std::string& program, const std::string& arguments) {
            return bench.TimeToDialog(program, arguments);
        };

        if (only != "dialog") {
            bench.WriteIni("1", "LICENSE-1M.TXT");
            rows.push_back(Compare("silent launch", runs, 1.10, toTarget, "OPEN.EXE", "SETUP.EXE"));
        }
        const std::pair<const char*, const char*> licences[] = {
            {"dialog, no licence", ""}, {"dialog, 1 MiB licence", "LICENSE-1M.TXT"},
            {"dialog, 8 MiB licence", "LICENSE-8M.TXT"}};
        for (const auto& [name, licence] : licences) {
            if (only == "silent")
                break;
            bench.WriteIni("0", licence);
            rows.push_back(Compare(name, runs, 1.2, toDialog, "DIALOG.EXE", licence));
        }

        std::printf("%d timed runs of each program per case, taken in turn, after one warm-up each.\n", runs);
        std::printf("%-24s %12s %12s %8s %8s\n", "case (median ms)", "TOLVAN.EXE", "minimal", "ratio", "goal");
        for (const Row& row : rows)
            std::printf("%-24s %12.1f %12.1f %8.2f %5s%.2f %s\n", row.name.c_str(), row.launcher, row.minimal,
                        row.ratio, "<= ", row.goal, row.ratio <= row.goal ? "met" : "MISSED");
        // Growth: the cost of a MiB from none to 1 MiB, and of each further
        // MiB up to 8; linear growth makes the second no larger.
        for (const bool launcher : {true, false}) {
            if (only == "silent")
                break;
            const auto at = [&](std::size_t i) {
                const Row& row = rows[rows.size() - 3 + i];
                return launcher ? row.launcher : row.minimal;
            };
            const double first = at(1) - at(0);
            const double further = (at(2) - at(1)) / 7;
            std::printf("%-24s %8.1f ms for the first MiB, %8.1f ms for each further MiB (%.2f)\n",
                        launcher ? "growth, TOLVAN.EXE" : "growth, minimal", first, further, further / first);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot measure: %s\n", error.what());
        return 1;
    }
}
