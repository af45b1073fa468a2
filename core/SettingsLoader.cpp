#include "core/SettingsLoader.h"

#include <cstdint>
#include <utility>

#include "core/IniRules.h"
#include "core/Messages.h"
#include "core/Paths.h"
#include "core/TargetSelection.h"

namespace {

LoadDecision Fail(LoadDecision::Outcome outcome, LaunchSettings& settings, std::string message)
{
    settings.messageText = std::move(message);
    LoadDecision decision;
    decision.outcome = outcome;
    return decision;
}

// An empty value and a missing key are the same: the field keeps what it had.
void StoreIfSet(std::string& field, std::string value)
{
    if (!value.empty())
        field = std::move(value);
}

}  // namespace

LoadDecision LoadSettingsFrom(SettingsSource& source, const std::string& applicationName, LaunchSettings& settings)
{
    settings.iniPath = IniPathFor(source.CurrentDirectory(), applicationName);
    const auto read = [&](const char* key) {
        return source.ReadString(kInitSection, key, settings.iniPath);
    };

    const std::uint32_t silent = source.ReadInt(kInitSection, kSilentKey, kSilentMissing, settings.iniPath);
    settings.silent = static_cast<std::int32_t>(silent);
    if (silent == kSilentMissing)
        return Fail(LoadDecision::Outcome::IniNotFound, settings, IniNotFoundMessage(settings.iniPath));

    std::string caption = read(kCaptionKey);
    settings.caption = caption.empty() ? applicationName : std::move(caption);
    StoreIfSet(settings.title, read(kTitleKey));
    StoreIfSet(settings.copyright, read(kCopyrightKey));
    StoreIfSet(settings.infoFile, read(kInfoKey));

    // A present registry candidate comes before the default program, which
    // is then not even read.
    LoadDecision decision;
    if (const auto candidate = ChooseCandidate(source, settings)) {
        decision.outcome = LoadDecision::Outcome::Candidate;
        decision.candidate = candidate->number;
        decision.root = candidate->root;
        return decision;
    }

    std::string defaultPath = read(kDefaultPathKey);
    if (defaultPath.empty())
        return Fail(LoadDecision::Outcome::NoSuitableKeys, settings, kNoSuitableKeysMessage);
    settings.targetPath = std::move(defaultPath);
    StoreIfSet(settings.targetName, read(kDefaultNameKey));
    decision.outcome = LoadDecision::Outcome::DefaultProgram;
    return decision;
}
