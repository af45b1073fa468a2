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
using Values = std::map<std::string, std::string>;

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

// A medium as a setup author writes one: a default program and two
// candidates, 1 and 3.
const Values kWorkedExample = {
    {"Init/Silent", "0"},
    {"Init/Caption", "Run-time Setup"},
    {"Init/Title", "Installation of the database run-time"},
    {"Init/Copyright", "Notice text for the second line"},
    {"Init/INFO", "LICENSE.TXT"},
    {"Init/DefaultPath", "RUNTIME\\SETUP.EXE"},
    {"Init/DefaultName", "Database run-time, full installation"},
    {"ApplicationKeys/RKey1", kRuntimeKey},
    {"ApplicationKeys/Path1", "UPGRADE\\SETUP.EXE"},
    {"ApplicationKeys/Name1", "Upgrade of the installed run-time"},
    {"ApplicationKeys/RKey3", kAddOnKey},
    {"ApplicationKeys/Path3", "ADDON\\SETUP.EXE"},
    {"ApplicationKeys/Name3", "Add-on for the installed database"},
};

Values Without(Values values, const std::string& key)
{
    values.erase(key);
    return values;
}

// Loads the settings from a scripted source as the launcher does.
class LoadSettingsTest : public ::testing::Test {
protected:
    // 1 when a target is chosen; 0 once the message that ends the run is
    // kept as the launcher would show it.
    int Load(const Values& values, const std::set<std::string>& keys = {})
    {
        source = ScriptedSettingsSource();
        source.currentDirectory = currentDirectory;
        source.values = values;
        source.keys = keys;
        source.unheld = unheld;
        settings = LaunchSettings();
        decision = LoadSettingsFrom(source, "TOLVAN", settings);
        return decision.TargetChosen() ? 1 : 0;
    }

    // What the loader asked after the current directory and Init up to INFO.
    Calls WalkCalls() const
    {
        const std::size_t before = 6;
        return source.calls.size() < before ? Calls() : Calls(source.calls.begin() + before, source.calls.end());
    }

    std::string currentDirectory = "D:\\";
    std::set<std::string> unheld;
    ScriptedSettingsSource source;
    LaunchSettings settings;
    LoadDecision decision;
};

}  // namespace

// The whole order of reads: every key of both sections once, the default
// program last.
TEST_F(LoadSettingsTest, WorkedExampleWithNeitherKeyTakesTheDefault)
{
    EXPECT_EQ(1, Load(kWorkedExample));

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
    EXPECT_EQ("RUNTIME\\SETUP.EXE", settings.targetPath);
    EXPECT_EQ("Database run-time, full installation", settings.targetName);
    EXPECT_EQ("", settings.messageText);
    EXPECT_EQ(LoadDecision::Outcome::DefaultProgram, decision.outcome);
}

// 99, what a missing key reads as, is taken as a missing file, and nothing
// else is read; every other value is kept as read.
TEST_F(LoadSettingsTest, KeepsSilentAsReadAndTakesAMissingOne)
{
    currentDirectory = "E:\\Install\\Disk1";
    const std::string ini = "E:\\Install\\Disk1\\TOLVAN.ini";
    for (const char* value : {"", "99", "0", "1", "7", "-1", "100"}) {
        SCOPED_TRACE(std::string("Silent=") + value);
        Values values = {{"Init/Caption", "Run-time Setup"}, {"Init/DefaultPath", "SETUP.EXE"}};
        if (*value)
            values["Init/Silent"] = value;
        const bool missing = !*value || std::string(value) == "99";
        EXPECT_EQ(missing ? 0 : 1, Load(values));
        EXPECT_EQ(*value ? std::stoi(value) : 99, settings.silent);
        if (!missing) {
            EXPECT_EQ("", settings.messageText);
            continue;
        }
        EXPECT_EQ((Calls{"cwd", "int Init/Silent @" + ini}), source.calls);
        EXPECT_EQ(LoadDecision::Outcome::IniNotFound, decision.outcome);
        EXPECT_EQ(IniNotFoundText(ini), Str(settings.messageText));
        EXPECT_EQ("", settings.caption);
        EXPECT_EQ("", settings.targetPath);
    }
}

TEST_F(LoadSettingsTest, CaptionFallsBackToTheApplicationName)
{
    EXPECT_EQ(1, Load({{"Init/Silent", "0"}, {"Init/Caption", ""}, {"Init/DefaultPath", "SETUP.EXE"}}));
    EXPECT_EQ("TOLVAN", settings.caption);
    EXPECT_EQ("", settings.title);
    EXPECT_EQ("", settings.copyright);
    EXPECT_EQ("", settings.infoFile);
    EXPECT_EQ("", settings.targetName);
}

// With no candidate present, the run ends once DefaultPath was read from
// [Init] and found unset; DefaultName is not read.
TEST_F(LoadSettingsTest, WithoutDefaultPathNoKeyIsSuitable)
{
    const struct {
        const char* what;
        Values values;
    } cases[] = {
        {"the worked example without it", Without(kWorkedExample, "Init/DefaultPath")},
        {"no candidates", {{"Init/Silent", "0"}, {"Init/Title", "A title"}, {"Init/DefaultName", "Never read"}}},
        {"in the wrong section",
         {{"Init/Silent", "1"}, {"ApplicationKeys/DefaultPath", "SETUP.EXE"}, {"ApplicationKeys/DefaultName", "S"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(0, Load(c.values));
        EXPECT_EQ(LoadDecision::Outcome::NoSuitableKeys, decision.outcome);
        EXPECT_EQ(kNoSuitableKeysText, Str(settings.messageText));
        ASSERT_LE(2u, source.calls.size());
        EXPECT_EQ(Candidate("RKey9"), source.calls[source.calls.size() - 2]);
        EXPECT_EQ(Init("DefaultPath"), source.calls.back());
        EXPECT_EQ("", settings.targetPath);
        EXPECT_EQ("", settings.targetName);
        EXPECT_EQ(c.values.count("Init/Title") ? c.values.at("Init/Title") : "", Str(settings.title));
    }
}

TEST_F(LoadSettingsTest, AValueThatCannotBeHeldEndsTheRunAtThatRead)
{
    // Candidate 2 is present for the reads up to its name; the default
    // program is read only where no candidate is.
    const Values values = {{"Init/Silent", "0"},         {"Init/DefaultPath", "SETUP.EXE"},
                           {"Init/DefaultName", "Setup"}, {"ApplicationKeys/RKey2", "K"},
                           {"ApplicationKeys/Path2", "K.EXE"}, {"ApplicationKeys/Name2", "K"}};
    const std::vector<std::pair<std::string, bool>> cases = {
        {"Init/Caption", true},          {"Init/INFO", true},             {"ApplicationKeys/RKey1", true},
        {"ApplicationKeys/Path2", true}, {"ApplicationKeys/Name2", true}, {"Init/DefaultPath", false},
        {"Init/DefaultName", false},
    };
    for (const auto& [read, candidatePresent] : cases) {
        unheld = {read};
        EXPECT_EQ(0, Load(values, candidatePresent ? std::set<std::string>{"HKCU\\K"} : std::set<std::string>{}))
            << read;
        EXPECT_EQ(LoadDecision::Outcome::OutOfMemory, decision.outcome) << read;
        EXPECT_EQ(read + kIni, source.calls.back());
    }
}

// After INFO, candidates 1 to 9 in turn, each key probed under HKCR, HKLM
// and HKCU until one opens: an unset RKey is a gap, the first whose key
// opens wins with its Path and Name as read, and what follows it is not
// read; numbers 0 and 10 and up are never read.
TEST_F(LoadSettingsTest, TheFirstPresentCandidateWins)
{
    const std::string a = "ApplicationKeys/";
    const std::string oddKey = "%s\\%d %n\\Caf\xE9";
    const Calls firstNine = {Candidate("RKey1"), Candidate("RKey2"), Candidate("RKey3"),
                             Candidate("RKey4"), Candidate("RKey5"), Candidate("RKey6"),
                             Candidate("RKey7"), Candidate("RKey8"), Candidate("RKey9")};
    const Calls chosen1 = {Candidate("Path1"), Candidate("Name1")};
    const Values key1 = {{"Init/Silent", "1"}, {a + "RKey1", "Key"}, {a + "Path1", "SETUP.EXE"}};
    const std::string runtime = kRuntimeKey;
    const struct {
        const char* what;
        Values values;
        std::set<std::string> keys;
        Calls walk;
        std::string path, name;
        int candidate;  // 0 for the default program
        RegistryRoot root;
    } cases[] = {
        {"the worked example with the run-time key under HKLM", kWorkedExample, {"HKLM\\" + runtime},
         Calls{Candidate("RKey1"), Probe("HKCR", kRuntimeKey), Probe("HKLM", kRuntimeKey)} + chosen1,
         "UPGRADE\\SETUP.EXE", "Upgrade of the installed run-time", 1, RegistryRoot::LocalMachine},
        // Missing, or present but refusing full access: the platform
        // answers both alike.
        {"the worked example with only the add-on key under HKCR", kWorkedExample,
         {"HKCR\\" + std::string(kAddOnKey)},
         Calls{Candidate("RKey1")} + ProbedUnderEveryRoot(kRuntimeKey) +
             Calls{Candidate("RKey2"), Candidate("RKey3"), Probe("HKCR", kAddOnKey), Candidate("Path3"),
                   Candidate("Name3")},
         "ADDON\\SETUP.EXE", "Add-on for the installed database", 3, RegistryRoot::ClassesRoot},
        {"the probe stops at HKCR", key1, {"HKCR\\Key", "HKLM\\Key", "HKCU\\Key"},
         Calls{Candidate("RKey1"), Probe("HKCR", "Key")} + chosen1, "SETUP.EXE", "", 1, RegistryRoot::ClassesRoot},
        {"the probe stops at HKLM", key1, {"HKLM\\Key", "HKCU\\Key"},
         Calls{Candidate("RKey1"), Probe("HKCR", "Key"), Probe("HKLM", "Key")} + chosen1, "SETUP.EXE", "", 1,
         RegistryRoot::LocalMachine},
        {"the probe reaches HKCU", key1, {"HKCU\\Key"}, Calls{Candidate("RKey1")} + ProbedUnderEveryRoot("Key") + chosen1,
         "SETUP.EXE", "", 1, RegistryRoot::CurrentUser},
        {"a present candidate without Path wins with an empty target",
         {{"Init/Silent", "1"}, {"Init/DefaultPath", "RUNTIME\\SETUP.EXE"}, {"Init/DefaultName", "Default"},
          {a + "RKey1", "First"}, {a + "Name1", "Never read"}, {a + "RKey2", "Second"}, {a + "Path2", "SECOND.EXE"}},
         {"HKCR\\First", "HKCR\\Second"},
         {Candidate("RKey1"), Probe("HKCR", "First"), Candidate("Path1")}, "", "", 1, RegistryRoot::ClassesRoot},
        {"gaps do not end the walk, only RKey selects, the lower number wins",
         {{"Init/Silent", "1"}, {a + "Path1", "FIRST.EXE"}, {a + "Name1", "First"}, {a + "RKey4", "Fourth"},
          {a + "Path4", "FOURTH.EXE"}, {a + "Name4", "Fourth program"}, {a + "RKey6", "Sixth"},
          {a + "Path6", "SIXTH.EXE"}},
         {"HKCR\\Fourth", "HKCR\\Sixth"},
         {Candidate("RKey1"), Candidate("RKey2"), Candidate("RKey3"), Candidate("RKey4"), Probe("HKCR", "Fourth"),
          Candidate("Path4"), Candidate("Name4")},
         "FOURTH.EXE", "Fourth program", 4, RegistryRoot::ClassesRoot},
        {"candidates 0 and 10 are never read; the default program without DefaultName",
         {{"Init/Silent", "1"}, {"Init/DefaultPath", "SETUP.EXE"}, {a + "RKey10", "Key"}, {a + "Path10", "TENTH.EXE"},
          {a + "Name10", "Tenth"}, {a + "RKey0", "Key"}, {a + "Path0", "ZEROTH.EXE"}},
         {"HKCR\\Key"},
         firstNine + Calls{Init("DefaultPath"), Init("DefaultName")}, "SETUP.EXE", "", 0, RegistryRoot::ClassesRoot},
        {"values, key paths and targets are passed on as read",
         {{"Init/Silent", "1"}, {"Init/Title", "100% %s %d \xE9t\xE9"}, {a + "RKey1", oddKey},
          {a + "Path1", "%s\\SETUP.EXE"}, {a + "Name1", "100% %d"}},
         {"HKCU\\" + oddKey},
         Calls{Candidate("RKey1")} + ProbedUnderEveryRoot(oddKey) + chosen1, "%s\\SETUP.EXE", "100% %d", 1,
         RegistryRoot::CurrentUser},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(1, Load(c.values, c.keys));
        EXPECT_EQ(c.walk, WalkCalls());
        EXPECT_EQ(c.path, Str(settings.targetPath));
        EXPECT_EQ(c.name, Str(settings.targetName));
        EXPECT_EQ("", settings.messageText);
        EXPECT_EQ(c.values.count("Init/Title") ? c.values.at("Init/Title") : "", Str(settings.title));
        EXPECT_EQ(c.values.count("Init/INFO") ? c.values.at("Init/INFO") : "", Str(settings.infoFile));
        if (c.candidate == 0) {
            EXPECT_EQ(LoadDecision::Outcome::DefaultProgram, decision.outcome);
        } else {
            EXPECT_EQ(LoadDecision::Outcome::Candidate, decision.outcome);
            EXPECT_EQ(c.candidate, decision.candidate);
            EXPECT_EQ(c.root, decision.root);
        }
    }
}
