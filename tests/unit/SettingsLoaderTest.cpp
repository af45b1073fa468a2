// Loading the settings: the INI path, the reads of [Init], and the choice of
// the target among the registry candidates of [ApplicationKeys], seen
// through the order of profile reads and key probes.
#include "core/SettingsLoader.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ScriptedSettingsSource.h"
#include "tests/ExpectedTexts.h"

namespace {

using Calls = std::vector<std::string>;

const char kIni[] = " @D:\\TOLVAN.ini";
const char kRuntimeKey[] = "Software\\Example\\Database\\9.0\\Runtime";
const char kAddOnKey[] = "Example.Database.9";

std::string Init(const std::string& key)
{
    return "Init/" + key + kIni;
}

std::string Candidate(const std::string& key)
{
    return "ApplicationKeys/" + key + kIni;
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

// Loads the settings from a scripted source as the launcher does.
class LoadSettingsTest : public ::testing::Test {
protected:
    // 1 when a target is chosen; 0 once the message that ends the run is
    // kept as the launcher would show it.
    int Load()
    {
        decision = LoadSettingsFrom(source, "TOLVAN", settings);
        if (!decision.TargetChosen())
            messages.push_back(Str(settings.messageText));
        return decision.TargetChosen() ? 1 : 0;
    }

    // Loads again from a new script.
    void Reset()
    {
        source = ScriptedSettingsSource();
        settings = LaunchSettings();
        messages.clear();
    }

    void SetInit(const std::string& key, const std::string& value) { source.values["Init/" + key] = value; }
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

    // What the loader asked after the current directory and Init up to INFO.
    Calls WalkCalls() const
    {
        const std::size_t before = 6;
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

    // The run ends once DefaultPath was read and found unset, with the
    // message that says so.
    void ExpectNoSuitableKeys()
    {
        EXPECT_EQ(LoadDecision::Outcome::NoSuitableKeys, decision.outcome);
        EXPECT_EQ(std::vector<std::string>{kNoSuitableKeysText}, messages);
        EXPECT_EQ(kNoSuitableKeysText, Str(settings.messageText));
        ASSERT_FALSE(source.calls.empty());
        EXPECT_EQ("Init/DefaultPath @" + Str(settings.iniPath), source.calls.back());
    }

    ScriptedSettingsSource source;
    LaunchSettings settings;
    LoadDecision decision;
    std::vector<std::string> messages;
};

}  // namespace

// The whole order of reads: every key of both sections once, the default
// program last.
TEST_F(LoadSettingsTest, WorkedExampleWithNeitherKeyTakesTheDefault)
{
    WriteWorkedExample();

    EXPECT_EQ(1, Load());

    const Calls expected =
        Calls{"cwd", "int " + Init("Silent"), Init("Caption"), Init("Title"), Init("Copyright"), Init("INFO"),
              Candidate("RKey1")} +
        ProbedUnderEveryRoot(kRuntimeKey) + Calls{Candidate("RKey2"), Candidate("RKey3")} +
        ProbedUnderEveryRoot(kAddOnKey) +
        Calls{Candidate("RKey4"), Candidate("RKey5"), Candidate("RKey6"), Candidate("RKey7"), Candidate("RKey8"),
              Candidate("RKey9"), Init("DefaultPath"), Init("DefaultName")};
    EXPECT_EQ(expected, source.calls);
    EXPECT_EQ("D:\\TOLVAN.ini", settings.iniPath);
    EXPECT_EQ(0, settings.silent);
    EXPECT_EQ("Run-time Setup", settings.caption);
    EXPECT_EQ("Installation of the database run-time", settings.title);
    EXPECT_EQ("Notice text for the second line", settings.copyright);
    EXPECT_EQ("LICENSE.TXT", settings.infoFile);
    ExpectChosen("RUNTIME\\SETUP.EXE", "Database run-time, full installation");
    EXPECT_EQ(LoadDecision::Outcome::DefaultProgram, decision.outcome);
}

TEST_F(LoadSettingsTest, WorkedExampleWithTheRuntimeKeyUnderLocalMachine)
{
    WriteWorkedExample();
    source.keys = {"HKLM\\" + std::string(kRuntimeKey)};

    EXPECT_EQ(1, Load());

    const Calls expected = {
        Candidate("RKey1"), Probe("HKCR", kRuntimeKey), Probe("HKLM", kRuntimeKey), Candidate("Path1"),
        Candidate("Name1"),
    };
    EXPECT_EQ(expected, WalkCalls());
    ExpectChosen("UPGRADE\\SETUP.EXE", "Upgrade of the installed run-time");
    ExpectCandidate(1, RegistryRoot::LocalMachine);
    EXPECT_EQ(0, settings.silent);
    EXPECT_EQ("Run-time Setup", settings.caption);
    EXPECT_EQ("LICENSE.TXT", settings.infoFile);
}

// RKey1 opens under no root: missing there, or present but refusing full
// access, which the platform answers alike.
TEST_F(LoadSettingsTest, WorkedExampleWithOnlyTheAddOnKeyUnderClassesRoot)
{
    WriteWorkedExample();
    source.keys = {"HKCR\\" + std::string(kAddOnKey)};

    EXPECT_EQ(1, Load());

    const Calls expected = Calls{Candidate("RKey1")} + ProbedUnderEveryRoot(kRuntimeKey) +
                           Calls{Candidate("RKey2"), Candidate("RKey3"), Probe("HKCR", kAddOnKey),
                                 Candidate("Path3"), Candidate("Name3")};
    EXPECT_EQ(expected, WalkCalls());
    ExpectChosen("ADDON\\SETUP.EXE", "Add-on for the installed database");
    ExpectCandidate(3, RegistryRoot::ClassesRoot);
}

TEST_F(LoadSettingsTest, WorkedExampleWithNeitherKeyNorDefaultFails)
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

TEST_F(LoadSettingsTest, MissingSilentReportsTheFileAndReadsNothingElse)
{
    SetInit("Caption", "Run-time Setup");
    SetInit("DefaultPath", "RUNTIME\\SETUP.EXE");
    source.currentDirectory = "E:\\Install\\Disk1";

    EXPECT_EQ(0, Load());

    const Calls expected = {"cwd", "int Init/Silent @E:\\Install\\Disk1\\TOLVAN.ini"};
    EXPECT_EQ(expected, source.calls);
    EXPECT_EQ(LoadDecision::Outcome::IniNotFound, decision.outcome);
    const std::string message = IniNotFoundText("E:\\Install\\Disk1\\TOLVAN.ini");
    EXPECT_EQ(std::vector<std::string>{message}, messages);
    EXPECT_EQ(message, Str(settings.messageText));
    EXPECT_EQ(99, settings.silent);
    EXPECT_EQ("", settings.caption);
    EXPECT_EQ("", settings.targetPath);
}

// 99, what a missing key reads as, is taken as a missing file; every other
// value is kept as read.
TEST_F(LoadSettingsTest, KeepsSilentAsReadAndTakes99AsAMissingFile)
{
    for (const char* value : {"0", "1", "7", "-1", "100", "99"}) {
        Reset();
        SetInit("Silent", value);
        SetInit("DefaultPath", "SETUP.EXE");
        const bool missing = std::string(value) == "99";
        EXPECT_EQ(missing ? 0 : 1, Load()) << value;
        EXPECT_EQ(std::stoi(value), settings.silent) << value;
        EXPECT_EQ(missing ? Calls{IniNotFoundText("D:\\TOLVAN.ini")} : Calls(), messages) << value;
    }
}

TEST_F(LoadSettingsTest, CaptionFallsBackToTheApplicationName)
{
    SetInit("Silent", "0");
    SetInit("Caption", "");
    SetInit("DefaultPath", "SETUP.EXE");

    EXPECT_EQ(1, Load());
    EXPECT_EQ("TOLVAN", settings.caption);
    EXPECT_EQ("", settings.title);
    EXPECT_EQ("", settings.copyright);
    EXPECT_EQ("", settings.infoFile);
    EXPECT_EQ("", settings.targetName);
}

TEST_F(LoadSettingsTest, WithoutDefaultPathReportsNoSuitableKeys)
{
    SetInit("Silent", "0");
    SetInit("Title", "A title");
    SetInit("DefaultName", "Never read");

    EXPECT_EQ(0, Load());
    ExpectNoSuitableKeys();
    EXPECT_EQ("A title", settings.title);
    EXPECT_EQ("TOLVAN", settings.caption);
    EXPECT_EQ("", settings.targetName);
}

TEST_F(LoadSettingsTest, DefaultPathInTheWrongSectionIsNotFound)
{
    SetInit("Silent", "1");
    Set("DefaultPath", "SETUP.EXE");
    Set("DefaultName", "Setup");

    EXPECT_EQ(0, Load());
    ExpectNoSuitableKeys();
}

TEST_F(LoadSettingsTest, AValueThatCannotBeHeldEndsTheRunAtThatRead)
{
    // Candidate 2 is present for the reads up to its name; the default
    // program is read only where no candidate is.
    const std::vector<std::pair<std::string, bool>> cases = {
        {"Init/Caption", true},          {"Init/INFO", true},             {"ApplicationKeys/RKey1", true},
        {"ApplicationKeys/Path2", true}, {"ApplicationKeys/Name2", true}, {"Init/DefaultPath", false},
        {"Init/DefaultName", false},
    };
    for (const auto& [unheld, candidatePresent] : cases) {
        Reset();
        SetInit("Silent", "0");
        SetInit("DefaultPath", "SETUP.EXE");
        SetInit("DefaultName", "Setup");
        Set("RKey2", "K");
        Set("Path2", "K.EXE");
        Set("Name2", "K");
        if (candidatePresent)
            source.keys = {"HKCU\\K"};
        source.unheld = {unheld};

        EXPECT_EQ(0, Load()) << unheld;
        EXPECT_EQ(LoadDecision::Outcome::OutOfMemory, decision.outcome) << unheld;
        EXPECT_EQ(unheld + kIni, source.calls.back());
    }
}

TEST_F(LoadSettingsTest, TheProbeStopsAtTheFirstRootThatOpens)
{
    SetInit("Silent", "1");
    Set("RKey1", "Key");
    Set("Path1", "SETUP.EXE");
    const struct {
        std::set<std::string> keys;
        Calls probes;
        RegistryRoot root;
    } cases[] = {
        {{"HKCR\\Key", "HKLM\\Key", "HKCU\\Key"}, {Probe("HKCR", "Key")}, RegistryRoot::ClassesRoot},
        {{"HKLM\\Key", "HKCU\\Key"}, {Probe("HKCR", "Key"), Probe("HKLM", "Key")}, RegistryRoot::LocalMachine},
        {{"HKCU\\Key"}, ProbedUnderEveryRoot("Key"), RegistryRoot::CurrentUser},
    };
    for (const auto& c : cases) {
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

// After INFO, candidates 1 to 9 in turn: an unset RKey is a gap, the first
// whose key opens wins with its Path and Name as read, and what follows it
// is not read; numbers 0 and 10 and up are never read.
TEST_F(LoadSettingsTest, TheFirstPresentCandidateWins)
{
    const std::string a = "ApplicationKeys/";
    const std::string oddKey = "%s\\%d %n\\Caf\xE9";
    const Calls firstNine = {Candidate("RKey1"), Candidate("RKey2"), Candidate("RKey3"),
                             Candidate("RKey4"), Candidate("RKey5"), Candidate("RKey6"),
                             Candidate("RKey7"), Candidate("RKey8"), Candidate("RKey9")};
    const struct {
        const char* what;
        std::map<std::string, std::string> values;  // besides Silent=1
        std::set<std::string> keys;
        Calls walk;
        std::string path, name;
        int candidate;  // 0 for the default program
        RegistryRoot root;
    } cases[] = {
        {"a present candidate without Path wins with an empty target",
         {{"Init/DefaultPath", "RUNTIME\\SETUP.EXE"}, {"Init/DefaultName", "Default"}, {a + "RKey1", "First"},
          {a + "Name1", "Never read"}, {a + "RKey2", "Second"}, {a + "Path2", "SECOND.EXE"}},
         {"HKCR\\First", "HKCR\\Second"},
         {Candidate("RKey1"), Probe("HKCR", "First"), Candidate("Path1")}, "", "", 1, RegistryRoot::ClassesRoot},
        {"a present candidate without Name leaves the name empty",
         {{"Init/DefaultName", "Default"}, {a + "RKey1", "Key"}, {a + "Path1", "SETUP.EXE"}},
         {"HKLM\\Key"},
         {Candidate("RKey1"), Probe("HKCR", "Key"), Probe("HKLM", "Key"), Candidate("Path1"), Candidate("Name1")},
         "SETUP.EXE", "", 1, RegistryRoot::LocalMachine},
        {"gaps do not end the walk, only RKey selects, the lower number wins",
         {{a + "Path1", "FIRST.EXE"}, {a + "Name1", "First"}, {a + "RKey4", "Fourth"}, {a + "Path4", "FOURTH.EXE"},
          {a + "Name4", "Fourth program"}, {a + "RKey6", "Sixth"}, {a + "Path6", "SIXTH.EXE"}},
         {"HKCR\\Fourth", "HKCR\\Sixth"},
         {Candidate("RKey1"), Candidate("RKey2"), Candidate("RKey3"), Candidate("RKey4"), Probe("HKCR", "Fourth"),
          Candidate("Path4"), Candidate("Name4")},
         "FOURTH.EXE", "Fourth program", 4, RegistryRoot::ClassesRoot},
        {"candidates 0 and 10 are never read; the default program without DefaultName",
         {{"Init/DefaultPath", "SETUP.EXE"}, {a + "RKey10", "Key"}, {a + "Path10", "TENTH.EXE"},
          {a + "Name10", "Tenth"}, {a + "RKey0", "Key"}, {a + "Path0", "ZEROTH.EXE"}},
         {"HKCR\\Key"},
         firstNine + Calls{Init("DefaultPath"), Init("DefaultName")}, "SETUP.EXE", "", 0, RegistryRoot::ClassesRoot},
        {"values, key paths and targets are passed on as read",
         {{"Init/Title", "100% %s %d \xE9t\xE9"}, {a + "RKey1", oddKey}, {a + "Path1", "%s\\SETUP.EXE"},
          {a + "Name1", "100% %d"}},
         {"HKCU\\" + oddKey},
         Calls{Candidate("RKey1")} + ProbedUnderEveryRoot(oddKey) + Calls{Candidate("Path1"), Candidate("Name1")},
         "%s\\SETUP.EXE", "100% %d", 1, RegistryRoot::CurrentUser},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        source.values = c.values;
        SetInit("Silent", "1");
        source.keys = c.keys;
        EXPECT_EQ(1, Load());
        EXPECT_EQ(c.walk, WalkCalls());
        ExpectChosen(c.path, c.name);
        EXPECT_EQ(c.values.count("Init/Title") ? c.values.at("Init/Title") : "", Str(settings.title));
        if (c.candidate == 0) {
            EXPECT_EQ(LoadDecision::Outcome::DefaultProgram, decision.outcome);
        } else {
            ExpectCandidate(c.candidate, c.root);
        }
    }
}
