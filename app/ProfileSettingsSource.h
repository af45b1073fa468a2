#pragma once

#include <windows.h>

#include "config/SettingsSource.h"

class CWinApp;

// The predefined handle of a registry root.
HKEY RootHandle(RegistryRoot root);

// The settings as the platform gives them: the process's current
// directory, the INI file through the profile reads, the registry, and the
// application's message box.
class ProfileSettingsSource : public SettingsSource {
public:
    explicit ProfileSettingsSource(const CWinApp& app) : app_(app) {}

    std::string CurrentDirectory() override;
    std::uint32_t ReadInt(const std::string& section, const std::string& key,
                          std::uint32_t defaultValue, const std::string& file) override;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& file) override;
    bool KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath) override;
    void ShowMessage(const std::string& text) override;

private:
    const CWinApp& app_;
};
