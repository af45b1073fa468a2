#include "win32/ProfileSettingsSource.h"

#include "win32/Services.h"

HKEY RootHandle(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    }
    // No such root: the open fails and the key counts as absent there.
    return nullptr;
}

bool ProfileSettingsSource::CurrentDirectory(CString& directory)
{
    char buffer[kPathBufferSize];
    const std::size_t length = win::CurrentDirectory(buffer);
    return directory.Assign(buffer, length);
}

std::uint32_t ProfileSettingsSource::ReadInt(const char* section, const char* key, std::uint32_t defaultValue,
                                             const CString& file)
{
    return win::ReadProfileInt(section, key, defaultValue, file.GetString());
}

bool ProfileSettingsSource::ReadString(const char* section, const char* key, const CString& file, CString& value)
{
    char buffer[win::kProfileBufferSize];
    const std::size_t length = win::ReadProfileString(section, key, file.GetString(), buffer, sizeof buffer);
    return value.Assign(buffer, length);
}

bool ProfileSettingsSource::KeyOpensWithFullAccess(RegistryRoot root, const CString& keyPath)
{
    return win::KeyOpensWithFullAccess(RootHandle(root), keyPath.GetString());
}
