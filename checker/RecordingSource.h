#pragma once

#include <vector>

#include "checker/Report.h"
#include "config/SettingsSource.h"
#include "ui/InfoPanel.h"

// The launcher's own settings source, watched: every read and key probe
// goes to the real one and is written down with what it gave, and a key
// that does not open is probed again for reading, to tell a missing key
// from one that refuses full access. Messages are written down, never
// shown.
class RecordingSource : public SettingsSource {
public:
    RecordingSource(SettingsSource& inner, std::vector<RecordedCall>& calls) : inner_(inner), calls_(calls) {}

    std::string CurrentDirectory() override;
    std::uint32_t ReadInt(const std::string& section, const std::string& key, std::uint32_t defaultValue,
                          const std::string& file) override;
    std::string ReadString(const std::string& section, const std::string& key, const std::string& file) override;
    bool KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath) override;
    void ShowMessage(const std::string& text) override;

private:
    SettingsSource& inner_;
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
