// tolvan-check: tells a setup author what TOLVAN.EXE does when started in a
// directory, by running the launcher's own code for its settings, its
// choice of program and its information panel. It launches nothing and
// writes nothing but the preview it is asked for.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "checker/CheckerServices.h"
#include "checker/Preview.h"
#include "core/LaunchFlow.h"
#include "core/SettingsLoader.h"
#include "core/checker/Bitmap.h"
#include "core/checker/Options.h"
#include "core/checker/RecordingSource.h"
#include "core/checker/Report.h"
#include "core/checker/StdText.h"
#include "win32/CFileReader.h"
#include "win32/ProfileSettingsSource.h"
#include "win32/Services.h"
#include "win32/WinApp.h"

namespace {

// The checker never waits for a user: what the framework would report in a
// box, the report tells.
void DropMessage(const char*, UINT) {}

// For --help, or arguments that make no sense: the usage, and the exit status.
int PrintUsage(const CheckOptions& options)
{
    if (options.help) {
        std::fputs(kCheckUsage, stdout);
        return kNothingWrong;
    }
    std::fprintf(stderr, "tolvan-check: %s\n%s", options.error.c_str(), kCheckUsage);
    return kCannotCheck;
}

// The preview's file, named from where the checker was started, before it
// moves to DIR; "" when none is asked for.
std::string PreviewFile(const CheckOptions& options)
{
    if (options.previewFile.empty())
        return std::string();
    const std::string full = win::FullPathName(options.previewFile);
    return full.empty() ? options.previewFile : full;
}

// Makes DIR the current directory, as the launcher's would be; false, once
// it has said why, when it cannot.
bool EnterDirectory(const std::string& directory)
{
    if (directory.empty())
        return true;
    const DWORD error = win::ChangeCurrentDirectory(directory);
    if (error == ERROR_SUCCESS)
        return true;
    std::fprintf(stderr, "tolvan-check: cannot use %s as the current directory (error %lu)\n", directory.c_str(),
                 error);
    return false;
}

// Loads the settings with the launcher's own code and source, every read
// and probe written down.
void LoadAsTheLauncher(const CheckOptions& options, CheckFacts& facts)
{
    char directory[kPathBufferSize];
    facts.directory = std::string(directory, win::CurrentDirectory(directory));
    facts.applicationName = options.applicationName;
    facts.wideBuild = sizeof(void*) == 8;
    ProfileSettingsSource profile;
    ProfileExplainingReads explaining;
    RecordingSource source(profile, explaining, facts.calls);
    facts.decision = LoadSettingsFrom(source, facts.applicationName.c_str(), facts.settings);
}

// The drive the directory lies on and how the code page writes its path,
// which the launcher's reads cannot tell.
void NoteWhereItLies(CheckFacts& facts)
{
    facts.codePage = win::AnsiCodePage();
    facts.directoryInCodePage = win::CurrentDirectoryInCodePage();
    facts.onNetworkDrive = win::IsOnNetworkDrive(facts.directory);
    if (facts.onNetworkDrive)
        facts.uncPath = win::UniversalName(facts.directory);
}

// The INI file itself, for what the launcher's reads cannot tell.
void NoteIniFile(CheckFacts& facts)
{
    const std::string iniPath = Std(facts.settings.iniPath);
    switch (win::KindOfPath(iniPath)) {
    case win::PathKind::Missing:
        facts.iniState = CheckFacts::IniState::Missing;
        return;
    case win::PathKind::Folder:
        facts.iniState = CheckFacts::IniState::Folder;
        return;
    case win::PathKind::File:
        break;
    }
    facts.iniState = CheckFacts::IniState::Found;
    std::ifstream in(iniPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    facts.iniRead = in.is_open();
    facts.iniText = text.str();
}

// Fills the panel as the dialog does, through the same reader.
void ReadPanel(CheckFacts& facts)
{
    CFileReader reader;
    RecordingInfoReader recorder(reader, facts.infoZeros);
    facts.panelRead = true;
    facts.panel = ReadInfoPanel(facts.settings.infoFile, recorder);
}

// What the launch after loading would meet: the program the shell would
// start, and the panel when the dialog shows.
void FollowTheLaunch(CheckFacts& facts)
{
    if (!facts.decision.TargetChosen())
        return;
    if (!facts.settings.targetPath.IsEmpty())
        facts.programFound = win::FindProgram(Std(facts.settings.targetPath), facts.programIsFolder);
    if (DialogShows(facts.settings))
        ReadPanel(facts);
}

void MakePreview(CheckFacts& facts, const std::string& file)
{
    facts.previewAsked = true;
    facts.previewFile = file;
    const DialogImage image = DrawDialog(facts.settings);
    facts.previewWidth = image.width;
    facts.previewHeight = image.height;
    if (!image.error.empty()) {
        facts.previewError = image.error;
        return;
    }
    const std::string bytes = BmpFile(image.width, image.height, image.pixels);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.good())
        facts.previewError = "cannot write " + file;
}

// Prints the report; its status is the checker's exit status.
int PrintReport(const CheckFacts& facts)
{
    const CheckReport report = BuildReport(facts);
    std::fwrite(report.text.data(), 1, report.text.size(), stdout);
    std::fflush(stdout);
    return report.status;
}

}  // namespace

int main(int argc, char* argv[])
{
    // As the launcher: no DLL from the medium, no boxes of the system.
    PrepareProcess();
    const CheckOptions options =
        ParseCheckArguments(std::vector<std::string>(argv + 1, argv + argc), &win::IsAnsiLeadByte);
    if (options.help || !options.error.empty())
        return PrintUsage(options);
    SetMessageSink(&DropMessage);
    const std::string previewFile = PreviewFile(options);
    if (!EnterDirectory(options.directory))
        return kCannotCheck;

    CheckFacts facts;
    LoadAsTheLauncher(options, facts);
    NoteWhereItLies(facts);
    NoteIniFile(facts);
    facts.dllFiles = win::DllFilesInCurrentDirectory();
    FollowTheLaunch(facts);
    if (!previewFile.empty())
        MakePreview(facts, previewFile);
    return PrintReport(facts);
}
