#include "core/LaunchFlow.h"

#include <gtest/gtest.h>

#include "tests/CountedText.h"

#include <string>
#include <vector>

namespace {

class RecordedSteps : public LaunchSteps {
public:
    int dialogResult = 1;
    bool starts = true;
    std::vector<std::string> calls;

    int RunDialog() override
    {
        calls.push_back("dialog");
        return dialogResult;
    }
    bool Open(const CString& targetPath) override
    {
        calls.push_back("open " + Str(targetPath));
        return starts;
    }
    void ShowMessage(const char* text) override { calls.push_back(std::string("message ") + text); }
};

LaunchSettings Settings(int silent, const std::string& targetPath)
{
    LaunchSettings settings;
    settings.silent = silent;
    settings.targetPath = Text(targetPath);
    return settings;
}

}  // namespace

TEST(LaunchAfterLoad, SilentLaunchesAtOnceWithoutTheDialog)
{
    for (int silent : {1, 7, -1}) {
        LaunchSettings settings = Settings(silent, "RUNTIME\\SETUP.EXE");
        RecordedSteps steps;
        LaunchAfterLoad(settings, steps);
        EXPECT_EQ(std::vector<std::string>{"open RUNTIME\\SETUP.EXE"}, steps.calls) << silent;
    }
}

TEST(LaunchAfterLoad, TheDialogLaunchesOnlyOnOk)
{
    const std::vector<std::pair<int, std::vector<std::string>>> cases = {
        {1, {"dialog", "open SETUP.EXE"}},
        {2, {"dialog"}},
        {-1, {"dialog"}},
    };
    for (const auto& [result, expected] : cases) {
        LaunchSettings settings = Settings(0, "SETUP.EXE");
        RecordedSteps steps;
        steps.dialogResult = result;
        LaunchAfterLoad(settings, steps);
        EXPECT_EQ(expected, steps.calls) << result;
        EXPECT_EQ("", settings.messageText);
    }
}

TEST(LaunchAfterLoad, AFailedStartIsReportedWithThePath)
{
    LaunchSettings settings = Settings(1, "D:\\NOSUCH.EXE");
    RecordedSteps steps;
    steps.starts = false;

    LaunchAfterLoad(settings, steps);

    const std::string message = "'D:\\NOSUCH.EXE'\n Program could not be executed";
    EXPECT_EQ((std::vector<std::string>{"open D:\\NOSUCH.EXE", "message " + message}), steps.calls);
    EXPECT_EQ(message, Str(settings.messageText));
}

TEST(LaunchAfterLoad, AnEmptyPathIsStillHandedToTheShell)
{
    LaunchSettings settings = Settings(0, "");
    RecordedSteps steps;
    steps.starts = false;

    LaunchAfterLoad(settings, steps);

    EXPECT_EQ((std::vector<std::string>{"dialog", "open ", "message ''\n Program could not be executed"}), steps.calls);
}
