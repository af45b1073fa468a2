#pragma once

// The common ground of the end-to-end cases: a scratch directory, a run of
// the launcher in it that must write nothing there, and the usual outcomes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/WineRoute.h"
#include "tests/e2e/Driver.h"

class LauncherTest : public ::testing::Test {
protected:
    // Runs the launcher copy at dir/exe from the current directory dir/cwd
    // (dir itself when cwd is empty), answering its dialog with answer
    // (Esc when there is none). Checks that it ended and left its
    // directory as it was.
    e2e::RunResult Run(const std::string& exe = "TOLVAN.EXE", const std::string& cwd = "",
                       const std::string& arguments = "",
                       const std::function<void(HWND)>& answer = nullptr)
    {
        e2e::RunOptions options;
        options.program = dir / exe;
        options.currentDirectory = cwd.empty() ? dir.Path() : dir / cwd;
        options.arguments = arguments;
        options.onDialog = answer;
        return RunChecked(dir, options);
    }

    static e2e::RunResult RunChecked(const e2e::CaseDirectory& directory, const e2e::RunOptions& options)
    {
        const auto before = directory.Snapshot();
        e2e::RunResult result = e2e::Run(options);
        EXPECT_TRUE(result.exited) << e2e::Describe(result);
        EXPECT_EQ(before, directory.Snapshot()) << "the launcher changed its directory";
        return result;
    }

    // The launcher's one message box, and nothing else: the text, the
    // application name as caption, OK alone (labelled as Windows labels
    // it), the exclamation icon, no owner; no dialog, no launch, exit code 0.
    static void ExpectOnlyMessage(const e2e::RunResult& result, const std::string& text,
                                  const std::string& appName = "TOLVAN")
    {
        ASSERT_EQ(1u, result.messageBoxes.size()) << e2e::Describe(result);
        ExpectMessageBox(result.messageBoxes[0], text, appName);
        EXPECT_EQ(0, result.dialogs);
        EXPECT_TRUE(result.launches.empty()) << e2e::Describe(result);
        EXPECT_EQ(0u, result.exitCode);
    }

    static void ExpectMessageBox(const e2e::ShownMessageBox& box, const std::string& text,
                                 const std::string& appName = "TOLVAN",
                                 e2e::BoxIcon icon = e2e::BoxIcon::Exclamation)
    {
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(appName, box.caption);
        EXPECT_EQ(std::vector<std::string>{e2e::MessageBoxOkLabel()}, box.buttons);
        // The icon is told by its pixels, which only a painted screen has.
        if (WindowsArePainted()) {
            EXPECT_EQ(icon, box.icon);
        }
        EXPECT_FALSE(box.hasOwner);
    }

    // One start of program, in directory, without the dialog and without a
    // message; exit code 0.
    static void ExpectOnlyLaunch(const e2e::RunResult& result, const std::string& program,
                                 const std::string& directory)
    {
        EXPECT_TRUE(result.messageBoxes.empty()) << e2e::Describe(result);
        EXPECT_EQ(0, result.dialogs);
        ASSERT_EQ(1u, result.launches.size()) << e2e::Describe(result);
        EXPECT_EQ(program, result.launches[0].program);
        EXPECT_EQ(directory, result.launches[0].currentDirectory);
        EXPECT_EQ(0u, result.exitCode);
    }

    e2e::CaseDirectory dir;
};
