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

std::string ProfileSettingsSource::CurrentDirectory()
{
    return win::CurrentDirectory();
}

std::uint32_t ProfileSettingsSource::ReadInt(const std::string& section, const std::string& key,
                                             std::uint32_t defaultValue, const std::string& file)
{
    return win::ReadProfileInt(section, key, defaultValue, file);
}

std::string ProfileSettingsSource::ReadString(const std::string& section, const std::string& key,
                                              const std::string& file)
{
    return win::ReadProfileString(section, key, file);
}

bool ProfileSettingsSource::KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath)
{
    return win::KeyOpensWithFullAccess(RootHandle(root), keyPath);
}
