// The launcher dialog as the user sees and answers it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ExpectedTexts.h"
#include "tests/Platform.h"
#include "tests/WinThread.h"
#include "tests/e2e/LauncherTest.h"

using e2e::RunResult;

namespace {

const char kTarget[] = "RUNTIME\\SETUP.EXE";

struct Control {
    std::string className;
    int id;
    std::string text;

    bool operator==(const Control& other) const
    {
        return className == other.className && id == other.id && text == other.text;
    }
};

std::ostream& operator<<(std::ostream& out, const Control& control)
{
    return out << control.className << " " << control.id << " \"" << control.text << "\"";
}

// The dialog's controls in their order, with the texts they show.
std::vector<Control> Controls(HWND dialog)
{
    std::vector<Control> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        controls.push_back(Control{className, GetDlgCtrlID(child), e2e::WindowText(child)});
    }
    return controls;
}

// Stands in for a help engine as Wine's help call talks to one: the call
// hands its request in WM_COPYDATA to the window of this class, and returns
// what the window answers. Only a request of that form is taken.
class FakeHelpEngine {
public:
    struct Request {
        HWND from;
        WORD command;
        DWORD context;
        std::string file;
    };

    explicit FakeHelpEngine(bool succeeds) : succeeds_(succeeds)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &FakeHelpEngine::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MS_WINHELP";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("MS_WINHELP", "", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeHelpEngine()
    {
        DestroyWindow(window_);
        UnregisterClassA("MS_WINHELP", GetModuleHandleA(nullptr));
    }

    // Whether this system's help call, made here, hands this window a
    // request it takes. How Windows' help call talks to its engine is not
    // documented, and Windows 10 and later have none; where it does not,
    // the cases can only see what the launcher does (kNoRequest).
    bool TakesThisSystemsRequests()
    {
        WinThread call([this] { WinHelpA(window_, "PROBE.HLP", HELP_CONTEXT, 1); });
        const bool taken = e2e::WaitUntil([this] { return !requests.empty(); });
        call.join();
        requests.clear();
        return taken;
    }

    static constexpr char kNoRequest[] =
        "this system's help call hands the stand-in help engine no request in the form Wine's WinHelpA uses "
        "(WM_COPYDATA to the window of class MS_WINHELP), and how Windows' talks to its engine is not documented: "
        "the launcher kept its dialog, and reported a failed call if any";

    std::vector<Request> requests;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* engine = reinterpret_cast<FakeHelpEngine*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != WM_COPYDATA || !engine)
            return DefWindowProcA(window, message, wParam, lParam);
        // The request: size, command, data, reserved, file name offset, data
        // offset, then the file name; anything else is no request.
        const auto* copied = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* data = static_cast<const unsigned char*>(copied->lpData);
        WORD size = 0;
        WORD fileOffset = 0;
        if (!data || copied->cbData < 16)
            return FALSE;
        std::memcpy(&size, data, sizeof size);
        std::memcpy(&fileOffset, data + 12, sizeof fileOffset);
        if (size != copied->cbData || fileOffset < 16 || fileOffset >= size ||
            !std::memchr(data + fileOffset, '\0', size - fileOffset))
            return FALSE;
        Request request = {reinterpret_cast<HWND>(wParam), 0, 0, reinterpret_cast<const char*>(data + fileOffset)};
        std::memcpy(&request.command, data + 2, sizeof request.command);
        std::memcpy(&request.context, data + 4, sizeof request.context);
        engine->requests.push_back(request);
        return engine->succeeds_ ? TRUE : FALSE;
    }

    bool succeeds_;
    HWND window_;
};

class DialogTest : public LauncherTest {
protected:
    void SetUp() override
    {
        dir.CopyLauncher("TOLVAN.EXE");
        dir.CopyMarker(kTarget);
    }

    void WriteIni(const std::string& initKeys, const std::string& target = kTarget)
    {
        dir.Write("TOLVAN.ini", "[Init]\r\nSilent=0\r\n" + initKeys + "DefaultPath=" + target + "\r\n");
    }

    // Runs the launcher and answers its dialog with answer; checks that
    // the dialog came up once.
    RunResult RunAnswering(const std::function<void(HWND)>& answer)
    {
        RunResult result = Run("TOLVAN.EXE", "", "", answer);
        EXPECT_EQ(1, result.dialogs) << e2e::Describe(result);
        return result;
    }

    void ExpectLaunchedAfterTheDialog(const RunResult& result)
    {
        EXPECT_TRUE(result.messageBoxes.empty()) << e2e::Describe(result);
        ASSERT_EQ(1u, result.launches.size()) << e2e::Describe(result);
        EXPECT_EQ(dir / kTarget, result.launches[0].program);
        EXPECT_EQ(0, result.launches[0].dialogsShowing) << "the dialog was still on the screen";
    }

    void ExpectNothingLaunched(const RunResult& result)
    {
        EXPECT_TRUE(result.messageBoxes.empty()) << e2e::Describe(result);
        EXPECT_TRUE(result.launches.empty()) << e2e::Describe(result);
    }

};

}  // namespace

// Unset texts leave blank lines, and the caption is then the program's name.
TEST_F(DialogTest, ShowsTheTextsOfTheIniFileAndTheFixedLabel)
{
    const struct {
        std::string initKeys, caption, title, copyright, targetName;
    } cases[] = {
        {"Caption=Run-time Setup\r\nTitle=Installation of the database run-time\r\n"
         "Copyright=Notice text for the second line\r\nDefaultName=Database run-time, full installation\r\n",
         "Run-time Setup", "Installation of the database run-time", "Notice text for the second line",
         "Database run-time, full installation"},
        {"Caption=\r\n", "TOLVAN", "", "", ""},
    };
    for (const auto& c : cases) {
        WriteIni(c.initKeys);
        std::string caption;
        std::vector<Control> controls;
        const RunResult result = RunAnswering([&](HWND dialog) {
            caption = e2e::WindowText(dialog);
            controls = Controls(dialog);
            e2e::Click(GetDlgItem(dialog, IDCANCEL));
        });
        EXPECT_EQ(c.caption, caption);
        const std::vector<Control> expected = {
            {"Button", IDOK, "OK"},
            {"Button", IDCANCEL, "Cancel"},
            {"Static", IDC_TITLE, c.title},
            {"Static", IDC_COPYRIGHT, c.copyright},
            {"Edit", IDC_INFO_TEXT, ""},
            {"Static", IDC_TARGET_NAME, c.targetName},
            {"Static", -1, "Setup.exe program for Access run-times."},
        };
        EXPECT_EQ(expected, controls);
        ExpectNothingLaunched(result);
    }
}

// OK, Enter (also in the panel, which takes no Enter of its own) and the OK
// command start the program once the dialog has gone; Cancel, Esc, the
// close box and the Cancel command start nothing. The exit code is the word
// parameter of the dialog's last message.
TEST_F(DialogTest, StartsTheProgramOnlyWhenConfirmed)
{
    WriteIni("");
    // As automation and accessibility tools do: sent, not posted, so the
    // dialog handles it while its loop waits for the next message.
    const auto sending = [](WPARAM command) {
        return [command](HWND dialog) {
            // Once the dialog has taken the messages of its showing and
            // waits with nothing in its queue.
            Sleep(500);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(dialog, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            EXPECT_TRUE(e2e::WaitUntil([dialog] { return !IsWindowVisible(dialog); })) << "the dialog stayed";
        };
    };
    const auto inThePanel = [](UINT key) {
        return [key](HWND dialog) {
            const HWND panel = GetDlgItem(dialog, IDC_INFO_TEXT);
            e2e::Click(panel);
            EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FocusOf(dialog) == panel; }));
            e2e::PressKey(panel, key);
        };
    };
    const struct {
        const char* name;
        std::function<void(HWND)> answer;
        bool starts;
        DWORD exitCode;
    } answers[] = {
        // The last message was the button's WM_LBUTTONUP.
        {"OK", [](HWND d) { e2e::Click(GetDlgItem(d, IDOK)); }, true, 0},
        {"Enter", [](HWND d) { e2e::PressKey(d, VK_RETURN); }, true, VK_RETURN},
        {"Enter in the panel", inThePanel(VK_RETURN), true, VK_RETURN},
        // The last message the loop took is the one that woke it, with 0.
        {"the OK command sent", sending(MAKEWPARAM(IDOK, BN_CLICKED)), true, 0},
        {"OK after being minimised and restored",
         [](HWND d) {
             PostMessageA(d, WM_SYSCOMMAND, SC_MINIMIZE, 0);
             EXPECT_TRUE(e2e::WaitUntil([&] { return IsIconic(d) != FALSE; }));
             RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
             PostMessageA(d, WM_SYSCOMMAND, SC_RESTORE, 0);
             EXPECT_TRUE(e2e::WaitUntil([&] { return IsIconic(d) == FALSE; }));
             e2e::Click(GetDlgItem(d, IDOK));
         },
         true, 0},
        {"Cancel", [](HWND d) { e2e::Click(GetDlgItem(d, IDCANCEL)); }, false, 0},
        {"Esc", [](HWND d) { e2e::PressKey(d, VK_ESCAPE); }, false, VK_ESCAPE},
        {"Esc in the panel", inThePanel(VK_ESCAPE), false, VK_ESCAPE},
        {"the Cancel command sent", sending(MAKEWPARAM(IDCANCEL, BN_CLICKED)), false, 0},
        // Closing posts the Cancel command, which is then the last message.
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, false, IDCANCEL},
        {"Alt+F4",
         [](HWND d) {
             PostMessageA(d, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
             PostMessageA(d, WM_SYSKEYUP, VK_F4, 0xE03E0001u);
         },
         false, IDCANCEL},
        {"Cancel command", [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }, false, IDCANCEL},
    };
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.name);
        const RunResult result = RunAnswering(answer.answer);
        if (answer.starts)
            ExpectLaunchedAfterTheDialog(result);
        else
            ExpectNothingLaunched(result);
        EXPECT_EQ(answer.exitCode, result.exitCode);
    }
}

TEST_F(DialogTest, FocusStartsOnOkAndTabMovesBetweenTheButtonsOnly)
{
    WriteIni("");
    std::vector<int> focused;
    RunAnswering([&](HWND dialog) {
        focused.push_back(GetDlgCtrlID(e2e::FocusOf(dialog)));
        for (int i = 0; i < 2; ++i) {
            const HWND before = e2e::FocusOf(dialog);
            e2e::PressKey(before, VK_TAB);
            e2e::WaitUntil([&] { return e2e::FocusOf(dialog) != before; });
            focused.push_back(GetDlgCtrlID(e2e::FocusOf(dialog)));
        }
        e2e::PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL, IDOK}), focused);
}

TEST_F(DialogTest, IsCentredInTheWorkArea)
{
    if (!WindowsArePainted())
        GTEST_SKIP() << kUnpaintedReason;
    WriteIni("");
    RECT window = {};
    RunAnswering([&](HWND dialog) {
        GetWindowRect(dialog, &window);
        e2e::PressKey(dialog, VK_ESCAPE);
    });
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    EXPECT_GT(width, 256);
    EXPECT_EQ((area.left + area.right) / 2 - width / 2, window.left);
    EXPECT_EQ((area.top + area.bottom) / 2 - height / 2, window.top);
}

TEST_F(DialogTest, AFailedStartIsReportedAfterTheDialog)
{
    WriteIni("", "NOSUCH\\SETUP.EXE");
    const RunResult result = RunAnswering([](HWND dialog) { e2e::PressKey(dialog, VK_RETURN); });
    ASSERT_EQ(1u, result.messageBoxes.size()) << e2e::Describe(result);
    ExpectMessageBox(result.messageBoxes[0], LaunchFailedText("NOSUCH\\SETUP.EXE"));
    EXPECT_TRUE(result.launches.empty());
    // The message box does not change the exit code of the dialog run.
    EXPECT_EQ(static_cast<DWORD>(VK_RETURN), result.exitCode);
}

// F1 asks the help engine for the dialog's topic in the help file beside
// the program; where the engine cannot open it, the launcher says so in a
// box of the dialog's own, and the dialog stays.
TEST_F(DialogTest, F1OpensTheHelpFileBesideTheProgramAtTheDialogsTopic)
{
    WriteIni("");
    bool understood = true;
    for (const bool opens : {true, false}) {
        SCOPED_TRACE(opens ? "the engine opens the file" : "the engine cannot open the file");
        FakeHelpEngine help(opens);
        understood = help.TakesThisSystemsRequests();
        HWND shownDialog = nullptr;
        e2e::ShownMessageBox shown;
        bool stillShown = false;
        const RunResult result = RunAnswering([&](HWND dialog) {
            shownDialog = dialog;
            e2e::PressKey(dialog, VK_F1);
            // Without a request taken, the launcher may report a failed call.
            if (!opens || !e2e::WaitUntil([&] { return !help.requests.empty(); }))
                shown = e2e::AnswerMessageBox(dialog);
            stillShown = IsWindowVisible(dialog) != FALSE;
            e2e::Click(GetDlgItem(dialog, IDOK));
        });
        EXPECT_TRUE(stillShown);
        ExpectLaunchedAfterTheDialog(result);
        if (understood) {
            ASSERT_EQ(1u, help.requests.size());
            EXPECT_EQ(shownDialog, help.requests[0].from);
            EXPECT_EQ(HELP_CONTEXT, help.requests[0].command);
            EXPECT_EQ(0x20066u, help.requests[0].context);
            EXPECT_EQ(dir / "TOLVAN.HLP", help.requests[0].file);
        }
        if (understood ? !opens : !shown.text.empty()) {
            EXPECT_EQ("Failed to launch help.", shown.text);
            EXPECT_EQ("TOLVAN", shown.caption);
            EXPECT_EQ(std::vector<std::string>{e2e::MessageBoxOkLabel()}, shown.buttons);
            if (WindowsArePainted()) {
                EXPECT_EQ(e2e::BoxIcon::Exclamation, shown.icon);
            }
            EXPECT_TRUE(shown.hasOwner) << "the box belongs to the active window, the dialog";
        }
    }
    if (!understood)
        GTEST_SKIP() << FakeHelpEngine::kNoRequest;
}
