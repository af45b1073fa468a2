#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/IniRules.h"

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

// The size of the launcher's buffer for a profile value: room for the
// longest value it takes and the terminating zero.
constexpr DWORD kProfileBufferSize = static_cast<DWORD>(kMaxValueLength + 1);

// GetPrivateProfileStringA into a buffer of bufferSize bytes: at most
// bufferSize - 1 characters, "" when missing.
std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& file,
                              DWORD bufferSize = kProfileBufferSize);

// RegOpenKeyExA with options 0 and the access asked for; a key that opens
// is closed again at once. True only when the open succeeded.
bool KeyOpens(HKEY root, const std::string& keyPath, REGSAM access);

// The launcher's probe: KeyOpens with KEY_ALL_ACCESS.
bool KeyOpensWithFullAccess(HKEY root, const std::string& keyPath);

// ShellExecuteA with the verb "open", no parameters, no directory and
// SW_SHOWNORMAL; the raw result, above 32 when the program was started.
// COM is ready on the calling thread for the call, as the shell asks: the
// handler of a file may be a COM shell extension.
std::intptr_t ShellOpen(const std::string& file);

// MessageBoxA owned by the thread's active window, if any.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);

}  // namespace win
