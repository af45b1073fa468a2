#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/SettingsSource.h"

// Plays an INI file, a current directory and a registry back to the loader
// and writes down every call, so that tests can check the order of reads
// and key probes.
class ScriptedSettingsSource : public SettingsSource {
public:
    std::string currentDirectory = "D:\\";
    std::map<std::string, std::string> values;  // "Section/Key" -> value, as read
    // The keys that open with full access, as "HKLM\\path"; any other probe
    // fails, as it does for a missing key or a refused open.
    std::set<std::string> keys;
    std::vector<std::string> calls;

    std::string CurrentDirectory() override
    {
        calls.push_back("cwd");
        return currentDirectory;
    }

    std::uint32_t ReadInt(const std::string& section, const std::string& key,
                          std::uint32_t defaultValue, const std::string& file) override
    {
        calls.push_back("int " + section + "/" + key + " @" + file);
        const auto found = values.find(section + "/" + key);
        return found == values.end() ? defaultValue
                                     : static_cast<std::uint32_t>(std::stol(found->second));
    }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& file) override
    {
        calls.push_back(section + "/" + key + " @" + file);
        const auto found = values.find(section + "/" + key);
        return found == values.end() ? std::string() : found->second;
    }

    bool KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath) override
    {
        const std::string key = RootName(root) + "\\" + keyPath;
        calls.push_back("probe " + key);
        return keys.count(key) != 0;
    }

    static std::string RootName(RegistryRoot root)
    {
        switch (root) {
        case RegistryRoot::ClassesRoot:
            return "HKCR";
        case RegistryRoot::LocalMachine:
            return "HKLM";
        case RegistryRoot::CurrentUser:
            return "HKCU";
        }
        return "root " + std::to_string(static_cast<std::uint32_t>(root));
    }
};
