// The runner's reading of GoogleTest's XML reports, on a report as
// GoogleTest 1.12 writes it, and its summary line.
#include "kit/Results.h"

#include <gtest/gtest.h>

#include "tests/SkipReasons.h"

namespace {

const char kReport[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<testsuites tests=\"4\" failures=\"1\" disabled=\"1\" errors=\"0\" time=\"0\" name=\"AllTests\">\n"
    "  <testsuite name=\"Suite\" tests=\"2\" failures=\"1\" disabled=\"0\" skipped=\"0\" errors=\"0\" time=\"0\">\n"
    "    <testcase name=\"Passes\" file=\"t.cpp\" line=\"2\" status=\"run\" result=\"completed\" time=\"0\" "
    "classname=\"Suite\" />\n"
    "    <testcase name=\"Fails\" file=\"t.cpp\" line=\"3\" status=\"run\" result=\"completed\" time=\"0\" "
    "classname=\"Suite\">\n"
    "      <failure message=\"t.cpp:3&#x0A;Expected equality of these values:&#x0A;  &quot;c&lt;d&quot;&#x0A;"
    "note &amp; more\" type=\"\"><![CDATA[t.cpp:3\nExpected equality of these values:\n  \"c<d\"\nnote & more]]>"
    "</failure>\n"
    "    </testcase>\n"
    "  </testsuite>\n"
    "  <testsuite name=\"Other\" tests=\"2\" failures=\"0\" disabled=\"1\" skipped=\"1\" errors=\"0\" time=\"0\">\n"
    "    <testcase name=\"Skips\" file=\"t.cpp\" line=\"4\" status=\"run\" result=\"skipped\" time=\"0\" "
    "classname=\"Other\">\n"
    "      <skipped message=\"t.cpp:4&#x0A;Wine &quot;does&quot; &lt;not&gt; &amp; so\"><![CDATA[t.cpp:4\n"
    "Wine \"does\" <not> & so]]></skipped>\n"
    "    </testcase>\n"
    "    <testcase name=\"DISABLED_Off\" file=\"t.cpp\" line=\"5\" status=\"notrun\" result=\"suppressed\" "
    "time=\"0\" classname=\"Other\" />\n"
    "  </testsuite>\n"
    "</testsuites>\n";

}  // namespace

TEST(KitReport, ReadsEachCaseThatRanWithItsOutcomeAndReason)
{
    std::vector<CaseResult> cases;
    ASSERT_TRUE(ReadReport(kReport, cases));
    ASSERT_EQ(3u, cases.size());
    EXPECT_EQ("Suite.Passes", cases[0].name);
    EXPECT_EQ(Outcome::Passed, cases[0].outcome);
    EXPECT_EQ("Suite.Fails", cases[1].name);
    EXPECT_EQ(Outcome::Failed, cases[1].outcome);
    EXPECT_EQ("Expected equality of these values:   \"c<d\" note & more", cases[1].reason);
    EXPECT_EQ("Other.Skips", cases[2].name);
    EXPECT_EQ(Outcome::Skipped, cases[2].outcome);
    EXPECT_EQ("Wine \"does\" <not> & so", cases[2].reason);
}

TEST(KitReport, AReportCutShortOrMissingIsNoReport)
{
    const std::string whole = kReport;
    std::vector<CaseResult> cases;
    EXPECT_FALSE(ReadReport(whole.substr(0, whole.size() / 2), cases));
    EXPECT_FALSE(ReadReport("", cases));
}

TEST(KitReport, AProgramThatEndedWithoutAReportGetsOneFailedCase)
{
    std::vector<CaseResult> cases;
    ASSERT_TRUE(ReadReport(FailureReport("e2e_tests", "ended", "exit code 0xC0000005 & no <report>"), cases));
    ASSERT_EQ(1u, cases.size());
    EXPECT_EQ("e2e_tests.ended", cases[0].name);
    EXPECT_EQ(Outcome::Failed, cases[0].outcome);
    EXPECT_EQ("exit code 0xC0000005 & no <report>", cases[0].reason);
}

TEST(KitReport, TheSummarySaysHowManySkippedCasesNeedAdministratorRights)
{
    Tally tally;
    EXPECT_EQ("0 passed, 0 failed, 0 skipped", SummaryLine(tally));
    tally.Add({"A.Passes", Outcome::Passed, ""});
    tally.Add({"A.Fails", Outcome::Failed, "why"});
    tally.Add({"A.OnlyWindows", Outcome::Skipped, "Wine paints nothing in a minimised window"});
    EXPECT_EQ("1 passed, 1 failed, 1 skipped", SummaryLine(tally));
    tally.Add({"A.Keys", Outcome::Skipped, kNeedsAdministrator});
    EXPECT_EQ("1 passed, 1 failed, 2 skipped (1 of them needs administrator rights: start the command prompt as "
              "administrator)",
              SummaryLine(tally));
    tally.Add({"A.MoreKeys", Outcome::Skipped, kNeedsAdministrator});
    EXPECT_EQ("1 passed, 1 failed, 3 skipped (2 of them need administrator rights: start the command prompt as "
              "administrator)",
              SummaryLine(tally));
}
