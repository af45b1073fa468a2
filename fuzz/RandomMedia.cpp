// Random installation media run through the real TOLVAN.EXE, each checked
// against the launcher's rules as written here, not as the program has them:
// random INI files (keys of both sections in any order and letter case,
// values with bytes above 127, "%", blanks, quotes and more than 79
// characters, any Silent), random registries over the three roots, and
// random licence files (any bytes, zero bytes, byte-order marks, up to
// 200 KiB). Each rule has its own cases in the tests; this looks, on
// demand (scripts/fuzz.sh), for the combinations they do not have.
//
//   TOLVAN_FUZZ_SEED   the first case's seed (default 20261208); case i
//                      has the seed SEED + i, which replays it alone
//   TOLVAN_FUZZ_CASES  how many cases (default 80)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ExpectedTexts.h"
#include "tests/Platform.h"
#include "tests/e2e/LauncherTest.h"
#include "tests/win/ScratchKey.h"

namespace {

using e2e::RunResult;

// What the profile read gives for a value written after "=" (blanks
// around it are dropped by the reader): a value wrapped in one kind of
// quotation mark loses them, anything else is cut to 79 characters. The
// generator keeps quoted values short, where Wine's reading is plain.
std::string AsRead(const std::string& value)
{
    const bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    return quoted ? value.substr(1, value.size() - 2) : value.substr(0, 79);
}

// What the integer read gives for Silent: 99 when missing or empty, else
// the number written, as an unsigned 32-bit value. How the platform reads
// other text as a number is its own business, not the launcher's.
std::uint32_t SilentAsRead(const std::string* value)
{
    return !value || value->empty() ? 99u : static_cast<std::uint32_t>(std::stol(*value));
}

// The information panel: 49-byte chunks, each cut at its first zero byte.
std::string PanelText(const std::string& bytes)
{
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 49) {
        const std::string chunk = bytes.substr(at, 49);
        text += chunk.substr(0, chunk.find('\0'));
    }
    return text;
}

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine_); }
    template <class T>
    const T& Pick(const std::vector<T>& from)
    {
        return from[static_cast<std::size_t>(Int(0, static_cast<int>(from.size()) - 1))];
    }
    char Byte(const std::string& from) { return from[static_cast<std::size_t>(Int(0, static_cast<int>(from.size()) - 1))]; }

    // Text of length in [low, high] from the given bytes, without blanks
    // at either end.
    std::string Text(int low, int high, const std::string& bytes)
    {
        std::string text;
        for (int n = Int(low, high); n > 0; --n)
            text += Byte(bytes);
        if (!text.empty() && text.front() == ' ')
            text.front() = 'x';
        if (!text.empty() && (text.back() == ' ' || text.back() == '.'))
            text.back() = 'y';
        return text;
    }

    // Any letter's case flipped at random: names match regardless of case.
    std::string AnyCase(std::string name)
    {
        for (char& c : name)
            if (std::isalpha(static_cast<unsigned char>(c)) && Chance(0.3))
                c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c));
        return name;
    }

private:
    std::mt19937 engine_;
};

std::string HighBytes()
{
    std::string bytes;
    for (int c = 0x80; c <= 0xFF; ++c)
        bytes += static_cast<char>(c);
    return bytes;
}

const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// What a file name may hold.
const std::string kNameBytes = kLetters + kLetters + " _-%'()&!#+." + HighBytes();
// What any value may hold besides.
const std::string kValueBytes = kNameBytes + "\"=;[],";

const HKEY kRoots[] = {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

// One random medium: the files and keys it is made of, and what the rules
// say the launcher does with it.
class Medium {
public:
    Medium(unsigned seed, const e2e::CaseDirectory& dir)
        : random_(seed), dir_(dir), tag_(ScratchKey::UniquePath(HKEY_CURRENT_USER, "Fuzz"))
    {
        exe_ = random_.Pick<std::string>({"TOLVAN.EXE", "SETUP.EXE", "setup.exe", "my.setup.exe", "Install.exe", ""});
        if (exe_.empty())
            exe_ = random_.Text(1, 12, kNameBytes) + ".exe";
        appName_ = exe_.substr(0, exe_.rfind('.'));
        dir_.CopyLauncher(exe_);

        Value("Init", "Caption", TextValue());
        Value("Init", "Title", TextValue());
        Value("Init", "Copyright", TextValue());
        Value("Init", "INFO", InfoValue());
        Value("Init", "DefaultPath", PathValue());
        Value("Init", "DefaultName", TextValue());
        for (int i = 1; i <= 10; ++i) {
            const std::string n = std::to_string(i);
            if (random_.Chance(0.35))
                Value("ApplicationKeys", "RKey" + n, KeyValue(i));
            Value("ApplicationKeys", "Path" + n, random_.Chance(0.8) ? PathValue() : "");
            Value("ApplicationKeys", "Name" + n, TextValue());
        }
        if (!random_.Chance(0.08))
            Value("Init", "Silent", random_.Pick<std::string>({"0", "0", "0", "0", "1", "7", "-1", "99", ""}));
        WriteIni();
    }

    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;
    // Deepest and latest keys first, so that shared parents go too.
    ~Medium()
    {
        while (!keys_.empty())
            keys_.pop_back();
    }

    const std::string& Exe() const { return exe_; }
    const std::string& AppName() const { return appName_; }

    // The value the launcher reads for a key, or nullptr when unset.
    const std::string* Read(const std::string& section, const std::string& key) const
    {
        if (!hasIni_)
            return nullptr;
        const auto found = values_.find(section + "/" + key);
        return found == values_.end() ? nullptr : &found->second;
    }
    std::string ReadText(const std::string& section, const std::string& key) const
    {
        const std::string* raw = Read(section, key);
        return raw ? AsRead(*raw) : std::string();
    }
    bool KeyPresent(const std::string& key) const { return present_.count(key) && present_.at(key); }
    // The full path of the program a target path starts, or "" for none.
    std::string Started(const std::string& targetPath) const
    {
        const auto found = targets_.find(targetPath);
        return found == targets_.end() ? std::string() : found->second;
    }
    // The panel's text for an INFO value that opens.
    const std::string* Licence(const std::string& info) const
    {
        const auto found = licences_.find(info);
        return found == licences_.end() ? nullptr : &found->second;
    }

private:
    void Value(const std::string& section, const std::string& key, const std::string& value)
    {
        if (random_.Chance(0.1) && section == "Init" && key != "Silent")
            return;  // missing
        values_[section + "/" + key] = value;
    }

    std::string TextValue()
    {
        if (random_.Chance(0.15))
            return "";
        std::string text = random_.Chance(0.2) ? random_.Text(70, 130, kValueBytes) : random_.Text(1, 30, kValueBytes);
        if (text.size() > 60 && (text[0] == '"' || text[0] == '\''))
            text[0] = 'q';
        if (random_.Chance(0.1)) {
            const std::string quote = random_.Pick<std::string>({"\"", "'"});
            text = quote + text.substr(0, 40) + quote;
        }
        return text;
    }

    std::string PathValue()
    {
        const int kind = random_.Int(0, 9);
        if (kind < 7) {
            // A program that exists: a marker, found from the current
            // directory, or by its full path, or written in quotes.
            std::string relative = "T" + std::to_string(++targetCount_) + "\\";
            if (random_.Chance(0.4))
                relative += random_.Text(1, 12, kNameBytes) + "\\";
            relative += random_.Text(1, 16, kNameBytes) + random_.Pick<std::string>({".exe", ".EXE", ".Exe"});
            dir_.CopyMarker(relative);
            std::string value = relative;
            if (kind == 1 && (dir_ / relative).size() <= 79) {
                value = dir_ / relative;
            } else if (kind == 2 && relative.size() < 58) {
                const std::string quote = random_.Pick<std::string>({"\"", "'"});
                value = quote + relative + quote;
            }
            targets_[AsRead(value)] = dir_ / relative;
            return value;
        }
        // A program that does not exist, maybe too long to be read whole.
        return "NOSUCH" + std::to_string(random_.Int(0, 999)) + "\\" +
               random_.Text(1, random_.Chance(0.3) ? 120 : 30, kNameBytes);
    }

    std::string InfoValue()
    {
        switch (random_.Int(0, 9)) {
        case 0:
            return "NOSUCH" + std::to_string(random_.Int(0, 99)) + ".TXT";  // cause 2
        case 1:
            return "NODIR" + std::to_string(random_.Int(0, 99)) + "\\" + random_.Text(1, 10, kNameBytes);  // cause 3
        case 2:
            dir_.MakeDirectory("LICDIR");
            return "LICDIR";  // a directory: cause 5
        default:
            break;
        }
        const std::string name = random_.Text(1, 20, kNameBytes) + ".txt";
        const std::string bytes = LicenceBytes();
        dir_.Write(name, bytes);
        const std::string value = random_.Chance(0.2) ? "\"" + name + "\"" : name;
        licences_[AsRead(value)] = PanelText(bytes);
        return value;
    }

    // Lines stay short: Wine's edit control takes time that grows with the
    // square of a line's length (a 200 KiB line takes more than a minute).
    std::string LicenceBytes()
    {
        const int sizes = random_.Int(0, 3);
        const int size = sizes == 0   ? random_.Pick<int>({0, 8, 48, 49, 50, 98, 99})
                         : sizes == 3 ? random_.Int(0, 200 * 1024)
                                      : random_.Int(0, 300);
        std::string bytes;
        const int kind = random_.Int(0, 3);
        for (int i = 0; i < size; ++i) {
            if (kind == 0)
                bytes += static_cast<char>(random_.Int(0, 255));  // anything
            else if (kind == 1)
                bytes += random_.Chance(0.03) ? std::string("\r\n") : std::string(1, random_.Byte(kValueBytes));
            else if (random_.Chance(0.02))
                bytes += random_.Chance(0.5) ? '\0' : '\n';
            else
                bytes += static_cast<char>(random_.Int(32, 126));
        }
        const std::string openings[] = {"", "", "END USER LICENSE AGREEMENT\r\n", "END USER", "END USE",
                                        "end user ", "\xEF\xBB\xBF" "END USER ", std::string("\xFF\xFE" "E\0N\0", 6),
                                        std::string(1, '\0') + std::string(48, '-') + "END USER "};
        return openings[random_.Int(0, 8)] + bytes;
    }

    std::string KeyValue(int candidate)
    {
        // Unique to this case, maybe longer than 79 characters, so that
        // only its first 79 are probed.
        std::string key = tag_ + "-" + std::to_string(candidate);
        for (int parts = random_.Int(0, 3); parts > 0; --parts)
            key += "\\" + random_.Text(1, random_.Chance(0.2) ? 40 : 12, kNameBytes);
        // A probed path that ends in a separator or a blank is the
        // registry's business, not the launcher's.
        if (key.size() >= 79 && (key[78] == '\\' || key[78] == ' '))
            key[78] = 'z';
        const std::string probed = key.substr(0, 79);
        // Under any of the roots, and there with or without full access.
        bool present = false;
        if (random_.Chance(0.6)) {
            for (const HKEY root : kRoots) {
                if (!random_.Chance(0.4))
                    continue;
                keys_.push_back(std::make_unique<ScratchKey>(root, probed));
                if (random_.Chance(0.25))
                    EXPECT_EQ(ERROR_SUCCESS, keys_.back()->RefuseFullAccess());
                else
                    present = true;
            }
        }
        if (candidate <= 9)
            present_[probed] = present;
        return key;
    }

    // Blanks around "=", names in any letter case, lines and sections in
    // any order, stray sections and lines, CR LF or LF.
    void WriteIni()
    {
        hasIni_ = !random_.Chance(0.04);
        if (!hasIni_)
            return;
        const std::string end = random_.Chance(0.7) ? "\r\n" : "\n";
        std::map<std::string, std::vector<std::string>> lines;
        for (const auto& [where, value] : values_) {
            const std::string section = where.substr(0, where.find('/'));
            const std::string key = where.substr(where.find('/') + 1);
            lines[section].push_back(random_.AnyCase(key) + std::string(random_.Int(0, 2), ' ') + "=" +
                                     std::string(random_.Int(0, 2), ' ') + value + std::string(random_.Int(0, 1), ' '));
        }
        lines["Other"] = {"Silent=0", "DefaultPath=NOSUCH.EXE", "RKey1=Software"};
        lines["ApplicationKeys"].push_back("; DefaultPath=NOSUCH.EXE");
        std::vector<std::string> sections = {"Init", "ApplicationKeys", "Other"};
        if (random_.Chance(0.05))
            sections.erase(sections.begin());
        std::shuffle(sections.begin(), sections.end(), std::mt19937(static_cast<unsigned>(random_.Int(0, 1 << 30))));
        std::string ini;
        for (const std::string& section : sections) {
            ini += "[" + random_.AnyCase(section) + "]" + end;
            std::vector<std::string>& body = lines[section];
            std::shuffle(body.begin(), body.end(), std::mt19937(static_cast<unsigned>(random_.Int(0, 1 << 30))));
            for (const std::string& line : body)
                ini += line + end;
        }
        if (std::find(sections.begin(), sections.end(), "Init") == sections.end())
            values_.clear();
        dir_.Write(appName_ + ".ini", ini);
    }

    Random random_;
    const e2e::CaseDirectory& dir_;
    std::string tag_;
    std::string exe_;
    std::string appName_;
    bool hasIni_ = true;
    int targetCount_ = 0;
    std::map<std::string, std::string> values_;    // "section/key" -> value as written
    std::map<std::string, bool> present_;          // probed key -> opens with full access somewhere
    std::map<std::string, std::string> targets_;   // target path as read -> the marker it starts
    std::map<std::string, std::string> licences_;  // INFO as read -> the panel's text
    std::vector<std::unique_ptr<ScratchKey>> keys_;
};

// What the rules say a run shows.
struct Expected {
    std::vector<std::string> messages;
    bool dialog = false;
    std::string caption, title, copyright, targetName, panel, okLabel = "OK";
    std::string launch;  // the full path of the program started, or ""
};

Expected Predict(const Medium& medium, const std::string& iniPath, bool confirm)
{
    Expected expected;
    const std::uint32_t silent = SilentAsRead(medium.Read("Init", "Silent"));
    if (silent == 99) {
        expected.messages = {IniNotFoundText(iniPath)};
        return expected;
    }
    const auto read = [&](const char* section, const std::string& key) { return medium.ReadText(section, key); };
    expected.caption = read("Init", "Caption").empty() ? medium.AppName() : read("Init", "Caption");
    expected.title = read("Init", "Title");
    expected.copyright = read("Init", "Copyright");
    const std::string info = read("Init", "INFO");

    std::string targetPath;
    bool chosen = false;
    for (int i = 1; i <= 9 && !chosen; ++i) {
        const std::string key = read("ApplicationKeys", "RKey" + std::to_string(i));
        if (key.empty() || !medium.KeyPresent(key))
            continue;
        chosen = true;
        targetPath = read("ApplicationKeys", "Path" + std::to_string(i));
        if (!targetPath.empty())
            expected.targetName = read("ApplicationKeys", "Name" + std::to_string(i));
    }
    if (!chosen) {
        targetPath = read("Init", "DefaultPath");
        if (targetPath.empty()) {
            expected.messages = {kNoSuitableKeysText};
            return expected;
        }
        expected.targetName = read("Init", "DefaultName");
    }

    if (silent == 0) {
        expected.dialog = true;
        if (const std::string* licence = medium.Licence(info)) {
            expected.panel = *licence;
            expected.okLabel = licence->compare(0, 8, "END USER") == 0 ? "Accept" : "OK";
        } else if (!info.empty()) {
            const int cause = info.rfind("NOSUCH", 0) == 0 ? 2 : info.rfind("NODIR", 0) == 0 ? 3 : 5;
            expected.panel = InfoOpenFailedText(info, cause);
        }
        if (!confirm)
            return expected;
    }
    expected.launch = medium.Started(targetPath);
    if (expected.launch.empty())
        expected.messages = {LaunchFailedText(targetPath)};
    return expected;
}

class FuzzTest : public LauncherTest {
protected:
    // How many cases came to each outcome, to see what a seed covered.
    std::map<std::string, int> outcomes;

    // Runs one case; false when it failed.
    bool RunCase(unsigned seed)
    {
        SCOPED_TRACE("case seed " + std::to_string(seed) + " (TOLVAN_FUZZ_SEED=" + std::to_string(seed) +
                     " TOLVAN_FUZZ_CASES=1 replays it)");
        const auto failures = [] {
            return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
        };
        const int failuresBefore = failures();
        e2e::CaseDirectory caseDir;
        const Medium medium(seed, caseDir);
        // OK by a click or Enter, or Cancel by Esc or a click; each leaves
        // its own last message, whose word parameter is the exit code.
        const int answer = static_cast<int>(seed % 4);
        const Expected expected = Predict(medium, caseDir / (medium.AppName() + ".ini"), answer < 2);

        Expected shown;
        const auto before = caseDir.Snapshot();
        e2e::RunOptions options;
        options.program = caseDir / medium.Exe();
        options.currentDirectory = caseDir.Path();
        options.onDialog = [&](HWND dialog) {
            shown.caption = e2e::WindowText(dialog);
            shown.title = e2e::ItemText(dialog, IDC_TITLE);
            shown.copyright = e2e::ItemText(dialog, IDC_COPYRIGHT);
            shown.targetName = e2e::ItemText(dialog, IDC_TARGET_NAME);
            shown.panel = e2e::ItemText(dialog, IDC_INFO_TEXT);
            shown.okLabel = e2e::ItemText(dialog, IDOK);
            if (answer == 0 || answer == 3)
                e2e::Click(GetDlgItem(dialog, answer == 0 ? IDOK : IDCANCEL));
            else
                e2e::PressKey(dialog, answer == 1 ? VK_RETURN : VK_ESCAPE);
        };
        const RunResult result = e2e::Run(options);
        const std::string described = e2e::Describe(result);
        ++outcomes[std::string(expected.dialog ? "dialog, then " : "") +
                   (!expected.launch.empty() ? "launch" : !expected.messages.empty() ? "message" : "nothing")];

        EXPECT_TRUE(result.exited) << described;
        EXPECT_TRUE(before == caseDir.Snapshot()) << "the launcher changed its directory";
        EXPECT_EQ(expected.dialog ? 1 : 0, result.dialogs) << described;
        const DWORD exitCodes[] = {0, VK_RETURN, VK_ESCAPE, 0};
        EXPECT_EQ(expected.dialog ? exitCodes[answer] : 0u, result.exitCode) << described;
        if (expected.dialog && result.dialogs == 1) {
            EXPECT_EQ(expected.caption, shown.caption);
            EXPECT_EQ(expected.title, shown.title);
            EXPECT_EQ(expected.copyright, shown.copyright);
            EXPECT_EQ(expected.targetName, shown.targetName);
            EXPECT_TRUE(expected.panel == shown.panel)
                << "panel: " << shown.panel.size() << " bytes, expected " << expected.panel.size() << "; begins \""
                << shown.panel.substr(0, 80) << "\", expected \"" << expected.panel.substr(0, 80) << "\"";
            EXPECT_EQ(expected.okLabel, shown.okLabel);
        }
        EXPECT_EQ(expected.messages.size(), result.messageBoxes.size()) << described;
        for (std::size_t i = 0; i < expected.messages.size() && i < result.messageBoxes.size(); ++i)
            ExpectMessageBox(result.messageBoxes[i], expected.messages[i], medium.AppName());
        if (expected.launch.empty()) {
            EXPECT_TRUE(result.launches.empty()) << described;
        } else if (result.launches.size() != 1) {
            ADD_FAILURE() << "expected one launch of " << expected.launch << "\n" << described;
        } else {
            EXPECT_EQ(0, lstrcmpiA(expected.launch.c_str(), result.launches[0].program.c_str())) << described;
            EXPECT_EQ(caseDir.Path(), result.launches[0].currentDirectory);
            EXPECT_EQ(0, result.launches[0].dialogsShowing);
        }
        return failures() == failuresBefore;
    }
};

unsigned FromEnvironment(const char* name, unsigned otherwise)
{
    const char* value = std::getenv(name);
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : otherwise;
}

}  // namespace

TEST_F(FuzzTest, RandomMediaBehaveAsTheRulesSay)
{
    // Keys go under all three roots.
    SKIP_WITHOUT_ADMINISTRATOR_RIGHTS();
    if (!SingleByteCodePage())
        GTEST_SKIP() << WithoutSingleByteCodePage();
    const unsigned seed = FromEnvironment("TOLVAN_FUZZ_SEED", 20261208);
    const unsigned cases = FromEnvironment("TOLVAN_FUZZ_CASES", 80);
    std::printf("TOLVAN_FUZZ_SEED=%u TOLVAN_FUZZ_CASES=%u\n", seed, cases);
    std::vector<unsigned> failed;
    for (unsigned i = 0; i < cases; ++i)
        if (!RunCase(seed + i))
            failed.push_back(seed + i);
    std::string seeds;
    for (unsigned failedSeed : failed)
        seeds += " " + std::to_string(failedSeed);
    for (const auto& [outcome, count] : outcomes)
        std::printf("%5d %s\n", count, outcome.c_str());
    std::printf("%u cases, %zu failed%s%s\n", cases, failed.size(), failed.empty() ? "" : "; their seeds:",
                seeds.c_str());
    std::fflush(stdout);
}
