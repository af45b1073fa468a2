#include "win32/ThreeDimensionalLook.h"

#include <string>

namespace {

constexpr unsigned kFirstThreeDimensionalVersion = 4;

using Ctl3dCall = BOOL(WINAPI*)(HINSTANCE);

Ctl3dCall FindCall(HMODULE library, const char* name)
{
    // Through a generic function type, which any function pointer may be
    // cast to and from.
    using Generic = void (*)();
    return reinterpret_cast<Ctl3dCall>(reinterpret_cast<Generic>(GetProcAddress(library, name)));
}

}  // namespace

void EnableThreeDimensionalLook(HINSTANCE instance)
{
    const unsigned major = LOBYTE(LOWORD(GetVersion()));
    if (major >= kFirstThreeDimensionalVersion)
        return;
    // By its full path: never a copy beside the program.
    char directory[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const std::string path = std::string(directory, length) + "\\CTL3D32.DLL";
    const HMODULE library = LoadLibraryA(path.c_str());
    if (!library)
        return;
    const Ctl3dCall registerApp = FindCall(library, "Ctl3dRegister");
    const Ctl3dCall autoSubclass = FindCall(library, "Ctl3dAutoSubclass");
    if (registerApp && autoSubclass && registerApp(instance))
        autoSubclass(instance);
}
