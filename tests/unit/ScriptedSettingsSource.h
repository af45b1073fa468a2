#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/SettingsSource.h"
#include "tests/CountedText.h"

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
    // "Section/Key" of the reads whose text cannot be held.
    std::set<std::string> unheld;
    std::vector<std::string> calls;

    bool CurrentDirectory(CString& directory) override
    {
        calls.push_back("cwd");
        directory = Text(currentDirectory);
        return true;
    }

    std::uint32_t ReadInt(const char* section, const char* key, std::uint32_t defaultValue,
                          const CString& file) override
    {
        const std::string name = std::string(section) + "/" + key;
        calls.push_back("int " + name + " @" + Str(file));
        const auto found = values.find(name);
        return found == values.end() ? defaultValue : static_cast<std::uint32_t>(std::stol(found->second));
    }

    bool ReadString(const char* section, const char* key, const CString& file, CString& value) override
    {
        const std::string name = std::string(section) + "/" + key;
        calls.push_back(name + " @" + Str(file));
        const auto found = values.find(name);
        value = Text(found == values.end() ? std::string() : found->second);
        return unheld.count(name) == 0;
    }

    bool KeyOpensWithFullAccess(RegistryRoot root, const CString& keyPath) override
    {
        const std::string key = RootName(root) + "\\" + Str(keyPath);
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
        return "root " + std::to_string(static_cast<int>(root));
    }
};
