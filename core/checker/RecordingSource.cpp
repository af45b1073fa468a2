#include "core/checker/RecordingSource.h"

std::string RecordingSource::CurrentDirectory()
{
    return inner_.CurrentDirectory();
}

std::uint32_t RecordingSource::ReadInt(const std::string& section, const std::string& key,
                                       std::uint32_t defaultValue, const std::string& file)
{
    RecordedCall call;
    call.section = section;
    call.key = key;
    call.isInteger = true;
    call.integer = inner_.ReadInt(section, key, defaultValue, file);
    calls_.push_back(call);
    return call.integer;
}

std::string RecordingSource::ReadString(const std::string& section, const std::string& key,
                                        const std::string& file)
{
    RecordedCall call;
    call.section = section;
    call.key = key;
    call.value = inner_.ReadString(section, key, file);
    call.whole = explaining_.ReadWholeString(section, key, file);
    call.inCodePage = explaining_.ReadInCodePage(section, key, file);
    calls_.push_back(call);
    return call.value;
}

bool RecordingSource::KeyOpensWithFullAccess(RegistryRoot root, const std::string& keyPath)
{
    RecordedCall call;
    call.kind = RecordedCall::Kind::Probe;
    call.root = root;
    call.keyPath = keyPath;
    const bool opened = inner_.KeyOpensWithFullAccess(root, keyPath);
    call.outcome = opened                                          ? ProbeOutcome::Opened
                   : explaining_.KeyOpensForReading(root, keyPath) ? ProbeOutcome::Refused
                                                                   : ProbeOutcome::Absent;
    calls_.push_back(call);
    return opened;
}

bool RecordingInfoReader::Open(const std::string& name, int& cause)
{
    facts_.infoOpened = inner_.Open(name, cause);
    if (!facts_.infoOpened)
        facts_.infoOpenCause = cause;
    return facts_.infoOpened;
}

std::size_t RecordingInfoReader::Read(char* buffer, std::size_t count)
{
    const std::size_t read = inner_.Read(buffer, count);
    facts_.infoZeros.Count(buffer, read);
    return read;
}
