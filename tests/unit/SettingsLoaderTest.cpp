#include "core/SettingsLoader.h"

#include <gtest/gtest.h>

#include "ScriptedSettingsSource.h"

namespace {

const char kIni[] = " @D:\\TOLVAN.ini";

class LoadSettingsTest : public ScriptedLoadTest {};

std::string Read(const std::string& sectionAndKey)
{
    return sectionAndKey + kIni;
}

}  // namespace

TEST_F(LoadSettingsTest, ReadsEveryInitKeyOnceInOrder)
{
    SetInit("Silent", "0");
    SetInit("Caption", "Run-time Setup");
    SetInit("Title", "Installation of the database run-time");
    SetInit("Copyright", "Notice text for the second line");
    SetInit("INFO", "LICENSE.TXT");
    SetInit("DefaultPath", "RUNTIME\\SETUP.EXE");
    SetInit("DefaultName", "Database run-time, full installation");

    EXPECT_EQ(1, Load());

    const std::vector<std::string> expected = {
        "cwd",
        "int " + Read("Init/Silent"),
        Read("Init/Caption"),
        Read("Init/Title"),
        Read("Init/Copyright"),
        Read("Init/INFO"),
        Read("ApplicationKeys/RKey1"), Read("ApplicationKeys/RKey2"), Read("ApplicationKeys/RKey3"),
        Read("ApplicationKeys/RKey4"), Read("ApplicationKeys/RKey5"), Read("ApplicationKeys/RKey6"),
        Read("ApplicationKeys/RKey7"), Read("ApplicationKeys/RKey8"), Read("ApplicationKeys/RKey9"),
        Read("Init/DefaultPath"),
        Read("Init/DefaultName"),
    };
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

TEST_F(LoadSettingsTest, MissingSilentReportsTheFileAndReadsNothingElse)
{
    SetInit("Caption", "Run-time Setup");
    SetInit("DefaultPath", "RUNTIME\\SETUP.EXE");
    source.currentDirectory = "E:\\Install\\Disk1";

    EXPECT_EQ(0, Load());

    const std::vector<std::string> expected = {"cwd", "int Init/Silent @E:\\Install\\Disk1\\TOLVAN.ini"};
    EXPECT_EQ(expected, source.calls);
    EXPECT_EQ(LoadDecision::Outcome::IniNotFound, decision.outcome);
    const std::string message = "'E:\\Install\\Disk1\\TOLVAN.ini'\n File not found or missing key";
    EXPECT_EQ(std::vector<std::string>{message}, messages);
    EXPECT_EQ(message, Str(settings.messageText));
    EXPECT_EQ(99, settings.silent);
    EXPECT_EQ("", settings.caption);
    EXPECT_EQ("", settings.targetPath);
}

TEST_F(LoadSettingsTest, SilentSetTo99IsTakenAsAMissingFile)
{
    SetInit("Silent", "99");
    SetInit("DefaultPath", "RUNTIME\\SETUP.EXE");

    EXPECT_EQ(0, Load());
    EXPECT_EQ(std::vector<std::string>{"'D:\\TOLVAN.ini'\n File not found or missing key"}, messages);
}

TEST_F(LoadSettingsTest, KeepsSilentAsReadWhateverItsValue)
{
    for (const char* value : {"0", "1", "7", "-1", "100"}) {
        source = ScriptedSettingsSource();
        settings = LaunchSettings();
        SetInit("Silent", value);
        SetInit("DefaultPath", "SETUP.EXE");
        EXPECT_EQ(1, Load()) << value;
        EXPECT_EQ(std::stoi(value), settings.silent) << value;
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
    source.values["ApplicationKeys/DefaultPath"] = "SETUP.EXE";
    source.values["ApplicationKeys/DefaultName"] = "Setup";

    EXPECT_EQ(0, Load());
    ExpectNoSuitableKeys();
}

TEST_F(LoadSettingsTest, DefaultPathWithoutDefaultNameLeavesTheNameEmpty)
{
    SetInit("Silent", "1");
    SetInit("DefaultPath", "RUNTIME\\SETUP.EXE");

    EXPECT_EQ(1, Load());
    EXPECT_EQ("RUNTIME\\SETUP.EXE", settings.targetPath);
    EXPECT_EQ("", settings.targetName);
    EXPECT_TRUE(messages.empty());
}

TEST_F(LoadSettingsTest, StoresValuesExactlyAsRead)
{
    SetInit("Silent", "1");
    SetInit("Title", "100% %s %d \xE9t\xE9");
    SetInit("DefaultPath", "%s\\SETUP.EXE");

    EXPECT_EQ(1, Load());
    EXPECT_EQ("100% %s %d \xE9t\xE9", settings.title);
    EXPECT_EQ("%s\\SETUP.EXE", settings.targetPath);
}

TEST_F(LoadSettingsTest, WithoutACurrentDirectoryReadsTheBareFileName)
{
    source.currentDirectory = "";

    EXPECT_EQ(0, Load());
    EXPECT_EQ("TOLVAN.ini", settings.iniPath);
    EXPECT_EQ(std::vector<std::string>{"'TOLVAN.ini'\n File not found or missing key"}, messages);
}

TEST_F(LoadSettingsTest, AValueThatCannotBeHeldEndsTheRunAtThatRead)
{
    // Candidate 2 is present for the reads up to its name; the default
    // program is read only where no candidate is.
    const std::vector<std::pair<std::string, bool>> cases = {
        {"Init/Caption", true},          {"Init/INFO", true},         {"ApplicationKeys/RKey1", true},
        {"ApplicationKeys/Path2", true}, {"ApplicationKeys/Name2", true}, {"Init/DefaultPath", false},
        {"Init/DefaultName", false},
    };
    for (const auto& [unheld, candidatePresent] : cases) {
        source = ScriptedSettingsSource();
        settings = LaunchSettings();
        messages.clear();
        SetInit("Silent", "0");
        SetInit("DefaultPath", "SETUP.EXE");
        SetInit("DefaultName", "Setup");
        source.values["ApplicationKeys/RKey2"] = "K";
        source.values["ApplicationKeys/Path2"] = "K.EXE";
        source.values["ApplicationKeys/Name2"] = "K";
        if (candidatePresent)
            source.keys = {"HKCU\\K"};
        source.unheld = {unheld};

        EXPECT_EQ(0, Load()) << unheld;
        EXPECT_EQ(LoadDecision::Outcome::OutOfMemory, decision.outcome) << unheld;
        EXPECT_EQ(unheld + kIni, source.calls.back());
    }
}
