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

    std::string CurrentDirectory() override;
    std::uint32_t ReadInt(const std::string& section, const std::string& key, std::uint32_t defaultValue,
                          const std::string& file) override;
    std::string ReadString(const std::string& section, const std::string& key, const std::string& file) override;
    bool KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath) override;

private:
    SettingsSource& inner_;
    ExplainingReads& explaining_;
    std::vector<RecordedCall>& calls_;
};

// The panel's file reader, watched: what the open gave and every byte read.
class RecordingInfoReader : public InfoFileReader {
public:
    RecordingInfoReader(InfoFileReader& inner, CheckFacts& facts) : inner_(inner), facts_(facts) {}

    bool Open(const std::string& name, int& cause) override;
    std::size_t Read(char* buffer, std::size_t count) override;
    void Close() override { inner_.Close(); }
    std::size_t SizeHint() override { return inner_.SizeHint(); }

private:
    InfoFileReader& inner_;
    CheckFacts& facts_;
};
