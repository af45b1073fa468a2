#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/checker/MediaWarnings.h"
#include "core/checker/RecordingSource.h"

// What the configuration checker asks of Win32 beyond the launcher's own
// calls, to explain them; the launcher never calls these.
namespace win {

// The largest value a profile read can give: ReadProfileString with a
// buffer this large reads the whole value, to tell what the launcher's
// buffer cuts off.
constexpr DWORD kWholeProfileBufferSize = 32768;

// GetFullPathNameA (260-byte buffer): the path made full from the current
// directory, or "" when the call fails or the result needs more room.
std::string FullPathName(const std::string& path);

// What a path names, by GetFileAttributesA.
enum class PathKind { Missing, File, Folder };
PathKind KindOfPath(const std::string& path);

// SetCurrentDirectoryA: 0, or the error code of the failure.
DWORD ChangeCurrentDirectory(const std::string& directory);

// The files (not folders) of the current directory whose names end in
// ".dll", in the order FindFirstFileA finds them.
std::vector<std::string> DllFilesInCurrentDirectory();

// The file the shell would start for a path, looked for as the shell does
// from the current directory, with ".exe" added to a name without
// extension; "" when there is none. isFolder tells a folder of that name.
std::string FindProgram(const std::string& path, bool& isFolder);

// The ANSI code page of the process (GetACP).
unsigned AnsiCodePage();

// The current directory, read in UTF-16 and written in the ANSI code page
// as a program of that code page gets it.
AnsiView CurrentDirectoryInCodePage();

// Whether a path that begins with a drive letter lies on a network drive
// (GetDriveTypeA of its root).
bool IsOnNetworkDrive(const std::string& path);

// The path as \\server\share\... (WNetGetUniversalNameA); "" when it
// cannot be had.
std::string UniversalName(const std::string& path);

}  // namespace win

// The checker's further questions about the launcher's reads, asked of
// the platform with the launcher's own services.
class ProfileExplainingReads : public ExplainingReads {
public:
    std::string ReadWholeString(const std::string& section, const std::string& key, const std::string& file) override;
    AnsiView ReadInCodePage(const std::string& section, const std::string& key, const std::string& file) override;
    bool KeyOpensForReading(RegistryRoot root, const std::string& keyPath) override;
};
