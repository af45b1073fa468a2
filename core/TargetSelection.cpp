#include "core/TargetSelection.h"

#include <utility>

#include "core/IniRules.h"

namespace {

constexpr RegistryRoot kProbeOrder[] = {
    RegistryRoot::ClassesRoot,
    RegistryRoot::LocalMachine,
    RegistryRoot::CurrentUser,
};

// A candidate's key name: the prefix and its one digit.
class CandidateKey {
public:
    static_assert(kLastCandidate <= 9, "key names carry one digit");

    CandidateKey(const char* prefix, int number)
    {
        std::size_t length = 0;
        while (prefix[length] != '\0' && length < sizeof name_ - 2) {
            name_[length] = prefix[length];
            ++length;
        }
        name_[length] = static_cast<char>('0' + number);
        name_[length + 1] = '\0';
    }

    const char* Name() const { return name_; }

private:
    char name_[8] = {};
};

// Whether the key a candidate names is present: it opens with full access
// under HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, tried in
// that order until one opens, which is then root.
bool FindPresentKey(SettingsSource& source, const CString& keyPath, RegistryRoot& root)
{
    // The first root that opens settles it, so at most one key is ever open.
    for (const RegistryRoot candidateRoot : kProbeOrder) {
        if (source.KeyOpensWithFullAccess(candidateRoot, keyPath)) {
            root = candidateRoot;
            return true;
        }
    }
    return false;
}

}  // namespace

CandidateChoice ChooseCandidate(SettingsSource& source, LaunchSettings& settings)
{
    const auto read = [&](const char* prefix, int number, CString& value) {
        return source.ReadString(kCandidatesSection, CandidateKey(prefix, number).Name(), settings.iniPath, value);
    };

    CandidateChoice choice;
    for (int number = kFirstCandidate; number <= kLastCandidate; ++number) {
        // An unset RKey is a gap, not the end of the list.
        CString keyPath;
        if (!read(kKeyPathPrefix, number, keyPath)) {
            choice.outcome = CandidateChoice::Outcome::OutOfMemory;
            return choice;
        }
        if (keyPath.IsEmpty() || !FindPresentKey(source, keyPath, choice.root))
            continue;

        // The present key decides, even for a candidate that names no
        // program: the launch then reports the empty path.
        choice.outcome = CandidateChoice::Outcome::Chosen;
        choice.number = number;
        CString path;
        if (!read(kPathPrefix, number, path)) {
            choice.outcome = CandidateChoice::Outcome::OutOfMemory;
            return choice;
        }
        if (path.IsEmpty())
            return choice;
        settings.targetPath = std::move(path);
        CString name;
        if (!read(kNamePrefix, number, name))
            choice.outcome = CandidateChoice::Outcome::OutOfMemory;
        else if (!name.IsEmpty())
            settings.targetName = std::move(name);
        return choice;
    }
    return choice;
}
