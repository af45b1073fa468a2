#include "core/TargetSelection.h"

#include <utility>

#include "core/IniRules.h"

namespace {

constexpr RegistryRoot kProbeOrder[] = {
    RegistryRoot::ClassesRoot,
    RegistryRoot::LocalMachine,
    RegistryRoot::CurrentUser,
};

// The root under which the key a candidate names is present: it opens with
// full access under HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER, tried in that order until one opens. None when it
// opens under none of them.
std::optional<RegistryRoot> FindPresentKey(SettingsSource& source, const std::string& keyPath)
{
    // The first root that opens settles it, so at most one key is ever open.
    for (const RegistryRoot root : kProbeOrder) {
        if (source.KeyOpensWithFullAccess(root, keyPath))
            return root;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ChosenCandidate> ChooseCandidate(SettingsSource& source, LaunchSettings& settings)
{
    const auto read = [&](const char* prefix, int number) {
        return source.ReadString(kCandidatesSection, prefix + std::to_string(number), settings.iniPath);
    };

    for (int number = kFirstCandidate; number <= kLastCandidate; ++number) {
        // An unset RKey is a gap, not the end of the list.
        const std::string keyPath = read(kKeyPathPrefix, number);
        const std::optional<RegistryRoot> root = keyPath.empty() ? std::nullopt : FindPresentKey(source, keyPath);
        if (!root)
            continue;

        // The present key decides, even for a candidate that names no
        // program: the launch then reports the empty path.
        std::string path = read(kPathPrefix, number);
        if (!path.empty()) {
            settings.targetPath = std::move(path);
            std::string name = read(kNamePrefix, number);
            if (!name.empty())
                settings.targetName = std::move(name);
        }
        return ChosenCandidate{number, *root};
    }
    return std::nullopt;
}
