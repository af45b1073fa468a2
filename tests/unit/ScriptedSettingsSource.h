#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "config/SettingsSource.h"

// Plays an INI file and a current directory back to the loader and writes
// down every call, so that tests can check the order of reads.
class ScriptedSettingsSource : public SettingsSource {
public:
    std::string currentDirectory = "D:\\";
    std::map<std::string, std::string> values;  // "Section/Key" -> value, as read
    std::vector<std::string> calls;
    std::vector<std::string> messages;

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

    void ShowMessage(const std::string& text) override
    {
        calls.push_back("message");
        messages.push_back(text);
    }
};
