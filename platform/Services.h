#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The thin Win32 services the launcher calls. Each is one call of the
// platform with the buffers the launcher has always used; none throws.
namespace win {

// Keeps DLLs the process loads later to the system directory: a DLL
// planted beside the program or in the current directory, often a folder
// anyone can write to, would otherwise run with the program's rights, which
// for an elevated setup are an administrator's. The first thing a program
// does, before any call that may load a library.
void RestrictLibrarySearch();

// Adds flags to the process error mode in force.
void AddErrorMode(UINT flags);

// Whether a byte opens a two-byte character in the ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);

// The running executable's full path (260-byte buffer).
std::string ModuleFileName();

// The current directory (260-byte buffer); "" when the call fails or the
// directory needs more than 259 characters.
std::string CurrentDirectory();

// GetPrivateProfileIntA: the default when the file, section or key is missing.
UINT ReadProfileInt(const std::string& section, const std::string& key, UINT defaultValue,
                    const std::string& file);

// GetPrivateProfileStringA into an 80-byte buffer: at most 79 characters,
// "" when missing.
std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& file);

// RegOpenKeyExA with options 0 and KEY_ALL_ACCESS; a key that opens is
// closed again at once. True only when the open succeeded.
bool KeyOpensWithFullAccess(HKEY root, const std::string& keyPath);

// ShellExecuteA with the verb "open", no parameters, no directory and
// SW_SHOWNORMAL; the raw result, above 32 when the program was started.
// COM is ready on the calling thread for the call, as the shell asks: the
// handler of a file may be a COM shell extension.
std::intptr_t ShellOpen(const std::string& file);

// MessageBoxA owned by the thread's active window, if any.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);

// What the configuration checker asks beyond the launcher's own calls, to
// explain them; the launcher never calls these.

// RegOpenKeyExA with KEY_READ: whether the key exists and can be read,
// for telling a missing key from one that refuses full access.
bool KeyOpensForReading(HKEY root, const std::string& keyPath);

// GetPrivateProfileStringA into a buffer as large as a profile value can
// be: the whole value, to tell what the launcher's 80 bytes cut off.
std::string ReadWholeProfileString(const std::string& section, const std::string& key,
                                   const std::string& file);

// The file the shell would start for a path, looked for as the shell does
// from the current directory, with ".exe" added to a name without
// extension; "" when there is none. isFolder tells a folder of that name.
std::string FindProgram(const std::string& path, bool& isFolder);

}  // namespace win
