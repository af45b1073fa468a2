#pragma once

#include <vector>

#include "core/InfoPanel.h"
#include "core/SettingsSource.h"
#include "core/checker/MediaWarnings.h"
#include "core/checker/Report.h"

// What the checker asks beyond the launcher's own reads, to explain them.
class ExplainingReads {
public:
    virtual ~ExplainingReads() = default;

    // The same profile read without the launcher's limit of kMaxValueLength
    // characters, to tell what that limit cuts off.
    virtual std::string ReadWholeString(const std::string& section, const std::string& key,
                                        const std::string& file) = 0;

    // The same value read in UTF-16 and written in the ANSI code page, to
    // tell characters that the launcher's read cannot give as written.
    virtual AnsiView ReadInCodePage(const std::string& section, const std::string& key, const std::string& file) = 0;

    // Whether the key exists and opens for reading, to tell a missing key
    // from one that refuses full access.
    virtual bool KeyOpensForReading(RegistryRoot root, const std::string& keyPath) = 0;
};

// The launcher's own settings source, watched: every read and key probe
// goes to the wrapped source and is written down with what it gave, with
// the whole value of each text read and, for a key that does not open, a
// second probe for reading.
class RecordingSource : public SettingsSource {
public:
    RecordingSource(SettingsSource& inner, ExplainingReads& explaining, std::vector<RecordedCall>& calls)
        : inner_(inner), explaining_(explaining), calls_(calls)
    {
    }

    bool CurrentDirectory(CString& directory) override;
    std::uint32_t ReadInt(const char* section, const char* key, std::uint32_t defaultValue,
                          const CString& file) override;
    bool ReadString(const char* section, const char* key, const CString& file, CString& value) override;
    bool KeyOpensWithFullAccess(RegistryRoot root, const CString& keyPath) override;

private:
    SettingsSource& inner_;
    ExplainingReads& explaining_;
    std::vector<RecordedCall>& calls_;
};

// The panel's file reader, watched: the zero bytes among those read.
class RecordingInfoReader : public InfoFileReader {
public:
    RecordingInfoReader(InfoFileReader& inner, ZeroBytes& zeros) : inner_(inner), zeros_(zeros) {}

    bool Open(const CString& name, int& cause) override { return inner_.Open(name, cause); }
    bool Read(char* buffer, std::size_t count, std::size_t& read, int& cause) override;
    bool Close(int& cause) override { return inner_.Close(cause); }
    std::size_t SizeHint() override { return inner_.SizeHint(); }

private:
    InfoFileReader& inner_;
    ZeroBytes& zeros_;
};
