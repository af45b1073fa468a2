#pragma once

#include <vector>

#include "checker/Report.h"
#include "config/SettingsSource.h"
#include "ui/InfoPanel.h"

// The launcher's settings source with what the checker asks beyond the
// launcher's own reads, to explain them.
class ExplainingSource : public SettingsSource {
public:
    // The same profile read without the launcher's limit of 79 characters,
    // to tell what that limit cuts off.
    virtual std::string ReadWholeString(const std::string& section, const std::string& key,
                                        const std::string& file) = 0;

    // Whether the key exists and opens for reading, to tell a missing key
    // from one that refuses full access.
    virtual bool KeyOpensForReading(RegistryRoot root, const std::string& keyPath) = 0;
};

// The launcher's own settings source, watched: every read and key probe
// goes to the wrapped source and is written down with what it gave, and a
// key that does not open is probed again for reading.
class RecordingSource : public SettingsSource {
public:
    RecordingSource(ExplainingSource& inner, std::vector<RecordedCall>& calls) : inner_(inner), calls_(calls) {}

    std::string CurrentDirectory() override;
    std::uint32_t ReadInt(const std::string& section, const std::string& key, std::uint32_t defaultValue,
                          const std::string& file) override;
    std::string ReadString(const std::string& section, const std::string& key, const std::string& file) override;
    bool KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath) override;

private:
    ExplainingSource& inner_;
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
