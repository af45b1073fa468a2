#include "app/ProfileSettingsSource.h"

#include "platform/Services.h"
#include "platform/WinApp.h"

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

void ProfileSettingsSource::ShowMessage(const std::string& text)
{
    app_.ShowMessage(text);
}
