#include "win32/ThreeDimensionalLook.h"

#include <cstring>

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
    static constexpr char kLibrary[] = "\\CTL3D32.DLL";
    char path[MAX_PATH + sizeof kLibrary] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::memcpy(path + length, kLibrary, sizeof kLibrary);
    const HMODULE library = LoadLibraryA(path);
    if (!library)
        return;
    const Ctl3dCall registerApp = FindCall(library, "Ctl3dRegister");
    const Ctl3dCall autoSubclass = FindCall(library, "Ctl3dAutoSubclass");
    if (registerApp && autoSubclass && registerApp(instance))
        autoSubclass(instance);
}
