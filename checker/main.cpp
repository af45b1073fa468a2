// tolvan-check: tells a setup author what TOLVAN.EXE does when started in a
// directory, by running the launcher's own code for its settings, its
// choice of program and its information panel. It launches nothing and
// writes nothing but the preview it is asked for.
#include <windows.h>

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
#include "win32/CFileReader.h"
#include "win32/File.h"
#include "win32/ProfileSettingsSource.h"
#include "win32/Services.h"
#include "win32/WinApp.h"

namespace {

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

// The checker never waits for a user: what the framework would report in a
// box, the report tells.
void DropMessage(const std::string&, UINT) {}

// The checker's further questions about the launcher's reads, asked of
// the platform.
class PlatformExplainingReads : public ExplainingReads {
public:
    std::string ReadWholeString(const std::string& section, const std::string& key, const std::string& file) override
    {
        return win::ReadProfileString(section, key, file, win::kWholeProfileBufferSize);
    }
    bool KeyOpensForReading(RegistryRoot root, const std::string& keyPath) override
    {
        return win::KeyOpens(RootHandle(root), keyPath, KEY_READ);
    }
};

// Files named *.dll in the current directory, in the order found.
void NoteDllFiles(CheckFacts& facts)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("*.dll", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        // The pattern also matches a longer extension through the short name.
        const bool endsInDll = name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".dll") == 0;
        if (endsInDll && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            facts.dllFiles.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void NoteIniFile(CheckFacts& facts)
{
    const DWORD attributes = GetFileAttributesA(facts.settings.iniPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        facts.iniState = CheckFacts::IniState::Missing;
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        facts.iniState = CheckFacts::IniState::Folder;
        return;
    }
    facts.iniState = CheckFacts::IniState::Found;
    std::ifstream in(facts.settings.iniPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    facts.iniRead = in.is_open();
    facts.iniText = text.str();
}

// Fills the panel as the dialog does, through the same reader.
void ReadPanel(CheckFacts& facts)
{
    CFile file;
    CFileReader reader(file);
    RecordingInfoReader recorder(reader, facts);
    facts.panelRead = true;
    try {
        facts.panel = ReadInfoPanel(facts.settings.infoFile, recorder);
    } catch (const CFileException& error) {
        facts.panel.filled = true;
        facts.infoReadFailed = true;
        facts.infoReadCause = error.cause;
    }
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

}  // namespace

int main(int argc, char* argv[])
{
    // A checker started from the medium loads no DLL that lies there.
    win::RestrictLibrarySearch();
    const CheckOptions options = ParseCheckArguments(std::vector<std::string>(argv + 1, argv + argc), &win::IsAnsiLeadByte);
    if (options.help) {
        std::fputs(kCheckUsage, stdout);
        return kNothingWrong;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "tolvan-check: %s\n%s", options.error.c_str(), kCheckUsage);
        return kCannotCheck;
    }

    // As the launcher: no critical-error or missing-disk boxes of the system.
    win::AddErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetMessageSink(&DropMessage);

    // Named from where the checker was started, before it moves to DIR.
    const std::string previewFile = options.previewFile.empty() ? std::string() : FullPath(options.previewFile);
    if (!options.directory.empty() && !SetCurrentDirectoryA(options.directory.c_str())) {
        std::fprintf(stderr, "tolvan-check: cannot use %s as the current directory (error %lu)\n",
                     options.directory.c_str(), GetLastError());
        return kCannotCheck;
    }

    CheckFacts facts;
    facts.directory = win::CurrentDirectory();
    facts.applicationName = options.applicationName;
    facts.wideBuild = sizeof(void*) == 8;

    ProfileSettingsSource profile;
    PlatformExplainingReads explaining;
    RecordingSource source(profile, explaining, facts.calls);
    facts.decision = LoadSettingsFrom(source, facts.applicationName, facts.settings);
    NoteIniFile(facts);
    NoteDllFiles(facts);

    if (facts.decision.TargetChosen()) {
        if (!facts.settings.targetPath.empty())
            facts.programFound = win::FindProgram(facts.settings.targetPath, facts.programIsFolder);
        if (DialogShows(facts.settings))
            ReadPanel(facts);
    }
    if (!previewFile.empty())
        MakePreview(facts, previewFile);

    const CheckReport report = BuildReport(facts);
    std::fwrite(report.text.data(), 1, report.text.size(), stdout);
    std::fflush(stdout);
    return report.status;
}
