#include "config/SettingsLoader.h"

#include <cstdint>
#include <utility>

#include "config/Messages.h"
#include "config/Paths.h"
#include "config/TargetSelection.h"

namespace {

const char kInitSection[] = "Init";

// What a missing file, section or key reads as; an explicit Silent=99
// is taken the same way.
constexpr std::uint32_t kSilentMissing = 99;

int Fail(SettingsSource& source, LaunchSettings& settings, std::string message)
{
    settings.messageText = std::move(message);
    source.ShowMessage(settings.messageText);
    return 0;
}

// An empty value and a missing key are the same: the field keeps what it had.
void StoreIfSet(std::string& field, std::string value)
{
    if (!value.empty())
        field = std::move(value);
}

}  // namespace

int LoadSettingsFrom(SettingsSource& source, const std::string& applicationName,
                     LaunchSettings& settings)
{
    settings.iniPath = IniPathFor(source.CurrentDirectory(), applicationName);
    const auto read = [&](const char* key) {
        return source.ReadString(kInitSection, key, settings.iniPath);
    };

    const std::uint32_t silent = source.ReadInt(kInitSection, "Silent", kSilentMissing, settings.iniPath);
    settings.silent = static_cast<std::int32_t>(silent);
    if (silent == kSilentMissing)
        return Fail(source, settings, IniNotFoundMessage(settings.iniPath));

    std::string caption = read("Caption");
    settings.caption = caption.empty() ? applicationName : std::move(caption);
    StoreIfSet(settings.title, read("Title"));
    StoreIfSet(settings.copyright, read("Copyright"));
    StoreIfSet(settings.infoFile, read("INFO"));

    // A present registry candidate comes before the default program, which
    // is then not even read.
    if (ChooseCandidate(source, settings))
        return 1;

    std::string defaultPath = read("DefaultPath");
    if (defaultPath.empty())
        return Fail(source, settings, kNoSuitableKeysMessage);
    settings.targetPath = std::move(defaultPath);
    StoreIfSet(settings.targetName, read("DefaultName"));
    return 1;
}
