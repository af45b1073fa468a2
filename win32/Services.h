#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "core/IniRules.h"
#include "core/Paths.h"

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

// The running executable's full path.
void ModuleFileName(char (&path)[kPathBufferSize]);

// The current directory and its length; "" when the call fails or the
// directory needs more than 259 characters.
std::size_t CurrentDirectory(char (&directory)[kPathBufferSize]);

// GetPrivateProfileIntA: the default when the file, section or key is missing.
UINT ReadProfileInt(const char* section, const char* key, UINT defaultValue, const char* file);

// The size of the launcher's buffer for a profile value: room for the
// longest value it takes and the terminating zero.
constexpr DWORD kProfileBufferSize = static_cast<DWORD>(kMaxValueLength + 1);

// GetPrivateProfileStringA into a buffer of bufferSize bytes: at most
// bufferSize - 1 characters, "" when missing; returns the value's length.
std::size_t ReadProfileString(const char* section, const char* key, const char* file, char* buffer,
                              DWORD bufferSize);

// RegOpenKeyExA with options 0 and the access asked for; a key that opens
// is closed again at once. True only when the open succeeded.
bool KeyOpens(HKEY root, const char* keyPath, REGSAM access);

// The launcher's probe: KeyOpens with KEY_ALL_ACCESS.
bool KeyOpensWithFullAccess(HKEY root, const char* keyPath);

// ShellExecuteA with the verb "open", no parameters, no directory and
// SW_SHOWNORMAL; the raw result, above 32 when the program was started.
// COM is ready on the calling thread for the call, as the shell asks: the
// handler of a file may be a COM shell extension.
std::intptr_t ShellOpen(const char* file);

// MessageBoxA owned by the thread's active window, if any.
int ShowMessageBox(const char* text, const char* caption, UINT type);

}  // namespace win
