// Choosing the target among the registry candidates of ApplicationKeys,
// seen through the order of profile reads and key probes.
#include "core/SettingsLoader.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ScriptedSettingsSource.h"

namespace {

using Calls = std::vector<std::string>;

const char kRuntimeKey[] = "Software\\Example\\Database\\9.0\\Runtime";
const char kAddOnKey[] = "Example.Database.9";

std::string Candidate(const std::string& key)
{
    return "ApplicationKeys/" + key + " @D:\\TOLVAN.ini";
}

std::string Init(const std::string& key)
{
    return "Init/" + key + " @D:\\TOLVAN.ini";
}

std::string Probe(const std::string& root, const std::string& keyPath)
{
    return "probe " + root + "\\" + keyPath;
}

Calls ProbedUnderEveryRoot(const std::string& keyPath)
{
    return {Probe("HKCR", keyPath), Probe("HKLM", keyPath), Probe("HKCU", keyPath)};
}

Calls operator+(Calls calls, const Calls& more)
{
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

class TargetSelectionTest : public ScriptedLoadTest {
protected:
    void Set(const std::string& key, const std::string& value) { source.values["ApplicationKeys/" + key] = value; }

    void WriteWorkedExample()
    {
        SetInit("Silent", "0");
        SetInit("Caption", "Run-time Setup");
        SetInit("Title", "Installation of the database run-time");
        SetInit("Copyright", "Notice text for the second line");
        SetInit("INFO", "LICENSE.TXT");
        SetInit("DefaultPath", "RUNTIME\\SETUP.EXE");
        SetInit("DefaultName", "Database run-time, full installation");
        Set("RKey1", kRuntimeKey);
        Set("Path1", "UPGRADE\\SETUP.EXE");
        Set("Name1", "Upgrade of the installed run-time");
        Set("RKey3", kAddOnKey);
        Set("Path3", "ADDON\\SETUP.EXE");
        Set("Name3", "Add-on for the installed database");
    }

    // The reads before the walk: the current directory and Init up to INFO.
    static Calls InitReads()
    {
        return {"cwd", "int " + Init("Silent"), Init("Caption"), Init("Title"), Init("Copyright"), Init("INFO")};
    }

    // What the loader asked after INFO.
    Calls WalkCalls() const
    {
        const std::size_t before = InitReads().size();
        return source.calls.size() < before ? Calls() : Calls(source.calls.begin() + before, source.calls.end());
    }

    void ExpectChosen(const std::string& path, const std::string& name)
    {
        EXPECT_EQ(path, Str(settings.targetPath));
        EXPECT_EQ(name, Str(settings.targetName));
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ("", settings.messageText);
    }

    // The candidate that won, and under which root, as the decision says.
    void ExpectCandidate(int number, RegistryRoot root)
    {
        EXPECT_EQ(LoadDecision::Outcome::Candidate, decision.outcome);
        EXPECT_EQ(number, decision.candidate);
        EXPECT_EQ(root, decision.root);
    }
};

}  // namespace

TEST_F(TargetSelectionTest, WorkedExampleWithTheRuntimeKeyUnderLocalMachine)
{
    WriteWorkedExample();
    source.keys = {"HKLM\\" + std::string(kRuntimeKey)};

    EXPECT_EQ(1, Load());

    const Calls expected = InitReads() + Calls{
        Candidate("RKey1"),
        Probe("HKCR", kRuntimeKey),
        Probe("HKLM", kRuntimeKey),
        Candidate("Path1"),
        Candidate("Name1"),
    };
    EXPECT_EQ(expected, source.calls);
    ExpectChosen("UPGRADE\\SETUP.EXE", "Upgrade of the installed run-time");
    ExpectCandidate(1, RegistryRoot::LocalMachine);
    EXPECT_EQ(0, settings.silent);
    EXPECT_EQ("Run-time Setup", settings.caption);
    EXPECT_EQ("LICENSE.TXT", settings.infoFile);
}

// RKey1 opens under no root: missing there, or present but refusing full
// access, which the platform answers alike.
TEST_F(TargetSelectionTest, WorkedExampleWithOnlyTheAddOnKeyUnderClassesRoot)
{
    WriteWorkedExample();
    source.keys = {"HKCR\\" + std::string(kAddOnKey)};

    EXPECT_EQ(1, Load());

    const Calls expected = InitReads() + Calls{Candidate("RKey1")} + ProbedUnderEveryRoot(kRuntimeKey) + Calls{
        Candidate("RKey2"),
        Candidate("RKey3"),
        Probe("HKCR", kAddOnKey),
        Candidate("Path3"),
        Candidate("Name3"),
    };
    EXPECT_EQ(expected, source.calls);
    ExpectChosen("ADDON\\SETUP.EXE", "Add-on for the installed database");
    ExpectCandidate(3, RegistryRoot::ClassesRoot);
}

TEST_F(TargetSelectionTest, WorkedExampleWithNeitherKeyTakesTheDefault)
{
    WriteWorkedExample();

    EXPECT_EQ(1, Load());

    const Calls expected = InitReads() + Calls{Candidate("RKey1")} + ProbedUnderEveryRoot(kRuntimeKey) +
                           Calls{Candidate("RKey2"), Candidate("RKey3")} + ProbedUnderEveryRoot(kAddOnKey) + Calls{
                               Candidate("RKey4"),
                               Candidate("RKey5"),
                               Candidate("RKey6"),
                               Candidate("RKey7"),
                               Candidate("RKey8"),
                               Candidate("RKey9"),
                               Init("DefaultPath"),
                               Init("DefaultName"),
                           };
    EXPECT_EQ(expected, source.calls);
    ExpectChosen("RUNTIME\\SETUP.EXE", "Database run-time, full installation");
}

TEST_F(TargetSelectionTest, WorkedExampleWithNeitherKeyNorDefaultFails)
{
    WriteWorkedExample();
    source.values.erase("Init/DefaultPath");

    EXPECT_EQ(0, Load());

    ASSERT_LE(2u, source.calls.size());
    EXPECT_EQ(Candidate("RKey9"), source.calls[source.calls.size() - 2]);
    ExpectNoSuitableKeys();
    EXPECT_EQ("", settings.targetPath);
    EXPECT_EQ("", settings.targetName);
}

TEST_F(TargetSelectionTest, TheProbeStopsAtTheFirstRootThatOpens)
{
    SetInit("Silent", "1");
    Set("RKey1", "Key");
    Set("Path1", "SETUP.EXE");
    struct Case {
        std::set<std::string> keys;
        Calls probes;
        RegistryRoot root;
    };
    const Case cases[] = {
        {{"HKCR\\Key", "HKLM\\Key", "HKCU\\Key"}, {Probe("HKCR", "Key")}, RegistryRoot::ClassesRoot},
        {{"HKLM\\Key", "HKCU\\Key"}, {Probe("HKCR", "Key"), Probe("HKLM", "Key")}, RegistryRoot::LocalMachine},
        {{"HKCU\\Key"}, ProbedUnderEveryRoot("Key"), RegistryRoot::CurrentUser},
    };
    for (const Case& c : cases) {
        source.calls.clear();
        source.keys = c.keys;
        settings = LaunchSettings();
        EXPECT_EQ(1, Load());
        const Calls expected = Calls{Candidate("RKey1")} + c.probes + Calls{Candidate("Path1"), Candidate("Name1")};
        EXPECT_EQ(expected, WalkCalls());
        EXPECT_EQ("SETUP.EXE", settings.targetPath);
        ExpectCandidate(1, c.root);
    }
}

TEST_F(TargetSelectionTest, APresentCandidateWithoutPathWinsWithAnEmptyTarget)
{
    SetInit("Silent", "1");
    SetInit("DefaultPath", "RUNTIME\\SETUP.EXE");
    SetInit("DefaultName", "Default");
    Set("RKey1", "First");
    Set("Name1", "Never read");
    Set("RKey2", "Second");
    Set("Path2", "SECOND.EXE");
    source.keys = {"HKCR\\First", "HKCR\\Second"};

    EXPECT_EQ(1, Load());

    // Its Name, the later candidates and the default are not looked at.
    EXPECT_EQ((Calls{Candidate("RKey1"), Probe("HKCR", "First"), Candidate("Path1")}), WalkCalls());
    ExpectChosen("", "");
}

TEST_F(TargetSelectionTest, APresentCandidateWithoutNameLeavesTheNameEmpty)
{
    SetInit("Silent", "1");
    SetInit("DefaultName", "Default");
    Set("RKey1", "Key");
    Set("Path1", "SETUP.EXE");
    source.keys = {"HKLM\\Key"};

    EXPECT_EQ(1, Load());
    ExpectChosen("SETUP.EXE", "");
}

TEST_F(TargetSelectionTest, GapsDoNotEndTheWalkAndOnlyRKeySelects)
{
    SetInit("Silent", "1");
    // Candidate 1 has everything but its key; 2 and 3 are missing.
    Set("Path1", "FIRST.EXE");
    Set("Name1", "First");
    Set("RKey4", "Fourth");
    Set("Path4", "FOURTH.EXE");
    Set("Name4", "Fourth program");
    Set("RKey6", "Sixth");
    Set("Path6", "SIXTH.EXE");
    source.keys = {"HKCR\\Fourth", "HKCR\\Sixth"};

    EXPECT_EQ(1, Load());

    // The lower number wins and the higher one is not even probed.
    const Calls expected = {
        Candidate("RKey1"), Candidate("RKey2"), Candidate("RKey3"), Candidate("RKey4"),
        Probe("HKCR", "Fourth"), Candidate("Path4"), Candidate("Name4"),
    };
    EXPECT_EQ(expected, WalkCalls());
    ExpectChosen("FOURTH.EXE", "Fourth program");
    ExpectCandidate(4, RegistryRoot::ClassesRoot);
}

TEST_F(TargetSelectionTest, CandidatesNumberedTenAndUpAreNeverRead)
{
    SetInit("Silent", "1");
    SetInit("DefaultPath", "SETUP.EXE");
    Set("RKey10", "Key");
    Set("Path10", "TENTH.EXE");
    Set("Name10", "Tenth");
    Set("RKey0", "Key");
    Set("Path0", "ZEROTH.EXE");
    source.keys = {"HKCR\\Key"};

    EXPECT_EQ(1, Load());

    const Calls expected = {
        Candidate("RKey1"), Candidate("RKey2"), Candidate("RKey3"), Candidate("RKey4"), Candidate("RKey5"),
        Candidate("RKey6"), Candidate("RKey7"), Candidate("RKey8"), Candidate("RKey9"),
        Init("DefaultPath"), Init("DefaultName"),
    };
    EXPECT_EQ(expected, WalkCalls());
    ExpectChosen("SETUP.EXE", "");
    EXPECT_EQ(LoadDecision::Outcome::DefaultProgram, decision.outcome);
}

TEST_F(TargetSelectionTest, KeyPathsAndTargetsArePassedOnAsRead)
{
    SetInit("Silent", "1");
    const std::string keyPath = "%s\\%d %n\\Caf\xE9";
    Set("RKey1", keyPath);
    Set("Path1", "%s\\SETUP.EXE");
    Set("Name1", "100% %d");
    source.keys = {"HKCU\\" + keyPath};

    EXPECT_EQ(1, Load());

    const Calls expected =
        Calls{Candidate("RKey1")} + ProbedUnderEveryRoot(keyPath) + Calls{Candidate("Path1"), Candidate("Name1")};
    EXPECT_EQ(expected, WalkCalls());
    ExpectChosen("%s\\SETUP.EXE", "100% %d");
}
