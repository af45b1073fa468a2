#pragma once

#include <cstdint>
#include <string>

// The registry roots a candidate's key is looked for under; the Win32
// layer knows their handles.
enum class RegistryRoot {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
};

// What loading the settings asks of the platform. Each call is one read
// of the platform; nothing is cached, so the order of calls is the order
// of reads.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;

    // The process's current directory, or "" when it cannot be had.
    virtual std::string CurrentDirectory() = 0;

    // An integer profile read; defaultValue when the file, the section or
    // the key is missing.
    virtual std::uint32_t ReadInt(const std::string& section, const std::string& key,
                                  std::uint32_t defaultValue, const std::string& file) = 0;

    // A text profile read of at most kMaxValueLength characters (IniRules.h);
    // "" when missing.
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& file) = 0;

    // Whether the key at keyPath under root opens with full access. A key
    // that opens is closed again at once; nothing is read from it.
    virtual bool KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath) = 0;
};
