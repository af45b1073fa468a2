// The launcher dialog and our dialog framework in this process, where
// what Wine cannot show another process can be asked directly.
#include "win32/LauncherDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/ExpectedTexts.h"
#include "tests/Pixels.h"
#include "tests/Scratch.h"
#include "tests/WinFiles.h"
#include "tests/WineRoute.h"
#include "win32/WinApp.h"

namespace {

// An application that takes the help command itself, to see what reaches it.
class HelpRecordingApp : public CWinApp {
public:
    std::vector<CommandSource> helpRequests;

protected:
    const AppMessageMap* GetMessageMap() const override { return &messageMap; }

private:
    static bool RecordHelp(CWinApp& app, const CommandSource& source)
    {
        static_cast<HelpRecordingApp&>(app).helpRequests.push_back(source);
        return true;
    }
    static const MessageMapEntry<AppHandler> entries[];
    static const AppMessageMap messageMap;
};

const MessageMapEntry<AppHandler> HelpRecordingApp::entries[] = {
    {MessageKey::Command(0, kHelpCommand), &HelpRecordingApp::RecordHelp},
};
const AppMessageMap HelpRecordingApp::messageMap = MakeMessageMap<AppHandler>(nullptr, HelpRecordingApp::entries);

// Runs a dialog modally and plays the steps one at a time from a timer,
// each once the messages the one before posted have been handled.
class Script {
public:
    using Step = std::function<void(HWND dialog)>;

    static INT_PTR Run(CDialog& dialog, std::vector<Step> steps)
    {
        current = &dialog;
        pending = std::move(steps);
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &Script::Tick);
        const INT_PTR result = dialog.DoModal();
        KillTimer(nullptr, timer);
        current = nullptr;
        return result;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        const HWND window = current ? current->Handle() : nullptr;
        if (!window || !IsWindowVisible(window) || pending.empty())
            return;
        const Step step = pending.front();
        pending.erase(pending.begin());
        step(window);
    }

    static CDialog* current;
    static std::vector<Step> pending;
};

CDialog* Script::current = nullptr;
std::vector<Script::Step> Script::pending;

// Makes the information panel of the dialogs created while it lives refuse
// any text, as an edit control does that has no room for it.
class RefusingPanel {
public:
    RefusingPanel() { hook_ = SetWindowsHookExA(WH_CBT, &RefusingPanel::Created, nullptr, GetCurrentThreadId()); }
    RefusingPanel(const RefusingPanel&) = delete;
    RefusingPanel& operator=(const RefusingPanel&) = delete;
    ~RefusingPanel() { UnhookWindowsHookEx(hook_); }

private:
    static LRESULT CALLBACK Created(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        if (code == HCBT_CREATEWND && create->lpcs->hMenu == reinterpret_cast<HMENU>(IDC_INFO_TEXT)) {
            const HWND panel = reinterpret_cast<HWND>(wParam);
            original = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingPanel::Procedure)));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETTEXT && lParam && *reinterpret_cast<const char*>(lParam))
            return FALSE;
        return CallWindowProcA(original, window, message, wParam, lParam);
    }

    static WNDPROC original;
    HHOOK hook_ = nullptr;
};

WNDPROC RefusingPanel::original = nullptr;

std::vector<std::pair<std::string, UINT>> reportedMessages;

void RecordMessage(const char* text, UINT type)
{
    reportedMessages.emplace_back(text, type);
}

void SetModifier(int virtualKey, bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[virtualKey] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void PostKey(HWND window, UINT virtualKey)
{
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001u);
}

// The pixels of a window's client area as the window paints it, printed
// into a bitmap; with icon drawn over them at (x, y) when one is given.
std::string PrintedClient(HWND window, int width, int height, HICON icon = nullptr, int x = 0, int y = 0)
{
    return Pixels(width, height, [&](HDC memory, HDC) {
        PrintWindow(window, memory, PW_CLIENTONLY);
        if (icon)
            DrawIcon(memory, x, y, icon);
    });
}

}  // namespace

TEST(LauncherDialog, UsesTheProgramIconForCaptionTaskBarAndDragging)
{
    LaunchSettings settings;
    CLauncherDlg dialog(settings);
    ASSERT_NE(nullptr, dialog.Icon());
    HICON big = nullptr, small = nullptr, dragged = nullptr;
    const INT_PTR result = Script::Run(dialog, {[&](HWND window) {
        big = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
        small = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
        dragged = reinterpret_cast<HICON>(SendMessageA(window, WM_QUERYDRAGICON, 0, 0));
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(dialog.Icon(), big);
    EXPECT_EQ(dialog.Icon(), small);
    EXPECT_EQ(dialog.Icon(), dragged);
    // And that icon is icon 128, as drawn at the size of the system's icons.
    const auto drawn = [](HICON icon) {
        const int width = GetSystemMetrics(SM_CXICON), height = GetSystemMetrics(SM_CYICON);
        return Pixels(width, height, [&](HDC memory, HDC) {
            DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        });
    };
    const auto icon128 = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(nullptr, icon128);
    EXPECT_TRUE(drawn(icon128) == drawn(dialog.Icon())) << "the dialog's icon is not icon 128";
    DestroyIcon(icon128);
}

TEST(LauncherDialog, F1AsksForHelpOnlyWithoutShiftCtrlOrAlt)
{
    HelpRecordingApp app;
    LaunchSettings settings;
    CLauncherDlg dialog(settings);
    std::vector<std::size_t> requestsAfter;
    const auto pressF1With = [&](int modifier) {
        return [&, modifier](HWND window) {
            requestsAfter.push_back(app.helpRequests.size());
            if (modifier)
                SetModifier(modifier, true);
            PostKey(window, VK_F1);
        };
    };
    const auto release = [&](int modifier) {
        return [&, modifier](HWND) { SetModifier(modifier, false); };
    };
    HWND shown = nullptr;
    Script::Run(dialog, {
        pressF1With(VK_SHIFT), release(VK_SHIFT),
        pressF1With(VK_CONTROL), release(VK_CONTROL),
        pressF1With(VK_MENU), release(VK_MENU),
        pressF1With(0),
        [&](HWND window) {
            requestsAfter.push_back(app.helpRequests.size());
            shown = window;
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        },
    });
    EXPECT_EQ((std::vector<std::size_t>{0, 0, 0, 0, 1}), requestsAfter);
    ASSERT_EQ(1u, app.helpRequests.size());
    EXPECT_EQ(shown, app.helpRequests[0].window);
    EXPECT_EQ(0x20066u, app.helpRequests[0].helpContext);
}

// An agreement the panel has no room for is never accepted unseen: the
// user is told, and the dialog goes on as after a failed read, with an
// empty panel and OK, and is not centred.
TEST(LauncherDialog, APanelWithoutRoomForTheTextIsReportedAndLeftEmpty)
{
    const std::string info = UniqueScratchPath("refused.txt");
    ASSERT_TRUE(WriteBytes(info, "END USER AGREEMENT"));

    LaunchSettings settings;
    EXPECT_TRUE(settings.infoFile.Assign(info.c_str()));
    CLauncherDlg dialog(settings);
    reportedMessages.clear();
    SetMessageSink(&RecordMessage);
    std::string panel = "unread", okLabel;
    RECT placed = {-1, -1, -1, -1};
    {
        const RefusingPanel refusing;
        Script::Run(dialog, {[&](HWND window) {
                        char text[64] = {};
                        GetDlgItemTextA(window, IDC_INFO_TEXT, text, sizeof text);
                        panel = text;
                        GetDlgItemTextA(window, IDOK, text, sizeof text);
                        okLabel = text;
                        GetWindowRect(window, &placed);
                        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                    }});
    }
    SetMessageSink(nullptr);
    DeleteFileA(info.c_str());

    EXPECT_EQ((std::vector<std::pair<std::string, UINT>>{{kOutOfMemoryText, MB_ICONSTOP}}), reportedMessages);
    EXPECT_EQ("", panel);
    EXPECT_EQ("OK", okLabel);
    EXPECT_EQ(0, placed.left);
    EXPECT_EQ(0, placed.top);
}

namespace {

// The work area of the session, as the task bar sets it, replaced for a
// while and then put back.
class WorkArea {
public:
    explicit WorkArea(RECT area)
    {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved_, 0);
        set_ = SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, SPIF_SENDCHANGE) != FALSE;
    }
    WorkArea(const WorkArea&) = delete;
    WorkArea& operator=(const WorkArea&) = delete;
    ~WorkArea() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved_, SPIF_SENDCHANGE); }

    bool Set() const { return set_; }

private:
    RECT saved_ = {};
    bool set_ = false;
};

}  // namespace

TEST(LauncherDialog, ADialogLargerThanTheWorkAreaLiesOnItsLeftAndTopEdges)
{
    if (!WindowsArePainted())
        GTEST_SKIP() << kUnpaintedReason;
    RECT screen;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const RECT small = {screen.left + 40, screen.top + 30, screen.left + 240, screen.top + 130};
    LaunchSettings settings;
    CLauncherDlg dialog(settings);
    RECT window = {};
    {
        const WorkArea area(small);
        ASSERT_TRUE(area.Set());
        Script::Run(dialog, {[&](HWND shown) {
                        GetWindowRect(shown, &window);
                        PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
                    }});
    }
    EXPECT_GT(window.right - window.left, small.right - small.left);
    EXPECT_GT(window.bottom - window.top, small.bottom - small.top);
    EXPECT_EQ(small.left, window.left);
    EXPECT_EQ(small.top, window.top);
}

// A dialog that is not made, or is ended by a quit request, is not OK; the
// request stays queued for whoever runs the next loop.
TEST(DialogFramework, GivesMinusOneWithoutATemplateOrOnAQuitRequestItLeavesQueued)
{
    CDialog missing(999, nullptr);
    EXPECT_EQ(-1, missing.DoModal());

    LaunchSettings settings;
    CLauncherDlg dialog(settings);
    EXPECT_EQ(-1, Script::Run(dialog, {[](HWND) { PostQuitMessage(7); }}));
    EXPECT_EQ(nullptr, dialog.Handle());
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, quit.wParam);
}

// The paint handler of the minimised dialog draws, and where a minimised
// window has a client area, it draws the program's icon in its middle:
// drawing the icon there once more changes nothing.
TEST(LauncherDialog, TheMinimisedDialogShowsIcon128InItsMiddle)
{
    LaunchSettings settings;
    CLauncherDlg dialog(settings);
    bool minimised = false;
    RECT client = {};
    std::string shown;
    std::string redrawn;
    const auto minimise = [](HWND window) { ShowWindow(window, SW_MINIMIZE); };
    const auto print = [&](HWND window) {
        minimised = IsIconic(window) != FALSE;
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        GetClientRect(window, &client);
        if (minimised && client.right > 0 && client.bottom > 0) {
            const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
            const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
            shown = PrintedClient(window, client.right, client.bottom);
            redrawn = PrintedClient(window, client.right, client.bottom, dialog.Icon(), x, y);
        }
        ShowWindow(window, SW_RESTORE);
    };
    const auto cancel = [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); };
    Script::Run(dialog, {minimise, print, cancel});
    ASSERT_TRUE(minimised);
    if (client.right <= 0 || client.bottom <= 0)
        GTEST_SKIP() << "this system gives the minimised dialog no client area (" << client.right << " by "
                     << client.bottom << " pixels), so there is nowhere to see the icon its paint handler draws";
    EXPECT_TRUE(shown == redrawn) << "the minimised dialog of " << client.right << " by " << client.bottom
                                  << " pixels does not show icon 128 in its middle";
}
