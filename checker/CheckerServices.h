#pragma once

#include <windows.h>

#include <string>

// What the configuration checker asks of Win32 beyond the launcher's own
// calls, to explain them; the launcher never calls these.
namespace win {

// The largest value a profile read can give: ReadProfileString with a
// buffer this large reads the whole value, to tell what the launcher's
// buffer cuts off.
constexpr DWORD kWholeProfileBufferSize = 32768;

// The file the shell would start for a path, looked for as the shell does
// from the current directory, with ".exe" added to a name without
// extension; "" when there is none. isFolder tells a folder of that name.
std::string FindProgram(const std::string& path, bool& isFolder);

}  // namespace win
