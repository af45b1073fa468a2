// The checker's decisions: what it warns setup authors about, the BMP file
// of its preview, and the exit status and key lines of its report.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ScriptedSettingsSource.h"
#include "core/SettingsLoader.h"
#include "core/checker/Bitmap.h"
#include "core/checker/IniScan.h"
#include "core/checker/Options.h"
#include "core/checker/RecordingSource.h"
#include "core/checker/Report.h"
#include "core/checker/Warnings.h"
#include "tests/CodePage932.h"
#include "tests/ExpectedTexts.h"

namespace {

struct IniCase {
    const char* what;
    const char* text;
    std::vector<std::string> warnings;
};

const IniCase kIniCases[] = {
    {"a sound file", "[Init]\r\nSilent=0\r\nCaption=C\r\nDefaultPath=a.exe\r\n[ApplicationKeys]\r\nRKey1=K\r\nPath1=p\r\n"
                     "Name1=n\r\n; RKey10=comment\r\n[Other]\r\nAnything=1\r\n",
     {}},
    {"keys numbered 10 and up",
     "[ApplicationKeys]\nRKey10=K\nPath10=p\nRKey01=x\n",
     {"line 2: RKey10 is never read: the launcher reads candidates 1 to 9 only, numbered with one digit",
      "line 3: Path10 is never read: the launcher reads candidates 1 to 9 only, numbered with one digit",
      "line 4: RKey01 is never read: the launcher reads candidates 1 to 9 only, numbered with one digit"}},
    {"candidates without RKey or Path",
     "[ApplicationKeys]\nPath2=p\nName2=n\nRKey3=\nPath3=q\nRKey4=k\npath4=m\nRKey5=k\nName5=n\n",
     {"line 2: Path2 has no RKey2: candidate 2 is never chosen",
      "line 3: Name2 has no RKey2: candidate 2 is never chosen",
      "line 5: Path3 has no RKey3: candidate 3 is never chosen",
      "line 8: RKey5 has no Path5: when its key is present, the launcher starts nothing and reports the empty path"}},
    {"DefaultName without DefaultPath", "[Init]\nSilent=0\nDefaultName=n\nDefaultPath=\n",
     {"line 3: DefaultName without DefaultPath: it is never read, and with no candidate present the launcher ends "
      "with an error"}},
    {"keys in the wrong section",
     "Silent=0\n[ApplicationKeys]\nDefaultPath=a\nDefaultName=b\n[Init]\nRKey1=k\n[Intit]\nCaption=c\n",
     {"line 1: Silent is outside any section: the launcher reads it only from [Init]",
      "line 3: DefaultPath is in [ApplicationKeys]: the launcher reads it only from [Init]",
      "line 4: DefaultName is in [ApplicationKeys]: the launcher reads it only from [Init]",
      "line 6: RKey1 is in [Init]: the launcher reads it only from [ApplicationKeys]",
      "line 8: Caption is in [Intit]: the launcher reads it only from [Init]"}},
    {"unknown keys", "[Init]\nCaptoin=x\nFoo=y\nsilent=0\n[ApplicationKeys]\nRKy1=k\nPaht2=p\nNoEquals\n",
     {"line 2: Captoin in [Init] is not a key of the launcher: a typo of Caption?",
      "line 3: Foo in [Init] is not a key of the launcher: it is never read",
      "line 6: RKy1 in [ApplicationKeys] is not a key of the launcher: a typo of RKey1?",
      "line 7: Paht2 in [ApplicationKeys] is not a key of the launcher: a typo of Path2?",
      "line 8: NoEquals in [ApplicationKeys] is not a key of the launcher: it is never read"}},
    {"duplicate keys and sections", "[Init]\nSilent=0\nSILENT=1\n[init]\nTitle=t\n",
     {"line 3: SILENT appears again in [Init] (first at line 2): the launcher reads only the first",
      "line 4: [init] appears again (first at line 1): the launcher reads only the first, so the keys below are "
      "never read"}},
    {"quotes and blanks", "[Init]\nSilent=0\nTitle=\"Quoted\"\nCaption = Spaced \t\nCopyright= 'both' \nINFO=\"half\n",
     {"line 3: Title has quotes around its value, which the launcher drops: it gets \"Quoted\"",
      "line 4: Caption has blanks around its value, which the launcher drops: it gets \"Spaced\"",
      "line 5: Copyright has blanks and quotes around its value, which the launcher drops: it gets \"both\""}},
};

TEST(CheckerWarnings, TellWhatTheLauncherMakesOfTheIniFile)
{
    for (const IniCase& test : kIniCases)
        EXPECT_EQ(test.warnings, IniWarnings(ScanIni(test.text))) << test.what;
}

TEST(CheckerWarnings, TellWhenTheInfoFileAlmostMakesOkAccept)
{
    const std::string almost = "LICENSE.TXT almost begins with END USER (";
    const std::string rest = "): OK keeps its label \"OK\"; only the exact upper-case bytes END USER at the very start "
                             "make it \"Accept\"";
    const struct {
        std::string text;
        std::vector<std::string> warnings;
    } cases[] = {
        {"END USER LICENCE", {}},
        {"Licence", {}},
        {"END USE", {}},
        {"End User Licence", {almost + "other letter case" + rest}},
        {"\xEF\xBB\xBF" "END USER", {almost + "a byte-order mark" + rest}},
        {" \r\nEND USER", {almost + "blanks" + rest}},
        {"\xEF\xBB\xBF\tend user", {almost + "a byte-order mark, blanks and other letter case" + rest}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.warnings, InfoFileWarnings("LICENSE.TXT", ZeroBytes(), test.text)) << test.text;
}

TEST(CheckerWarnings, CountWhatZeroBytesDrop)
{
    // Zero bytes at 10 and 12 (the rest of the first chunk goes: 39 bytes)
    // and 55 (the second chunk ends at 60: 5 bytes), counted chunk by chunk
    // as the panel reads them.
    std::string bytes(60, 'x');
    bytes[10] = '\0';
    bytes[12] = '\0';
    bytes[55] = '\0';
    ZeroBytes zeros;
    zeros.Count(bytes.data(), 49);
    zeros.Count(bytes.data() + 49, 11);
    zeros.Count(bytes.data() + 60, 0);
    EXPECT_EQ(60u, zeros.read);
    EXPECT_EQ(std::vector<std::string>{"LICENSE.TXT has a zero byte at offset 10: the panel drops the rest of each "
                                       "49-byte chunk from a zero byte on (44 bytes in all)"},
              InfoFileWarnings("LICENSE.TXT", zeros, std::string(10, 'x')));
}

TEST(CheckerBitmap, KeepsRowsFromTheBottomPaddedToFourBytes)
{
    // Two rows of two pixels: 6 bytes a row, padded to 8.
    const std::string top = "\x01\x02\x03\x04\x05\x06";
    const std::string bottom = "\x11\x12\x13\x14\x15\x16";
    const std::string file = BmpFile(2, 2, top + bottom);
    const std::string header("BM\x46\0\0\0\0\0\0\0\x36\0\0\0"
                             "\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x10\0\0\0"
                             "\xc4\x0e\0\0\xc4\x0e\0\0\0\0\0\0\0\0\0\0",
                             54);
    EXPECT_EQ(header + bottom + std::string(2, '\0') + top + std::string(2, '\0'), file);
}

RecordedCall Read(const std::string& key, const std::string& value, const std::string& whole = "")
{
    RecordedCall call;
    call.section = key.rfind("RKey", 0) == 0 ? "ApplicationKeys" : "Init";
    call.key = key;
    call.value = value;
    call.whole = whole.empty() ? value : whole;
    return call;
}

// A loaded configuration with Silent=1 whose program was found.
CheckFacts Loaded()
{
    CheckFacts facts;
    facts.directory = "D:\\";
    facts.applicationName = "TOLVAN";
    facts.iniState = CheckFacts::IniState::Found;
    facts.iniRead = true;
    facts.iniText = "[Init]\nSilent=1\nDefaultPath=SETUP.EXE\n";
    facts.settings.iniPath = Text("D:\\TOLVAN.ini");
    facts.settings.silent = 1;
    facts.settings.targetPath = Text("SETUP.EXE");
    facts.decision.outcome = LoadDecision::Outcome::DefaultProgram;
    facts.programFound = "D:\\SETUP.EXE";
    RecordedCall silent = Read("Silent", "");
    silent.isInteger = true;
    silent.integer = 1;
    facts.calls = {silent, Read("DefaultPath", "SETUP.EXE")};
    return facts;
}

bool HasLine(const CheckReport& report, const std::string& line)
{
    return ("\n" + report.text).find("\n" + line + "\n") != std::string::npos;
}

// One report line a fault of its kind gives, and the exit status: what the
// launcher's rules make of the medium, and what they cannot see (a network
// drive, names the code page cannot write, a licence too large to hold,
// DLL files beside the launcher).
TEST(CheckerReport, SaysWhatIsWrongAndHowBadItIs)
{
    const std::string title(79, 't');
    const std::string elevated =
        " is on a network drive: Windows starts the launcher elevated, as a setup, and an elevated program does not "
        "see the drive letters mapped before, so it would end with \"File not found or missing key\"; start it from ";
    const auto silentReads99 = [](const char* iniText) {
        return [iniText](CheckFacts& facts) {
            facts.iniText = iniText;
            facts.decision.outcome = LoadDecision::Outcome::IniNotFound;
            facts.calls.resize(1);
            facts.calls[0].integer = 99;
        };
    };
    const struct {
        const char* what;
        std::function<void(CheckFacts&)> change;
        std::vector<std::string> lines;
        int status;
    } cases[] = {
        {"a sound medium", [](CheckFacts&) {}, {"Warnings: none", "Result: nothing wrong (exit status 0)"},
         kNothingWrong},
        {"a value cut at 79 characters",
         [&](CheckFacts& facts) { facts.calls.push_back(Read("Title", title, title + "LOST")); },
         {"  [Init] Title: " + title, "    cut to 79 characters; lost: LOST",
          "  [Init] Title is longer than 79 characters: the launcher loses 4 characters of it",
          "Result: 1 warning (exit status 1)"},
         kWarnings},
        {"a missing program", [](CheckFacts& facts) { facts.programFound.clear(); },
         {"Program: SETUP.EXE does not exist, seen from D:\\",
          "The launch fails with this message:\n" + Indented(LaunchFailedText("SETUP.EXE"))},
         kLauncherError},
        {"a dialog without INFO", [](CheckFacts& facts) { facts.settings.silent = 0; },
         {"  Panel: empty, since INFO is not set"}, kNothingWrong},
        {"a preview that cannot be written",
         [](CheckFacts& facts) {
             facts.previewAsked = true;
             facts.previewError = "cannot write X.bmp";
         },
         {}, kCannotCheck},
        {"Silent=99", silentReads99("[Init]\nSilent=99\n"),
         {"Application name: TOLVAN", "  [Init] Silent: 99 (what a missing file, section or key reads as)",
          "  line 2: Silent=99 reads as 99, which the launcher takes for a missing key: it reports the file as not "
          "found"},
         kLauncherError},
        {"no Silent", silentReads99("[Init]\nCaption=C\n"),
         {"  [Init] has no Silent: it reads as 99 and the launcher reports the file as not found"}, kLauncherError},
        {"no [Init]", silentReads99("[Other]\nSilent=0\n"),
         {"  the file has no [Init] section: Silent reads as 99 and the launcher reports the file as not found"},
         kLauncherError},
        {"DLL files", [](CheckFacts& facts) { facts.dllFiles = {"version.dll", "UXTHEME.DLL"}; },
         {"  DLL files lie beside the launcher: version.dll, UXTHEME.DLL. TOLVAN.EXE loads none of them, but a "
          "program started from here, elevated as a setup is, may load them with administrator rights; keep on the "
          "medium only the DLLs its programs need, in their own folders"},
         kWarnings},
        {"a network drive with its share",
         [](CheckFacts& facts) {
             facts.directory = "S:\\media";
             facts.onNetworkDrive = true;
             facts.uncPath = "\\\\server\\share\\media";
         },
         {"  S:\\media" + elevated + "\\\\server\\share\\media instead"}, kWarnings},
        {"a network drive without its share",
         [](CheckFacts& facts) {
             facts.directory = "S:\\media";
             facts.onNetworkDrive = true;
         },
         {"  S:\\media" + elevated + "the share's UNC path (\\\\server\\share\\...) instead"}, kWarnings},
        {"names the code page cannot write",
         [](CheckFacts& facts) {
             facts.codePage = 1252;
             facts.directoryInCodePage = AnsiView{"D:\\????\\a?b", {4, 5, 6, 7, 11}};
             facts.calls.back().inCodePage = AnsiView{"???.EXE", {1, 2, 3}};
         },
         {"  the directory's path holds characters that code page 1252 cannot write, at characters 4 to 7 and 11 of "
          "D:\\????\\a?b (shown as ?): the launcher gets other characters in their place, so it finds neither its "
          "INI file nor the programs beside it; name the folders in plain ASCII",
          "  [Init] DefaultPath holds characters that code page 1252 cannot write, at characters 1 to 3 of ???.EXE "
          "(shown as ?): the launcher gets other characters in their place; write it in plain ASCII or in the "
          "characters of that code page",
          "Result: 2 warnings (exit status 1)"},
         kWarnings},
        {"a licence too large to hold",
         [](CheckFacts& facts) {
             facts.settings.silent = 0;
             facts.settings.infoFile = Text("LICENSE.TXT");
             facts.panelRead = true;
             facts.panel.outcome = InfoPanelContent::Outcome::TooLarge;
         },
         {"  Panel: empty; the text of LICENSE.TXT is too large to hold, and the launcher first shows this "
          "message:\n" + Indented(kOutOfMemoryText, "    ") + "\n  OK reads: OK",
          "  LICENSE.TXT is too large for the launcher to hold: it shows \"Out of memory.\" and an empty panel, and "
          "OK starts the program without the text having been shown"},
         kWarnings},
    };
    for (const auto& c : cases) {
        CheckFacts facts = Loaded();
        c.change(facts);
        const CheckReport report = BuildReport(facts);
        for (const std::string& line : c.lines)
            EXPECT_TRUE(HasLine(report, line)) << c.what << ": no line \"" << line << "\" in\n" << report.text;
        EXPECT_EQ(c.status, report.status) << c.what;
    }
}

// The checker's own questions, answered from the same script: whole values
// as read, and the keys that open for reading only.
class ScriptedExplainingReads : public ExplainingReads {
public:
    explicit ScriptedExplainingReads(ScriptedSettingsSource& script) : script_(script) {}

    std::string ReadWholeString(const std::string& section, const std::string& key, const std::string&) override
    {
        const auto found = script_.values.find(section + "/" + key);
        return found == script_.values.end() ? std::string() : found->second;
    }
    AnsiView ReadInCodePage(const std::string&, const std::string&, const std::string&) override { return AnsiView(); }
    bool KeyOpensForReading(RegistryRoot root, const std::string& keyPath) override
    {
        return readable.count(ScriptedSettingsSource::RootName(root) + "\\" + keyPath) != 0;
    }

    std::set<std::string> readable;

private:
    ScriptedSettingsSource& script_;
};

TEST(CheckerReport, ReportsTheChoiceTheLauncherMade)
{
    ScriptedSettingsSource script;
    ScriptedExplainingReads explaining(script);
    script.values = {{"Init/Silent", "1"},           {"Init/DefaultPath", "DEFAULT.EXE"},
                     {"ApplicationKeys/RKey1", "A"}, {"ApplicationKeys/Path1", "FIRST.EXE"},
                     {"ApplicationKeys/RKey2", "B"}, {"ApplicationKeys/Path2", "SECOND.EXE"}};
    explaining.readable = {"HKLM\\A"};
    script.keys = {"HKCU\\B"};
    CheckFacts facts = Loaded();
    facts.calls.clear();
    RecordingSource source(script, explaining, facts.calls);
    facts.decision = LoadSettingsFrom(source, "TOLVAN", facts.settings);
    facts.programFound = "D:\\SECOND.EXE";

    const CheckReport report = BuildReport(facts);
    EXPECT_TRUE(HasLine(report, "  [ApplicationKeys] RKey2: B")) << report.text;
    EXPECT_TRUE(HasLine(report, "    HKEY_CLASSES_ROOT: absent"));
    EXPECT_TRUE(
        HasLine(report, "    HKEY_LOCAL_MACHINE: exists but refuses full access (the launcher treats it as absent)"));
    EXPECT_TRUE(HasLine(report, "  A exists under HKEY_LOCAL_MACHINE but refuses full access: the launcher treats it "
                                "as absent; run it elevated, or expect the default"));
    EXPECT_TRUE(HasLine(report, "Choice: candidate 2, whose key opens under HKEY_CURRENT_USER: SECOND.EXE"));
    EXPECT_TRUE(HasLine(report, "Program: D:\\SECOND.EXE exists"));
    EXPECT_EQ(kWarnings, report.status);

    // The same medium with neither key nor default: the launcher's own message ends it.
    script.keys.clear();
    script.values.erase("Init/DefaultPath");
    facts = Loaded();
    facts.calls.clear();
    facts.decision = LoadSettingsFrom(source, "TOLVAN", facts.settings);
    const CheckReport failed = BuildReport(facts);
    EXPECT_TRUE(HasLine(failed, "Choice: no candidate is present and DefaultPath is not set")) << failed.text;
    EXPECT_TRUE(
        HasLine(failed, "The launcher ends with this message:\n" + Indented(kNoSuitableKeysText)));
    EXPECT_EQ(kLauncherError, failed.status);

    // A value the launcher's code cannot hold ends the run with its own word.
    script.unheld = {"Init/Title"};
    facts = Loaded();
    facts.calls.clear();
    facts.decision = LoadSettingsFrom(source, "TOLVAN", facts.settings);
    const CheckReport unheld = BuildReport(facts);
    EXPECT_TRUE(HasLine(unheld, "Choice: none; the launcher ends when a text read cannot be held\n"
                                "Dialog: not shown; the launcher ends first\n"
                                "The launcher ends with this message:\n" + Indented(kOutOfMemoryText)))
        << unheld.text;
    EXPECT_EQ(kLauncherError, unheld.status);
}

}  // namespace

// A double-byte name whose character ends in the separator byte is one
// name; a value that is missing or empty is an error.
TEST(CheckerOptions, TakeANameAFileAndOneDirectory)
{
    const std::string name = kSoftwareName + ".EXE";
    const struct {
        std::vector<std::string> arguments;
        std::string error;
        std::string applicationName;
    } cases[] = {
        {{"--as", name, "D:\\media"}, "", kSoftwareName},
        {{"--as", "SETUP"}, "", "SETUP"},
        {{"--as", "my.setup"}, "", "my.setup"},
        {{"--as", "\x83\x74\\" + name}, "--as takes a file name without a folder: \x83\x74\\" + name, ""},
        {{"--as"}, "--as needs a NAME", ""},
        {{"--as", ""}, "--as needs a NAME", ""},
        {{"--preview"}, "--preview needs a FILE.bmp", ""},
        {{"--preview", ""}, "--preview needs a FILE.bmp", ""},
        {{"-x"}, "unknown option -x", ""},
        {{"A", "B"}, "one DIR only: B", ""},
    };
    for (const auto& c : cases) {
        const CheckOptions options = ParseCheckArguments(c.arguments, &IsShiftJisLeadByte);
        EXPECT_EQ(c.error, options.error) << c.arguments[0];
        if (c.error.empty()) {
            EXPECT_EQ(c.applicationName, options.applicationName) << c.arguments[1];
        }
    }
    const CheckOptions preview = ParseCheckArguments({"--preview", "X.bmp", "D:\\media"}, &IsShiftJisLeadByte);
    EXPECT_EQ("X.bmp", preview.previewFile);
    EXPECT_EQ("D:\\media", preview.directory);
    EXPECT_TRUE(ParseCheckArguments({"/?"}, &IsShiftJisLeadByte).help);
}
