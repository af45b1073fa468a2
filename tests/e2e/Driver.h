#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Drives the real TOLVAN.EXE as a user would: copies it where a case needs
// it, starts it, reads and answers its windows from outside, and collects
// what it started.
namespace e2e {

// A scratch directory for one case, removed with everything in it when the
// case ends. Names inside it are relative paths with backslashes; they are
// made and read with the ANSI calls, so that names with bytes above 127
// are the names the launcher sees.
class CaseDirectory {
public:
    CaseDirectory();
    // Uses the root of a drive (such as a ScratchDrive's) that must be empty.
    static CaseDirectory AtDriveRoot(const std::string& root);
    CaseDirectory(CaseDirectory&& other) noexcept;
    CaseDirectory(const CaseDirectory&) = delete;
    CaseDirectory& operator=(const CaseDirectory&) = delete;
    ~CaseDirectory();

    // The directory's path: ends in "\" only at a drive root.
    const std::string& Path() const { return path_; }
    // The path of something inside it.
    std::string operator/(const std::string& relative) const;

    void Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;
    void MakeDirectory(const std::string& relative) const;
    void CopyLauncher(const std::string& relative) const;
    void CopyMarker(const std::string& relative) const;

    // Every file below, with its contents, and every directory, with a
    // "\\" after its name and no contents.
    std::map<std::string, std::string> Snapshot() const;

private:
    explicit CaseDirectory(std::string path, bool ownsDirectory);
    std::string path_;
    bool ownsDirectory_ = true;
};

enum class BoxIcon { None, Exclamation, Stop, Other };

struct ShownMessageBox {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
    BoxIcon icon = BoxIcon::None;
    bool hasOwner = false;
};

// What the marker target recorded about one start.
struct Launch {
    std::string program;
    std::string currentDirectory;
    std::string commandLine;
    int dialogsShowing = 0;  // launcher dialogs on the screen as it started
    UINT errorMode = 0;      // the error mode it started with
    RECT workArea = {};      // the work area it saw
};

struct RunResult {
    DWORD startError = 0;  // why the launcher did not start, or 0
    bool exited = false;
    DWORD exitCode = 0;
    bool registryVirtualized = false;           // as its token said when it started
    std::vector<ShownMessageBox> messageBoxes;  // in the order they came up
    int dialogs = 0;                            // launcher dialogs seen
    std::vector<Launch> launches;
};

struct RunOptions {
    std::string program;           // the launcher copy to start
    std::string currentDirectory;  // its current directory
    std::string arguments;         // appended to its command line
    // Answers the launcher dialog when it comes up; without it the dialog
    // is cancelled with Esc.
    std::function<void(HWND dialog)> onDialog;
    // Windows takes TOLVAN.EXE for an installer (its version block says
    // "SETUP") and, where User Account Control is on, starts it only
    // elevated. The cases start it as the invoking user, as the
    // compatibility layer RunAsInvoker does, elevated when they are; only
    // the case about installer detection starts it without.
    bool runAsInvoker = true;
    // Starts it with the rights of a standard user: this program's own
    // rights without the Administrators group, at medium integrity.
    bool asStandardUser = false;
    // And with the registry virtualized, as Windows starts a standard
    // user's 32-bit program without a manifest that it takes for no
    // installer.
    bool withRegistryVirtualization = false;
};

// Starts the launcher, answers every message box with OK, waits for it
// and for whatever it started to end, and tells what happened.
RunResult Run(const RunOptions& options);

// Texts of another process's windows, read whole with WM_GETTEXT, or the
// case fails saying why.
std::string WindowText(HWND window);

// A control's text, read from outside.
std::string ItemText(HWND dialog, int id);

// Every step-th line of another process's multi-line edit control, and its
// last, each with where it starts in the text; and the text's length. For
// texts WindowText cannot read whole.
struct EditLine {
    std::size_t start;
    std::string text;
};
struct EditSample {
    std::size_t length = 0;
    std::vector<EditLine> lines;
};
EditSample SampleEdit(HWND edit, std::size_t step);

// Input as a user gives it, posted from outside: a click at the centre of
// a control, a key pressed and released.
void Click(HWND control);
void PressKey(HWND target, UINT virtualKey);

// The visible top-level windows of a process.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);

// The window that has the keyboard focus in the thread that owns window.
HWND FocusOf(HWND window);

// Waits until condition holds, up to a few seconds; false if it never did.
bool WaitUntil(const std::function<bool()>& condition);

// Waits for the next message box of the process that owns window, reads
// it and answers it with OK. An empty caption and text when none came.
ShownMessageBox AnswerMessageBox(HWND window);

// The label Windows gives the button of a message box that asks for MB_OK,
// in the language of this system.
std::string MessageBoxOkLabel();

// Describes a result, for failure messages.
std::string Describe(const RunResult& result);

// Starts file through the shell as the launcher does (ShellExecuteA, no
// directory), from this program, in currentDirectory, and tells what the
// markers it started recorded: how this system treats the launcher's own
// call, seen apart from the launcher.
std::vector<Launch> StartThroughTheShell(const std::string& file, const std::string& currentDirectory);

// This program's own token without the Administrators group, without its
// privileges and at medium integrity: what a standard user's program runs
// with; and virtualized, where asked.
HANDLE StandardUserToken(bool withRegistryVirtualization = false);

// Why StandardUserToken cannot give a virtualized token here, or an empty text.
std::string WhyNoRegistryVirtualization();

}  // namespace e2e
