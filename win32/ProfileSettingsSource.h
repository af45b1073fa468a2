#pragma once

#include <windows.h>

#include "core/SettingsSource.h"

// The predefined handle of a registry root.
HKEY RootHandle(RegistryRoot root);

// The settings as the platform gives them: the process's current
// directory, the INI file through the profile reads and the registry. It
// only adapts the loader's interface to the services of Services.h (roots
// to handles, the launcher's buffer and access): those stay apart because
// each is tested alone against the real API, and the checker asks the same
// calls with a larger buffer and another access.
class ProfileSettingsSource : public SettingsSource {
public:
    bool CurrentDirectory(CString& directory) override;
    std::uint32_t ReadInt(const char* section, const char* key, std::uint32_t defaultValue,
                          const CString& file) override;
    bool ReadString(const char* section, const char* key, const CString& file, CString& value) override;
    bool KeyOpensWithFullAccess(RegistryRoot root, const CString& keyPath) override;
};
