#include "core/SettingsLoader.h"

#include <cstdint>
#include <utility>

#include "core/IniRules.h"
#include "core/Messages.h"
#include "core/Paths.h"
#include "core/TargetSelection.h"

namespace {

LoadDecision Decided(LoadDecision::Outcome outcome)
{
    LoadDecision decision;
    decision.outcome = outcome;
    return decision;
}

// The run ends with the message, once it is held.
LoadDecision Fail(LoadDecision::Outcome outcome, bool messageHeld)
{
    return Decided(messageHeld ? outcome : LoadDecision::Outcome::OutOfMemory);
}

}  // namespace

LoadDecision LoadSettingsFrom(SettingsSource& source, const char* applicationName, LaunchSettings& settings)
{
    using Outcome = LoadDecision::Outcome;
    CString directory;
    if (!source.CurrentDirectory(directory) || !IniPathFor(directory, applicationName, settings.iniPath))
        return Decided(Outcome::OutOfMemory);

    const std::uint32_t silent = source.ReadInt(kInitSection, kSilentKey, kSilentMissing, settings.iniPath);
    settings.silent = static_cast<std::int32_t>(silent);
    if (silent == kSilentMissing)
        return Fail(Outcome::IniNotFound, IniNotFoundMessage(settings.iniPath, settings.messageText));

    const auto read = [&](const char* key, CString& value) {
        return source.ReadString(kInitSection, key, settings.iniPath, value);
    };
    // An empty value and a missing key are the same: the field keeps what
    // it had. False when the value cannot be held.
    const auto readIfSet = [&](const char* key, CString& field) {
        CString value;
        if (!read(key, value))
            return false;
        if (!value.IsEmpty())
            field = std::move(value);
        return true;
    };

    CString caption;
    if (!read(kCaptionKey, caption) || (caption.IsEmpty() && !caption.Assign(applicationName)))
        return Decided(Outcome::OutOfMemory);
    settings.caption = std::move(caption);
    if (!readIfSet(kTitleKey, settings.title) || !readIfSet(kCopyrightKey, settings.copyright) ||
        !readIfSet(kInfoKey, settings.infoFile))
        return Decided(Outcome::OutOfMemory);

    // A present registry candidate comes before the default program, which
    // is then not even read.
    const CandidateChoice candidate = ChooseCandidate(source, settings);
    switch (candidate.outcome) {
    case CandidateChoice::Outcome::Chosen: {
        LoadDecision decision = Decided(Outcome::Candidate);
        decision.candidate = candidate.number;
        decision.root = candidate.root;
        return decision;
    }
    case CandidateChoice::Outcome::OutOfMemory:
        return Decided(Outcome::OutOfMemory);
    case CandidateChoice::Outcome::NonePresent:
        break;
    }

    CString defaultPath;
    if (!read(kDefaultPathKey, defaultPath))
        return Decided(Outcome::OutOfMemory);
    if (defaultPath.IsEmpty())
        return Fail(Outcome::NoSuitableKeys, settings.messageText.Assign(kNoSuitableKeysMessage));
    settings.targetPath = std::move(defaultPath);
    if (!readIfSet(kDefaultNameKey, settings.targetName))
        return Decided(Outcome::OutOfMemory);
    return Decided(Outcome::DefaultProgram);
}
