#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/InfoPanel.h"
#include "core/LaunchSettings.h"
#include "core/SettingsLoader.h"
#include "core/SettingsSource.h"
#include "core/checker/MediaWarnings.h"
#include "core/checker/Warnings.h"

// What the checker saw the launcher's own code do in a directory, and the
// plain report made of it.

enum class ProbeOutcome {
    Opened,   // opens with full access: the candidate is present
    Absent,   // does not open at all
    Refused,  // opens for reading but not with full access
};

// One call of the launcher's settings source, in the order it was made.
struct RecordedCall {
    enum class Kind { Read, Probe } kind = Kind::Read;
    std::string section;       // a read
    std::string key;           // a read
    bool isInteger = false;    // a read of Silent
    std::uint32_t integer = 0; // what an integer read gave
    std::string value;         // what a text read gave the launcher
    std::string whole;         // the same value without the launcher's limit
    AnsiView inCodePage;       // the same value as the code page writes it
    RegistryRoot root = RegistryRoot::ClassesRoot;  // a probe
    std::string keyPath;                            // a probe
    ProbeOutcome outcome = ProbeOutcome::Absent;    // a probe
};

struct CheckFacts {
    std::string directory;        // as the launcher's current directory
    std::string applicationName;
    // Where the directory lies and how the code page writes its path, for
    // what breaks a medium in the field.
    bool onNetworkDrive = false;
    std::string uncPath;          // the directory as \\server\share\...; "" when unknown
    unsigned codePage = 0;        // the ANSI code page
    AnsiView directoryInCodePage; // the directory's path as it writes it
    bool wideBuild = false;       // a 64-bit checker, whose registry view differs
    enum class IniState { Found, Missing, Folder } iniState = IniState::Missing;
    bool iniRead = false;         // the file's text could be read for the warnings
    std::string iniText;
    // DLL files in the directory, which a program started from there may
    // load with the rights it runs with.
    std::vector<std::string> dllFiles;

    std::vector<RecordedCall> calls;
    LoadDecision decision;  // what the launcher's loading decided
    LaunchSettings settings;

    // The chosen program as the shell would find it: its full path, or ""
    // when it is not there.
    std::string programFound;
    bool programIsFolder = false;

    // The information panel, filled only when the dialog shows.
    bool panelRead = false;
    InfoPanelContent panel;
    ZeroBytes infoZeros;  // in the bytes read from the file

    bool previewAsked = false;
    std::string previewFile;
    int previewWidth = 0;
    int previewHeight = 0;
    std::string previewError;      // empty when the preview was written
};

// Exit statuses of the checker.
constexpr int kNothingWrong = 0;
constexpr int kWarnings = 1;
constexpr int kLauncherError = 2;
constexpr int kCannotCheck = 3;

struct CheckReport {
    std::string text;  // lines ending in "\n"
    int status = kNothingWrong;
};

CheckReport BuildReport(const CheckFacts& facts);
