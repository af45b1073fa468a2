#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/SettingsLoader.h"
#include "core/SettingsSource.h"

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
        return "root " + std::to_string(static_cast<int>(root));
    }
};

// Loads the settings from a scripted source as the launcher does.
class ScriptedLoadTest : public ::testing::Test {
protected:
    // 1 when a target is chosen; 0 once the message that ends the run is
    // kept as the launcher would show it.
    int Load()
    {
        decision = LoadSettingsFrom(source, "TOLVAN", settings);
        if (!decision.TargetChosen())
            messages.push_back(settings.messageText);
        return decision.TargetChosen() ? 1 : 0;
    }

    void SetInit(const std::string& key, const std::string& value) { source.values["Init/" + key] = value; }

    // The run ends once DefaultPath was read and found unset, with the
    // message that says so.
    void ExpectNoSuitableKeys()
    {
        const std::string message = "Error in ini file:\nNo suitable keys found";
        EXPECT_EQ(LoadDecision::Outcome::NoSuitableKeys, decision.outcome);
        EXPECT_EQ(std::vector<std::string>{message}, messages);
        EXPECT_EQ(message, settings.messageText);
        ASSERT_FALSE(source.calls.empty());
        EXPECT_EQ("Init/DefaultPath @" + settings.iniPath, source.calls.back());
    }

    ScriptedSettingsSource source;
    LaunchSettings settings;
    LoadDecision decision;
    std::vector<std::string> messages;
};
