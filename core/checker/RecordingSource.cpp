#include "core/checker/RecordingSource.h"

#include "core/checker/StdText.h"

bool RecordingSource::CurrentDirectory(CString& directory)
{
    return inner_.CurrentDirectory(directory);
}

std::uint32_t RecordingSource::ReadInt(const char* section, const char* key, std::uint32_t defaultValue,
                                       const CString& file)
{
    RecordedCall call;
    call.section = section;
    call.key = key;
    call.isInteger = true;
    call.integer = inner_.ReadInt(section, key, defaultValue, file);
    calls_.push_back(call);
    return call.integer;
}

bool RecordingSource::ReadString(const char* section, const char* key, const CString& file, CString& value)
{
    if (!inner_.ReadString(section, key, file, value))
        return false;
    RecordedCall call;
    call.section = section;
    call.key = key;
    call.value = Std(value);
    const std::string fileName = Std(file);
    call.whole = explaining_.ReadWholeString(section, key, fileName);
    call.inCodePage = explaining_.ReadInCodePage(section, key, fileName);
    calls_.push_back(call);
    return true;
}

bool RecordingSource::KeyOpensWithFullAccess(RegistryRoot root, const CString& keyPath)
{
    RecordedCall call;
    call.kind = RecordedCall::Kind::Probe;
    call.root = root;
    call.keyPath = Std(keyPath);
    const bool opened = inner_.KeyOpensWithFullAccess(root, keyPath);
    call.outcome = opened                                               ? ProbeOutcome::Opened
                   : explaining_.KeyOpensForReading(root, call.keyPath) ? ProbeOutcome::Refused
                                                                        : ProbeOutcome::Absent;
    calls_.push_back(call);
    return opened;
}

bool RecordingInfoReader::Read(char* buffer, std::size_t count, std::size_t& read, int& cause)
{
    if (!inner_.Read(buffer, count, read, cause))
        return false;
    zeros_.Count(buffer, read);
    return true;
}
