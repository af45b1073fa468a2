// The information panel of the dialog: the licence as the user reads it,
// the OK button that becomes "Accept", and files that cannot be read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ExpectedTexts.h"
#include "tests/WinFiles.h"
#include "tests/WinThread.h"
#include "tests/e2e/LargeLicence.h"
#include "tests/e2e/LauncherTest.h"

using e2e::RunResult;

namespace {

class InfoPanelTest : public LauncherTest {
protected:
    void SetUp() override
    {
        dir.CopyLauncher("TOLVAN.EXE");
        dir.CopyMarker("SETUP.EXE");
    }

    void WriteIni(const std::string& info)
    {
        dir.Write("TOLVAN.ini", "[Init]\r\nSilent=0\r\nINFO=" + info + "\r\nDefaultPath=SETUP.EXE\r\n");
    }

    struct Shown {
        std::string panel;
        std::string okLabel;
        RECT window;
        // Windows keeps a new dialog inside the work area of its monitor, so
        // an uncentred one lies at the work area's top left, beside a task
        // bar on the left or at the top.
        RECT workArea;
    };

    // What the dialog shows, read as it comes up; then confirmed with OK,
    // which must start the program.
    Shown ShowAndConfirm(const std::string& info)
    {
        WriteIni(info);
        Shown shown = {};
        const RunResult result = Run("TOLVAN.EXE", "", "", [&](HWND dialog) {
            shown.panel = e2e::ItemText(dialog, IDC_INFO_TEXT);
            shown.okLabel = e2e::ItemText(dialog, IDOK);
            GetWindowRect(dialog, &shown.window);
            MONITORINFO monitor = {};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
            shown.workArea = monitor.rcWork;
            e2e::Click(GetDlgItem(dialog, IDOK));
        });
        EXPECT_EQ(1, result.dialogs);
        EXPECT_EQ(1u, result.launches.size()) << e2e::Describe(result);
        lastResult = result;
        return shown;
    }

    RunResult lastResult;
};

}  // namespace

// The panel's rules are decided, and tested case by case, in the core; here
// one licence goes through the real file and edit control: "END USER" at
// its start, bytes above 127, and a zero byte that drops the rest of its
// 49-byte chunk.
TEST_F(InfoPanelTest, ShowsTheLicenceAsReadAndOffersAccept)
{
    const std::string first = "END USER AGREEMENT\r\nCaf\xE9 \xC4\xD6\xDC \xA9 2026\r\nABCDEFGHIJKL";
    const std::string second = std::string("0123456789") + '\0' + std::string(38, '-');
    const std::string rest = "1. Licence. You may install the run-time on any number of computers.\r\n";
    ASSERT_EQ(49u, first.size());
    ASSERT_EQ(49u, second.size());
    dir.Write("LICENSE.TXT", first + second + rest);
    const Shown shown = ShowAndConfirm("LICENSE.TXT");
    EXPECT_EQ(first + "0123456789" + rest, shown.panel);
    EXPECT_EQ("Accept", shown.okLabel);
}

// The file class's tests own the cause of each failed open; here the panel
// names the file as INFO wrote it, and the dialog goes on.
TEST_F(InfoPanelTest, AFileThatCannotBeOpenedIsNamedAsWrittenWithItsCause)
{
    dir.MakeDirectory("sub");
    const Shown shown = ShowAndConfirm("sub\\info.txt");
    EXPECT_EQ(InfoOpenFailedText("sub\\info.txt", 2), shown.panel);
    EXPECT_EQ("OK", shown.okLabel);
    EXPECT_TRUE(lastResult.messageBoxes.empty()) << e2e::Describe(lastResult);
}

TEST_F(InfoPanelTest, ShowsALicenceOfOneMebibyteWhole)
{
    std::string licence = "END USER LICENSE AGREEMENT\r\n";
    while (licence.size() < 1024 * 1024)
        licence += "Line " + std::to_string(licence.size()) + " of a long agreement, to be read whole.\r\n";
    licence.resize(1024 * 1024);
    dir.Write("LICENSE.TXT", licence);
    WriteIni("LICENSE.TXT");
    // No line is like another: each read in its place shows the text whole
    // up to there.
    e2e::EditSample sample;
    std::string okLabel;
    lastResult = Run("TOLVAN.EXE", "", "", [&](HWND dialog) {
        sample = e2e::SampleEdit(GetDlgItem(dialog, IDC_INFO_TEXT), 97);
        okLabel = e2e::ItemText(dialog, IDOK);
        e2e::Click(GetDlgItem(dialog, IDOK));
    });
    EXPECT_EQ(1u, lastResult.launches.size()) << e2e::Describe(lastResult);
    EXPECT_EQ(licence.size(), sample.length);
    EXPECT_GT(sample.lines.size(), 200u);
    for (const e2e::EditLine& line : sample.lines)
        ASSERT_EQ(licence.substr(line.start, line.text.size()), line.text) << "at " << line.start;
    EXPECT_EQ("Accept", okLabel);
}

TEST_F(InfoPanelTest, AReadThatFailsIsReportedAndTheDialogStillWorks)
{
    // A pipe whose other end goes away once the launcher has opened it:
    // the open succeeds and the first read fails (broken pipe, 109).
    ServerPipe pipe("tolvan-info");
    ASSERT_TRUE(pipe.Made());
    WinThread server([&pipe] {
        ConnectNamedPipe(pipe.Handle(), nullptr);
        pipe.Close();
    });
    const Shown shown = ShowAndConfirm(pipe.Name());
    // A launcher that never opened the pipe leaves the server waiting for
    // it; a connection of this program's own ends the wait.
    const HANDLE unblock = CreateFileA(pipe.Name().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (unblock != INVALID_HANDLE_VALUE)
        CloseHandle(unblock);
    server.join();

    ASSERT_EQ(1u, lastResult.messageBoxes.size()) << e2e::Describe(lastResult);
    ExpectMessageBox(lastResult.messageBoxes[0], "An unknown error occurred while accessing an unnamed file.",
                     "TOLVAN", e2e::BoxIcon::Stop);
    EXPECT_EQ("", shown.panel);
    EXPECT_EQ("OK", shown.okLabel);
    // The initialisation was cut short, so the dialog was not centred.
    EXPECT_EQ(shown.workArea.left, shown.window.left);
    EXPECT_EQ(shown.workArea.top, shown.window.top);
}

// The shipped launcher cannot hold a licence of 2.5 GB. It says so, and the
// dialog then goes on as after a failed read: the panel empty, OK instead of
// "Accept", not centred; OK still starts the program.
TEST_F(InfoPanelTest, ALicenceTooLargeToHoldIsReportedAndTheDialogGoesOnWithoutIt)
{
    const LargeLicence licence(dir / "TOLVAN.EXE");
    if (!licence.SkipReason().empty())
        GTEST_SKIP() << licence.SkipReason();
    const Shown shown = ShowAndConfirm(licence.Info());

    ASSERT_EQ(1u, lastResult.messageBoxes.size()) << e2e::Describe(lastResult);
    ExpectMessageBox(lastResult.messageBoxes[0], kOutOfMemoryText, "TOLVAN", e2e::BoxIcon::Stop);
    EXPECT_EQ("", shown.panel);
    EXPECT_EQ("OK", shown.okLabel);
    EXPECT_EQ(shown.workArea.left, shown.window.left);
    EXPECT_EQ(shown.workArea.top, shown.window.top);
}
