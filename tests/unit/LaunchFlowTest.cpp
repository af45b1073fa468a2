#include "core/LaunchFlow.h"

#include <gtest/gtest.h>

#include "tests/CountedText.h"
#include "tests/ExpectedTexts.h"

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

}  // namespace

// Silent other than 0 starts the program at once; 0 shows the dialog first
// and starts it only on OK (1). A failed start, even of an empty path, is
// reported with the path.
TEST(LaunchAfterLoad, StartsAtOnceOrAfterOkAndReportsAFailedStart)
{
    const std::string failed = "message " + LaunchFailedText("D:\\NOSUCH.EXE");
    const struct {
        int silent;
        int dialogResult;
        std::string targetPath;
        bool starts;
        std::vector<std::string> calls;
    } cases[] = {
        {1, 1, "RUNTIME\\SETUP.EXE", true, {"open RUNTIME\\SETUP.EXE"}},
        {7, 2, "SETUP.EXE", true, {"open SETUP.EXE"}},
        {-1, 1, "SETUP.EXE", true, {"open SETUP.EXE"}},
        {0, 1, "SETUP.EXE", true, {"dialog", "open SETUP.EXE"}},
        {0, 2, "SETUP.EXE", true, {"dialog"}},
        {0, -1, "SETUP.EXE", true, {"dialog"}},
        {1, 1, "D:\\NOSUCH.EXE", false, {"open D:\\NOSUCH.EXE", failed}},
        {0, 1, "", false, {"dialog", "open ", "message " + LaunchFailedText("")}},
    };
    for (const auto& c : cases) {
        LaunchSettings settings;
        settings.silent = c.silent;
        settings.targetPath = Text(c.targetPath);
        RecordedSteps steps;
        steps.dialogResult = c.dialogResult;
        steps.starts = c.starts;
        LaunchAfterLoad(settings, steps);
        EXPECT_EQ(c.calls, steps.calls) << c.silent << ", " << c.dialogResult << ", " << c.targetPath;
        EXPECT_EQ(c.starts ? "" : c.calls.back().substr(8), Str(settings.messageText)) << c.targetPath;
    }
}
