#pragma once

#include <cstdint>

#include "core/Text.h"

// The registry roots a candidate's key is looked for under; the Win32
// layer knows their handles.
enum class RegistryRoot {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
};

// What loading the settings asks of the platform. Each call is one read
// of the platform; nothing is cached, so the order of calls is the order
// of reads. A text call returns false only when the text it read cannot be
// held.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;

    // The process's current directory, or "" when it cannot be had.
    [[nodiscard]] virtual bool CurrentDirectory(CString& directory) = 0;

    // An integer profile read; defaultValue when the file, the section or
    // the key is missing.
    virtual std::uint32_t ReadInt(const char* section, const char* key, std::uint32_t defaultValue,
                                  const CString& file) = 0;

    // A text profile read of at most kMaxValueLength characters (IniRules.h);
    // "" when missing.
    [[nodiscard]] virtual bool ReadString(const char* section, const char* key, const CString& file,
                                          CString& value) = 0;

    // Whether the key at keyPath under root opens with full access. A key
    // that opens is closed again at once; nothing is read from it.
    virtual bool KeyOpensWithFullAccess(RegistryRoot root, const CString& keyPath) = 0;
};
