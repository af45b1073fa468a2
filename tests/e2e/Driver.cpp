#include "tests/e2e/Driver.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include <tlhelp32.h>

#include "resources/resource.h"
#include "tests/Pixels.h"
#include "tests/Scratch.h"
#include "tests/ThisProgram.h"
#include "tests/WinFiles.h"
#include "tests/WineRoute.h"

namespace fs = std::filesystem;

namespace e2e {

namespace {

constexpr DWORD kLauncherTimeoutMs = 15000;
constexpr DWORD kTargetsTimeoutMs = 10000;
constexpr DWORD kPollMs = 10;
// A large text takes the other process a while to copy.
constexpr DWORD kTextTimeoutMs = 10000;

// The launcher the cases copy: the one built beside the driver, or the one
// TOLVAN_LAUNCHER names (such as a signed copy of it).
std::string LauncherToCopy()
{
    const DWORD size = GetEnvironmentVariableA("TOLVAN_LAUNCHER", nullptr, 0);
    if (size == 0)
        return BesideThisProgram("TOLVAN.EXE");
    std::string named(size, '\0');
    named.resize(GetEnvironmentVariableA("TOLVAN_LAUNCHER", &named[0], size));
    return named;
}

void Check(bool condition, const std::string& what)
{
    if (!condition)
        throw std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

// Makes the missing directories on the way to a full path.
void MakeParents(const std::string& path)
{
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

std::string ReadFileBytes(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes;
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void SnapshotInto(const std::string& directory, const std::string& relative,
                  std::map<std::string, std::string>& entries)
{
    const std::string pattern = directory.back() == '\\' ? directory + "*" : directory + "\\*";
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = directory.back() == '\\' ? directory + name : directory + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries[relative + name + "\\"] = "";
            SnapshotInto(path, relative + name + "\\", entries);
        } else {
            entries[relative + name] = ReadFileBytes(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// An icon drawn on a background of one colour.
std::string IconPixels(HICON icon, COLORREF background, int width, int height)
{
    return Pixels(width, height, [&](HDC memory, HDC) {
        const HBRUSH brush = CreateSolidBrush(background);
        const RECT all = {0, 0, width, height};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    });
}

// The icon a message box shows. On Windows an icon handle is valid in every
// process of the session, so the box's own handle tells it: the system's
// shared icon itself, or drawn at its own size beside the system's icon
// loaded at that size (a program unaware of the screen's scaling is given
// other sizes than this one). Under Wine a handle is only its own
// process's, and the icon is told by its pixels on the screen, once the box
// has painted it.
BoxIcon IconOf(HWND iconControl)
{
    DWORD_PTR shown = 0;
    SendMessageTimeoutA(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &shown);
    const auto icon = reinterpret_cast<HICON>(shown);
    if (!icon)
        return BoxIcon::None;
    const struct {
        BoxIcon which;
        LPCSTR name;
    } known[] = {{BoxIcon::Exclamation, IDI_EXCLAMATION}, {BoxIcon::Stop, IDI_HAND}};
    for (const auto& candidate : known)
        if (icon == LoadIconA(nullptr, candidate.name))
            return candidate.which;
    ICONINFO info = {};
    if (GetIconInfo(icon, &info)) {
        BITMAP bitmap = {};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        const int width = bitmap.bmWidth;
        // A monochrome icon's mask holds the image above the mask.
        const int height = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        const std::string pixels = IconPixels(icon, RGB(0, 128, 128), width, height);
        for (const auto& candidate : known) {
            // System icons load only shared (LR_SHARED), and are not destroyed.
            const auto system =
                static_cast<HICON>(LoadImageA(nullptr, candidate.name, IMAGE_ICON, width, height, LR_SHARED));
            if (system && pixels == IconPixels(system, RGB(0, 128, 128), width, height))
                return candidate.which;
        }
        return BoxIcon::Other;
    }
    if (!WindowsArePainted())
        return BoxIcon::Other;
    RECT area;
    GetWindowRect(iconControl, &area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    for (int attempt = 0; attempt < 50; ++attempt) {
        const std::string onScreen = Pixels(width, height, [&](HDC memory, HDC screen) {
            BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        });
        COLORREF corner;
        std::memcpy(&corner, onScreen.data(), sizeof corner);
        for (const auto& candidate : known)
            if (onScreen == IconPixels(LoadIconA(nullptr, candidate.name), corner, width, height))
                return candidate.which;
        Sleep(kPollMs * 2);
    }
    return BoxIcon::Other;
}

ShownMessageBox ReadMessageBox(HWND box)
{
    ShownMessageBox shown;
    shown.caption = WindowText(box);
    shown.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string className = ClassName(child);
        if (lstrcmpiA(className.c_str(), "Button") == 0) {
            shown.buttons.push_back(WindowText(child));
        } else if (lstrcmpiA(className.c_str(), "Static") == 0) {
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                shown.icon = IconOf(child);
            else
                shown.text += WindowText(child);
        }
    }
    return shown;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ProcessWindows*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->windows.push_back(window);
    return TRUE;
}

std::vector<Launch> CollectLaunches(const std::string& markerDirectory)
{
    std::vector<Launch> launches;
    for (const auto& entry : fs::directory_iterator(markerDirectory)) {
        std::istringstream record(ReadFileBytes(entry.path().string()));
        Launch launch;
        std::getline(record, launch.program);
        std::getline(record, launch.currentDirectory);
        std::getline(record, launch.commandLine);
        std::string dialogs;
        std::getline(record, dialogs);
        launch.dialogsShowing = dialogs.empty() ? -1 : std::stoi(dialogs);
        std::string errorMode;
        std::getline(record, errorMode);
        launch.errorMode = errorMode.empty() ? 0 : static_cast<UINT>(std::stoul(errorMode));
        record >> launch.workArea.left >> launch.workArea.top >> launch.workArea.right >> launch.workArea.bottom;
        launches.push_back(launch);
    }
    return launches;
}

ULONGLONG CreationTime(HANDLE process)
{
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// The launcher and everything it starts, followed until they end. A job
// object of our own holds them all, and a crash in it ends the program
// instead of waiting in an error dialog. Where the launcher cannot be put
// into it (Windows 7 has no nested jobs, and Run As, the Task Scheduler and
// some remote sessions start their programs in a job already), its
// descendants are followed instead: every process whose parent is followed
// and which started after that parent, as snapshots of the processes show
// them, each held open so that its id is not reused. A program that starts
// another and ends between two snapshots leaves that one unseen; the stand-in
// targets start nothing, and each records its start in the marker directory.
class StartedProcesses {
public:
    StartedProcesses() : job_(CreateJobObjectA(nullptr, nullptr))
    {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags =
            JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    StartedProcesses(const StartedProcesses&) = delete;
    StartedProcesses& operator=(const StartedProcesses&) = delete;
    ~StartedProcesses()
    {
        EndAll();
        CloseHandle(job_);
        for (const Followed& process : followed_)
            CloseHandle(process.handle);
    }

    // What lets a new process leave a job this program is in, where that
    // job allows it, so that it can join ours.
    static DWORD BreakawayFlag()
    {
        BOOL inJob = FALSE;
        JOBOBJECT_BASIC_LIMIT_INFORMATION outer = {};
        if (!IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) || !inJob ||
            !QueryInformationJobObject(nullptr, JobObjectBasicLimitInformation, &outer, sizeof outer, nullptr))
            return 0;
        return (outer.LimitFlags & JOB_OBJECT_LIMIT_BREAKAWAY_OK) ? CREATE_BREAKAWAY_FROM_JOB : 0;
    }

    // Takes the launcher, started suspended.
    void Follow(const PROCESS_INFORMATION& launcher)
    {
        if (AssignProcessToJobObject(job_, launcher.hProcess))
            return;
        inJob_ = false;
        HANDLE own = nullptr;
        DuplicateHandle(GetCurrentProcess(), launcher.hProcess, GetCurrentProcess(), &own, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        followed_.push_back({own, launcher.dwProcessId, CreationTime(own)});
    }

    // Looks for new descendants; call it often while they may start.
    void Discover()
    {
        if (inJob_)
            return;
        for (bool found = true; found;) {
            found = false;
            const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
            if (snapshot == INVALID_HANDLE_VALUE)
                return;
            PROCESSENTRY32 entry = {};
            entry.dwSize = sizeof entry;
            for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
                found = Consider(entry.th32ProcessID, entry.th32ParentProcessID) || found;
            CloseHandle(snapshot);
        }
    }

    DWORD Running()
    {
        if (inJob_) {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
            QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting, sizeof accounting,
                                      nullptr);
            return accounting.ActiveProcesses;
        }
        Discover();
        DWORD running = 0;
        for (const Followed& process : followed_)
            running += WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT ? 1 : 0;
        return running;
    }

    void EndAll()
    {
        TerminateJobObject(job_, 1);
        Discover();
        for (const Followed& process : followed_)
            TerminateProcess(process.handle, 1);
    }

private:
    struct Followed {
        HANDLE handle;
        DWORD id;
        ULONGLONG created;
    };

    bool Consider(DWORD id, DWORD parentId)
    {
        for (const Followed& process : followed_)
            if (process.id == id)
                return false;
        for (std::size_t i = 0; i < followed_.size(); ++i) {
            if (followed_[i].id != parentId)
                continue;
            const HANDLE child =
                OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
            if (!child)
                return false;
            const ULONGLONG created = CreationTime(child);
            // An older process that names a reused id as its parent is not its child.
            if (created < followed_[i].created) {
                CloseHandle(child);
                return false;
            }
            followed_.push_back({child, id, created});
            return true;
        }
        return false;
    }

    HANDLE job_;
    bool inJob_ = true;
    std::vector<Followed> followed_;
};

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD processId)
{
    ProcessWindows found{processId, {}};
    EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

CaseDirectory::CaseDirectory() : CaseDirectory(UniqueScratchPath("case"), true)
{
}

CaseDirectory::CaseDirectory(std::string path, bool ownsDirectory)
    : path_(std::move(path)), ownsDirectory_(ownsDirectory)
{
    if (ownsDirectory_)
        Check(CreateDirectoryA(path_.c_str(), nullptr) != FALSE, "cannot make " + path_);
}

CaseDirectory CaseDirectory::AtDriveRoot(const std::string& root)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((root + "*").c_str(), &found);
    // A root has no "." or "..": an empty one lists nothing at all.
    if (search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND)
        return CaseDirectory(root, false);
    Check(search != INVALID_HANDLE_VALUE, "cannot list " + root);
    do {
        const std::string name = found.cFileName;
        Check(name == "." || name == "..", root + " is not empty: " + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return CaseDirectory(root, false);
}

CaseDirectory::CaseDirectory(CaseDirectory&& other) noexcept
    : path_(std::move(other.path_)), ownsDirectory_(other.ownsDirectory_)
{
    other.path_.clear();
}

CaseDirectory::~CaseDirectory()
{
    if (path_.empty())
        return;
    std::error_code ignored;
    if (ownsDirectory_) {
        fs::remove_all(path_, ignored);
        return;
    }
    for (const auto& entry : fs::directory_iterator(path_, ignored))
        fs::remove_all(entry.path(), ignored);
}

std::string CaseDirectory::operator/(const std::string& relative) const
{
    if (!path_.empty() && path_.back() == '\\')
        return path_ + relative;
    return path_ + "\\" + relative;
}

void CaseDirectory::Write(const std::string& relative, const std::string& bytes) const
{
    const std::string path = *this / relative;
    MakeParents(path);
    Check(WriteBytes(path, bytes), "cannot write " + path);
}

std::string CaseDirectory::Read(const std::string& relative) const
{
    return ReadFileBytes(*this / relative);
}

void CaseDirectory::MakeDirectory(const std::string& relative) const
{
    const std::string path = *this / relative;
    MakeParents(path);
    CreateDirectoryA(path.c_str(), nullptr);
}

namespace {

// A copy of a program that the shell starts without asking. CopyFile copies
// the Zone.Identifier stream that a download gives a file, and the shell
// then shows a security warning before it starts the copy.
void CopyProgram(const std::string& from, const std::string& to)
{
    MakeParents(to);
    Check(CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE, "cannot copy " + from + " to " + to);
    DeleteFileA((to + ":Zone.Identifier").c_str());
}

}  // namespace

void CaseDirectory::CopyLauncher(const std::string& relative) const
{
    CopyProgram(LauncherToCopy(), *this / relative);
}

void CaseDirectory::CopyMarker(const std::string& relative) const
{
    CopyProgram(BesideThisProgram("marker.exe"), *this / relative);
}

std::map<std::string, std::string> CaseDirectory::Snapshot() const
{
    std::map<std::string, std::string> entries;
    SnapshotInto(path_, "", entries);
    return entries;
}

namespace {

// A message another process must answer, or the case fails saying which.
DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* name)
{
    DWORD_PTR answer = 0;
    // Not SMTO_ABORTIFHUNG: a program busy for seconds laying out a large
    // text counts as hung, and the answer would be lost.
    Check(SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kTextTimeoutMs, &answer) != 0,
          std::string("no answer to ") + name + " from window " +
              std::to_string(reinterpret_cast<std::uintptr_t>(window)));
    return answer;
}

// Wine 10 copies a text that another process asks for onto the stack of the
// thread that owns the window: half a mebibyte of ANSI text fits, a
// mebibyte overflows it and that program ends. Larger edit controls are
// sampled by their lines.
constexpr DWORD_PTR kWholeTextLimit = 256 * 1024;

struct EditSize {
    DWORD_PTR lines;
    DWORD_PTR length;
};

EditSize SizeOfEdit(HWND edit)
{
    const DWORD_PTR lines = Ask(edit, EM_GETLINECOUNT, 0, 0, "EM_GETLINECOUNT");
    const DWORD_PTR last = Ask(edit, EM_LINEINDEX, lines - 1, 0, "EM_LINEINDEX");
    return {lines, last + Ask(edit, EM_LINELENGTH, last, 0, "EM_LINELENGTH")};
}

bool IsMultiLineEdit(HWND window)
{
    return ClassName(window) == "Edit" && (GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE) != 0;
}

}  // namespace

std::string WindowText(HWND window)
{
    // A read that gets no answer, or less than the whole text, must not
    // look like an empty control.
    if (IsMultiLineEdit(window)) {
        const DWORD_PTR length = SizeOfEdit(window).length;
        Check(length <= kWholeTextLimit, "the edit control holds " + std::to_string(length) +
                                             " bytes, more than one read from another process can carry: "
                                             "sample its lines instead");
    }
    const DWORD began = GetTickCount();
    const DWORD_PTR length = Ask(window, WM_GETTEXTLENGTH, 0, 0, "WM_GETTEXTLENGTH");
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    const LRESULT answered = SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                                                 SMTO_NORMAL, kTextTimeoutMs, &copied);
    Check(answered != 0 && copied == length,
          "WM_GETTEXT copied " + std::to_string(copied) + " of " + std::to_string(length) + " bytes from window " +
              std::to_string(reinterpret_cast<std::uintptr_t>(window)) + (answered ? "" : ", no answer") + " after " +
              std::to_string(GetTickCount() - began) + " ms");
    text.resize(copied);
    return text;
}

EditSample SampleEdit(HWND edit, std::size_t step)
{
    Check(IsMultiLineEdit(edit), "not a multi-line edit control");
    const EditSize size = SizeOfEdit(edit);
    EditSample sample;
    sample.length = size.length;
    std::vector<DWORD_PTR> lines;
    for (DWORD_PTR line = 0; line < size.lines; line += std::max<std::size_t>(step, 1))
        lines.push_back(line);
    if (lines.back() != size.lines - 1)
        lines.push_back(size.lines - 1);
    for (const DWORD_PTR line : lines) {
        const DWORD_PTR start = Ask(edit, EM_LINEINDEX, line, 0, "EM_LINEINDEX");
        // The first word of the buffer gives its size. Wine 10 hands another
        // process only half a buffer's size of an ANSI line: twice the
        // line's length gets it whole.
        const DWORD_PTR length = Ask(edit, EM_LINELENGTH, start, 0, "EM_LINELENGTH");
        std::string text(std::min<DWORD_PTR>(2 * length + sizeof(WORD), 0xFFFF), '\0');
        const WORD capacity = static_cast<WORD>(text.size());
        std::memcpy(&text[0], &capacity, sizeof capacity);
        const DWORD_PTR copied = Ask(edit, EM_GETLINE, line, reinterpret_cast<LPARAM>(&text[0]), "EM_GETLINE");
        Check(copied == length, "EM_GETLINE copied " + std::to_string(copied) + " of line " + std::to_string(line) +
                                    "'s " + std::to_string(length) + " bytes");
        text.resize(copied);
        sample.lines.push_back({start, text});
    }
    return sample;
}

std::string ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

void Click(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageA(control, WM_LBUTTONUP, 0, centre);
}

void PressKey(HWND target, UINT virtualKey)
{
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | 0xC0000000u);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

namespace {

// Waits a little while taking this thread's messages, so that windows the
// tests create here answer what the launcher sends them.
void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT) == WAIT_OBJECT_0 &&
             GetTickCount() - start < milliseconds);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition)
{
    for (DWORD waited = 0; waited < 5000; waited += kPollMs) {
        if (condition())
            return true;
        PumpMessages(kPollMs);
    }
    return condition();
}

ShownMessageBox AnswerMessageBox(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HWND box = nullptr;
    WaitUntil([&] {
        for (HWND candidate : VisibleTopLevelWindows(processId)) {
            if (ClassName(candidate) == "#32770" && !GetDlgItem(candidate, IDC_INFO_TEXT))
                box = candidate;
        }
        return box != nullptr;
    });
    if (!box)
        return ShownMessageBox();
    ShownMessageBox shown = ReadMessageBox(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return shown;
}

namespace {

DWORD WINAPI ShowOkBox(LPVOID caption)
{
    MessageBoxA(nullptr, "", static_cast<const char*>(caption), MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

}  // namespace

// Windows labels the button in its own language ("Aceptar" in Spanish),
// and the launcher only asks for MB_OK: a box this program shows with the
// same flags tells the label once.
std::string MessageBoxOkLabel()
{
    static const std::string label = [] {
        static const std::string caption = "tolvan-ok-label-" + std::to_string(GetCurrentProcessId());
        const HANDLE thread = CreateThread(nullptr, 0, &ShowOkBox, const_cast<char*>(caption.c_str()), 0, nullptr);
        Check(thread != nullptr, "cannot show a message box");
        std::string text;
        const bool shown = WaitUntil([&] {
            const HWND box = FindWindowA("#32770", caption.c_str());
            const HWND button = box ? FindWindowExA(box, nullptr, "Button", nullptr) : nullptr;
            if (!button || !IsWindowVisible(box))
                return false;
            text = WindowText(button);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return true;
        });
        const bool closed = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
        CloseHandle(thread);
        Check(shown && closed, "the message box of this program did not come up and go");
        return text;
    }();
    return label;
}

namespace {

// Turns on a privilege this program holds; nothing happens when it holds none.
void EnablePrivilege(LPCSTR name)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

}  // namespace

namespace {

// Turns on the registry virtualization that Windows gives a standard user's
// 32-bit program without a manifest; false where this system refuses it.
bool TurnOnVirtualization(HANDLE token)
{
    DWORD allowed = 0;
    DWORD size = 0;
    const DWORD on = 1;
    if (!GetTokenInformation(token, TokenVirtualizationAllowed, &allowed, sizeof allowed, &size))
        return false;
    if (!allowed && !SetTokenInformation(token, TokenVirtualizationAllowed, const_cast<DWORD*>(&on), sizeof on))
        return false;
    return SetTokenInformation(token, TokenVirtualizationEnabled, const_cast<DWORD*>(&on), sizeof on) != FALSE;
}

bool RegistryVirtualized(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return false;
    DWORD enabled = 0;
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenVirtualizationEnabled, &enabled, sizeof enabled, &size))
        enabled = 0;
    CloseHandle(token);
    return enabled != 0;
}

}  // namespace

std::string WhyNoRegistryVirtualization()
{
    const HANDLE token = StandardUserToken();
    const bool on = TurnOnVirtualization(token);
    const DWORD error = GetLastError();
    CloseHandle(token);
    if (on)
        return std::string();
    const std::string code = std::to_string(error);
    return "registry virtualization cannot be turned on for a standard user's token (error " + code + ")";
}

// Windows lets a program start another with a restricted version of its
// own token.
HANDLE StandardUserToken(bool withRegistryVirtualization)
{
    HANDLE own = nullptr;
    Check(OpenProcessToken(GetCurrentProcess(),
                           TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY | TOKEN_QUERY | TOKEN_ADJUST_DEFAULT, &own) != FALSE,
          "cannot open this program's token");
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                             &administrators);
    SID_AND_ATTRIBUTES denied = {administrators, 0};
    HANDLE restricted = nullptr;
    const BOOL made =
        CreateRestrictedToken(own, DISABLE_MAX_PRIVILEGE | LUA_TOKEN, 1, &denied, 0, nullptr, 0, nullptr, &restricted);
    FreeSid(administrators);
    CloseHandle(own);
    Check(made != FALSE, "cannot make a standard user's token");

    SID_IDENTIFIER_AUTHORITY labels = SECURITY_MANDATORY_LABEL_AUTHORITY;
    PSID medium = nullptr;
    AllocateAndInitializeSid(&labels, 1, SECURITY_MANDATORY_MEDIUM_RID, 0, 0, 0, 0, 0, 0, 0, &medium);
    TOKEN_MANDATORY_LABEL integrity = {};
    integrity.Label.Sid = medium;
    integrity.Label.Attributes = SE_GROUP_INTEGRITY;
    const BOOL lowered = SetTokenInformation(restricted, TokenIntegrityLevel, &integrity,
                                             static_cast<DWORD>(sizeof integrity + GetLengthSid(medium)));
    FreeSid(medium);
    if (!lowered)
        CloseHandle(restricted);
    Check(lowered != FALSE, "cannot lower the integrity of a standard user's token");
    if (withRegistryVirtualization && !TurnOnVirtualization(restricted)) {
        const DWORD error = GetLastError();
        CloseHandle(restricted);
        SetLastError(error);
        Check(false, "cannot turn on registry virtualization for a standard user's token");
    }
    return restricted;
}

RunResult Run(const RunOptions& options)
{
    const std::string markerDirectory = UniqueScratchPath("markers");
    Check(CreateDirectoryA(markerDirectory.c_str(), nullptr) != FALSE, "cannot make " + markerDirectory);
    SetEnvironmentVariableA("TOLVAN_MARKER_DIR", markerDirectory.c_str());
    // Read by Windows when a program starts, and handed on to what it starts.
    SetEnvironmentVariableA("__COMPAT_LAYER", options.runAsInvoker ? "RunAsInvoker" : nullptr);

    StartedProcesses started;
    const DWORD creation = CREATE_SUSPENDED | StartedProcesses::BreakawayFlag();
    std::string commandLine = "\"" + options.program + "\"";
    if (!options.arguments.empty())
        commandLine += " " + options.arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    BOOL created = FALSE;
    if (options.asStandardUser) {
        EnablePrivilege(SE_INCREASE_QUOTA_NAME);
        const HANDLE token = StandardUserToken(options.withRegistryVirtualization);
        created = CreateProcessAsUserA(token, options.program.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                       creation, nullptr, options.currentDirectory.c_str(), &startup, &process);
        const DWORD error = GetLastError();
        CloseHandle(token);
        SetLastError(error);
    } else {
        created = CreateProcessA(options.program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, creation, nullptr,
                                 options.currentDirectory.c_str(), &startup, &process);
    }
    RunResult result;
    if (!created) {
        result.startError = GetLastError();
        RemoveDirectoryA(markerDirectory.c_str());
        return result;
    }
    result.registryVirtualized = RegistryVirtualized(process.hProcess);
    started.Follow(process);
    ResumeThread(process.hThread);

    std::vector<HWND> answered;
    DWORD startTime = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, kPollMs, QS_ALLINPUT) != WAIT_OBJECT_0) {
        PumpMessages(0);
        started.Discover();
        if (GetTickCount() - startTime > kLauncherTimeoutMs)
            break;
        for (HWND window : VisibleTopLevelWindows(process.dwProcessId)) {
            if (ClassName(window) != "#32770" ||
                std::find(answered.begin(), answered.end(), window) != answered.end())
                continue;
            answered.push_back(window);
            if (GetDlgItem(window, IDC_INFO_TEXT)) {
                ++result.dialogs;
                if (options.onDialog) {
                    try {
                        options.onDialog(window);
                    } catch (...) {
                        // A case that fails while the dialog is up leaves
                        // nothing behind for the next.
                        started.EndAll();
                        CloseHandle(process.hThread);
                        CloseHandle(process.hProcess);
                        std::error_code ignored;
                        fs::remove_all(markerDirectory, ignored);
                        throw;
                    }
                    // The time a case took reading the dialog is not the
                    // launcher's.
                    startTime = GetTickCount();
                } else
                    PressKey(window, VK_ESCAPE);
            } else {
                result.messageBoxes.push_back(ReadMessageBox(window));
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        }
    }
    result.exited = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    if (result.exited)
        GetExitCodeProcess(process.hProcess, &result.exitCode);

    const DWORD targetsStarted = GetTickCount();
    while (started.Running() > 0 && GetTickCount() - targetsStarted < kTargetsTimeoutMs)
        Sleep(kPollMs);
    started.EndAll();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    result.launches = CollectLaunches(markerDirectory);
    std::error_code ignored;
    fs::remove_all(markerDirectory, ignored);
    return result;
}

std::string Describe(const RunResult& result)
{
    std::ostringstream out;
    if (result.startError)
        out << "not started: error " << result.startError << " ";
    out << "exited=" << result.exited << " exitCode=" << result.exitCode << " dialogs=" << result.dialogs;
    for (const auto& box : result.messageBoxes)
        out << "\n  box [" << box.caption << "] \"" << box.text << "\" icon=" << static_cast<int>(box.icon)
            << " buttons=" << box.buttons.size() << " owner=" << box.hasOwner;
    for (const auto& launch : result.launches)
        out << "\n  launch " << launch.program << " in " << launch.currentDirectory << " as " << launch.commandLine;
    return out.str();
}

std::vector<Launch> StartThroughTheShell(const std::string& file, const std::string& currentDirectory)
{
    const std::string markerDirectory = UniqueScratchPath("markers");
    Check(CreateDirectoryA(markerDirectory.c_str(), nullptr) != FALSE, "cannot make " + markerDirectory);
    SetEnvironmentVariableA("TOLVAN_MARKER_DIR", markerDirectory.c_str());
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(currentDirectory.c_str());
    SHELLEXECUTEINFOA shell = {};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    shell.lpVerb = "open";
    shell.lpFile = file.c_str();
    shell.nShow = SW_SHOWNORMAL;
    const BOOL started = ShellExecuteExA(&shell);
    SetCurrentDirectoryA(saved);
    // The marker starts nothing: waiting for it is waiting for all. One that
    // never ends is ended, so that it outlives no case.
    if (started && shell.hProcess) {
        if (WaitForSingleObject(shell.hProcess, kTargetsTimeoutMs) == WAIT_TIMEOUT)
            TerminateProcess(shell.hProcess, 1);
        CloseHandle(shell.hProcess);
    } else if (started) {
        // The shell may hand the start on and give no process: its record tells.
        std::error_code ignored;
        WaitUntil([&] { return !fs::is_empty(markerDirectory, ignored); });
    }
    const std::vector<Launch> launches = CollectLaunches(markerDirectory);
    std::error_code ignored;
    fs::remove_all(markerDirectory, ignored);
    return launches;
}

}  // namespace e2e
