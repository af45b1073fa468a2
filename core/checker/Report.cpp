#include "core/checker/Report.h"

#include "core/FileError.h"
#include "core/IniRules.h"
#include "core/LaunchFlow.h"
#include "core/Messages.h"
#include "core/checker/IniScan.h"
#include "core/checker/StdText.h"
#include "core/checker/Warnings.h"

namespace {

const char* RootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case RegistryRoot::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::CurrentUser:
        return "HKEY_CURRENT_USER";
    }
    return "an unknown root";
}

// A message box text, one indented line per line of the box.
std::string Indented(const std::string& text, const std::string& indent)
{
    std::string out = indent;
    for (const char c : text) {
        out += c;
        if (c == '\n')
            out += indent;
    }
    return out + "\n";
}

std::string FileErrorText(int cause, const std::string& fileName)
{
    CString message;
    Held(FileErrorMessage(cause, fileName.c_str(), message));
    return Std(message);
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

class Writer {
public:
    explicit Writer(const CheckFacts& facts) : facts_(facts) {}

    CheckReport Build()
    {
        Header();
        MediaWarnings();
        Trace();
        if (facts_.iniState == CheckFacts::IniState::Found && facts_.iniRead)
            AddAll(IniWarnings(ScanIni(facts_.iniText)));
        SilentWarning();
        DllWarning();
        Outcome();
        Preview();
        Warnings();
        Result();
        return report_;
    }

private:
    void Line(const std::string& text) { report_.text += text + "\n"; }
    void Warn(const std::string& text) { warnings_.push_back(text); }
    void AddAll(const std::vector<std::string>& more) { warnings_.insert(warnings_.end(), more.begin(), more.end()); }

    void Header()
    {
        Line("Directory: " + facts_.directory);
        Line("Application name: " + facts_.applicationName);
        Line(facts_.wideBuild ? "Registry view: 64-bit; the shipped TOLVAN.EXE, a 32-bit program, sees the 32-bit view "
                                "on 64-bit Windows: check there with the 32-bit tolvan-check.exe"
                              : "Registry view: 32-bit, as the shipped TOLVAN.EXE sees it");
        Line("");
        Line("Configuration file: " + Std(facts_.settings.iniPath));
        switch (facts_.iniState) {
        case CheckFacts::IniState::Found:
            Line(facts_.iniRead ? "  found" : "  found, but its text cannot be read for the warnings");
            break;
        case CheckFacts::IniState::Missing:
            Line("  not found");
            break;
        case CheckFacts::IniState::Folder:
            Line("  not found: a folder has that name");
            break;
        }
        Line("");
    }

    void Trace()
    {
        Line("Reads and key probes, in the launcher's order:");
        for (const RecordedCall& call : facts_.calls) {
            if (call.kind == RecordedCall::Kind::Read)
                Read(call);
            else if (call.kind == RecordedCall::Kind::Probe)
                Probe(call);
        }
        Line("");
    }

    void Read(const RecordedCall& call)
    {
        const std::string name = "[" + call.section + "] " + call.key;
        if (call.isInteger) {
            Line("  " + name + ": " + std::to_string(call.integer) +
                 (call.integer == kSilentMissing ? " (what a missing file, section or key reads as)" : ""));
            return;
        }
        if (call.value.empty()) {
            Line("  " + name + ": not set");
            return;
        }
        Line("  " + name + ": " + call.value);
        if (call.whole.size() > call.value.size()) {
            const std::string lost = call.whole.substr(call.value.size());
            Line("    cut to " + std::to_string(call.value.size()) + " characters; lost: " + lost);
            Warn(name + " is longer than " + std::to_string(kMaxValueLength) + " characters: the launcher loses " +
                 std::to_string(lost.size()) + " characters of it");
        }
    }

    void Probe(const RecordedCall& call)
    {
        const std::string root = RootName(call.root);
        switch (call.outcome) {
        case ProbeOutcome::Opened:
            Line(std::string("    ") + root + ": opens with full access");
            break;
        case ProbeOutcome::Absent:
            Line(std::string("    ") + root + ": absent");
            break;
        case ProbeOutcome::Refused:
            Line(std::string("    ") + root + ": exists but refuses full access (the launcher treats it as absent)");
            Warn(call.keyPath + " exists under " + root +
                 " but refuses full access: the launcher treats it as absent; run it elevated, or expect the default");
            break;
        }
    }

    // What breaks the medium where it lies, whatever the INI file says.
    void MediaWarnings()
    {
        if (facts_.onNetworkDrive)
            Warn(NetworkDriveWarning(facts_.directory, facts_.uncPath));
        const std::string directory = DirectoryCodePageWarning(facts_.directoryInCodePage, facts_.codePage);
        if (!directory.empty())
            Warn(directory);
        for (const RecordedCall& call : facts_.calls) {
            if (call.kind != RecordedCall::Kind::Read || call.isInteger)
                continue;
            const std::string value =
                ValueCodePageWarning("[" + call.section + "] " + call.key, call.inCodePage, facts_.codePage);
            if (!value.empty())
                Warn(value);
        }
    }

    void DllWarning()
    {
        if (facts_.dllFiles.empty())
            return;
        std::string names;
        for (const std::string& name : facts_.dllFiles)
            names += (names.empty() ? "" : ", ") + name;
        Warn("DLL files lie beside the launcher: " + names +
             ". TOLVAN.EXE loads none of them, but a program started from here, elevated as a setup is, may load "
             "them with administrator rights; keep on the medium only the DLLs its programs need, in their own "
             "folders");
    }

    void SilentWarning()
    {
        // A missing file is told as missing; here the file is there.
        if (facts_.iniState != CheckFacts::IniState::Found || !facts_.iniRead ||
            facts_.decision.outcome != LoadDecision::Outcome::IniNotFound)
            return;
        const IniFile ini = ScanIni(facts_.iniText);
        const IniSection* init = FindSection(ini, kInitSection);
        const IniKey* silent = init ? FindKey(*init, kSilentKey) : nullptr;
        const std::string missing = std::to_string(kSilentMissing);
        if (!init)
            Warn(std::string("the file has no [") + kInitSection + "] section: " + kSilentKey + " reads as " + missing +
                 " and the launcher reports the file as not found");
        else if (!silent)
            Warn(std::string("[") + kInitSection + "] has no " + kSilentKey + ": it reads as " + missing +
                 " and the launcher reports the file as not found");
        else
            Warn("line " + std::to_string(silent->line) + ": " + kSilentKey + "=" + silent->rawValue + " reads as " +
                 missing + ", which the launcher takes for a missing key: it reports the file as not found");
    }

    // The launcher's end: the choice, the program, the dialog, and the
    // message it ends with, if any.
    void Outcome()
    {
        const LaunchSettings& settings = facts_.settings;
        const LoadDecision& decision = facts_.decision;
        if (!decision.TargetChosen()) {
            switch (decision.outcome) {
            case LoadDecision::Outcome::IniNotFound:
                Line(std::string("Choice: none; the launcher ends after reading ") + kSilentKey);
                break;
            case LoadDecision::Outcome::OutOfMemory:
                Line("Choice: none; the launcher ends when a text read cannot be held");
                break;
            default:
                Line(std::string("Choice: no candidate is present and ") + kDefaultPathKey + " is not set");
                break;
            }
            Line("Dialog: not shown; the launcher ends first");
            EndsWith("The launcher ends with this message:",
                     decision.outcome == LoadDecision::Outcome::OutOfMemory ? kOutOfMemoryMessage
                                                                            : Std(settings.messageText));
            Line("");
            return;
        }

        if (decision.outcome == LoadDecision::Outcome::DefaultProgram) {
            Line("Choice: no candidate is present, so the default program: " + Std(settings.targetPath));
        } else {
            const std::string number = std::to_string(decision.candidate);
            const std::string choice =
                "Choice: candidate " + number + ", whose key opens under " + RootName(decision.root);
            Line(settings.targetPath.IsEmpty() ? choice + ", but " + kPathPrefix + number + " is not set"
                                               : choice + ": " + Std(settings.targetPath));
        }

        const bool launchFails = Program();
        Dialog();
        if (launchFails) {
            CString message;
            Held(LaunchFailedMessage(settings.targetPath, message));
            EndsWith(DialogShows(settings) ? "On OK, the launch fails with this message:"
                                           : "The launch fails with this message:",
                     Std(message));
        }
        Line("");
    }

    void EndsWith(const std::string& lead, const std::string& message)
    {
        Line(lead);
        report_.text += Indented(message, "  ");
        ending_ = true;
    }

    // True when the launch of the chosen program fails.
    bool Program()
    {
        const std::string path = Std(facts_.settings.targetPath);
        if (path.empty()) {
            Line("Program: none; the shell cannot start an empty path");
            return true;
        }
        if (facts_.programFound.empty()) {
            Line("Program: " + path + " does not exist, seen from " + facts_.directory);
            return true;
        }
        if (facts_.programIsFolder) {
            Line("Program: " + facts_.programFound + " is a folder: the shell opens a window on it, no program starts");
            Warn(path + " is a folder, not a program");
            return false;
        }
        Line("Program: " + facts_.programFound + " exists");
        return false;
    }

    void Dialog()
    {
        const LaunchSettings& settings = facts_.settings;
        const std::string silent = std::string(kSilentKey) + " is " + std::to_string(settings.silent);
        if (!DialogShows(settings)) {
            Line("Dialog: not shown, since " + silent + ": the program starts at once");
            return;
        }
        Line("Dialog: shown, since " + silent + "; the program starts only on OK");
        Line("  Caption: " + Std(settings.caption));
        Panel();
    }

    void Panel()
    {
        using Outcome = InfoPanelContent::Outcome;
        const std::string info = Std(facts_.settings.infoFile);
        const InfoPanelContent& panel = facts_.panel;
        const std::string text = Std(panel.text);
        const Outcome outcome = facts_.panelRead ? panel.outcome : Outcome::NoFile;
        switch (outcome) {
        case Outcome::NoFile:
            Line(std::string("  Panel: empty, since ") + kInfoKey + " is not set");
            break;
        case Outcome::OpenFailed:
            Line("  Panel: " + text + " (" + FileErrorText(panel.cause, info) + ")");
            Warn(info + " cannot be opened: the panel shows an error line instead of its text");
            break;
        case Outcome::ReadFailed:
            Line("  Panel: empty; reading " + info + " fails, and the launcher first shows this message:");
            report_.text += Indented(FileErrorText(panel.cause, std::string()), "    ");
            Warn("reading " + info + " fails after it was opened: the panel stays empty");
            break;
        case Outcome::TooLarge:
            Line("  Panel: empty; the text of " + info +
                 " is too large to hold, and the launcher first shows this message:");
            report_.text += Indented(kOutOfMemoryMessage, "    ");
            Warn(info + " is too large for the launcher to hold: it shows \"" + kOutOfMemoryMessage +
                 "\" and an empty panel, and OK starts the program without the text having been shown");
            break;
        case Outcome::Filled:
            Line(text.empty() ? "  Panel: empty, since " + info + " is empty" : "  Panel: " + FirstLine(text));
            AddAll(InfoFileWarnings(info, facts_.infoZeros, text));
            break;
        }
        Line(std::string("  OK reads: ") + (panel.accept ? kAcceptLabel : "OK"));
    }

    void Preview()
    {
        if (!facts_.previewAsked)
            return;
        if (!facts_.previewError.empty()) {
            Line("Preview: not made: " + facts_.previewError);
        } else {
            const bool shown = facts_.decision.TargetChosen() && DialogShows(facts_.settings);
            Line("Preview: " + facts_.previewFile + ", " + std::to_string(facts_.previewWidth) + " by " +
                 std::to_string(facts_.previewHeight) + " pixels" +
                 (shown ? "" : "; no dialog would show, this is how it would look"));
        }
        Line("");
    }

    void Warnings()
    {
        if (warnings_.empty()) {
            Line("Warnings: none");
        } else {
            Line("Warnings:");
            for (const std::string& warning : warnings_)
                Line("  " + warning);
        }
        Line("");
    }

    void Result()
    {
        std::string result;
        if (facts_.previewAsked && !facts_.previewError.empty()) {
            report_.status = kCannotCheck;
            result = "the preview could not be made";
        } else if (ending_) {
            report_.status = kLauncherError;
            result = "the launcher ends with an error message";
        } else if (!warnings_.empty()) {
            report_.status = kWarnings;
            result = std::to_string(warnings_.size()) + (warnings_.size() == 1 ? " warning" : " warnings");
        } else {
            report_.status = kNothingWrong;
            result = "nothing wrong";
        }
        Line("Result: " + result + " (exit status " + std::to_string(report_.status) + ")");
    }

    const CheckFacts& facts_;
    CheckReport report_;
    std::vector<std::string> warnings_;
    bool ending_ = false;
};

}  // namespace

CheckReport BuildReport(const CheckFacts& facts)
{
    return Writer(facts).Build();
}
