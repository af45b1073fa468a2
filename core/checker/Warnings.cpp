#include "core/checker/Warnings.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

#include "core/InfoPanel.h"
#include "core/IniRules.h"

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string AtLine(int line)
{
    return "line " + std::to_string(line) + ": ";
}

bool IsInitKey(const std::string& name)
{
    return std::any_of(std::begin(kInitKeys), std::end(kInitKeys),
                       [&](const char* key) { return SameName(name, key); });
}

// RKey, Path or Name followed by digits: the number, or -1 for anything else.
int CandidateNumber(const std::string& name, std::string* prefix = nullptr)
{
    for (const char* candidate : kCandidatePrefixes) {
        const std::string start(candidate);
        if (name.size() <= start.size() || !SameName(name.substr(0, start.size()), start))
            continue;
        const std::string digits = name.substr(start.size());
        if (digits.size() > 4 || !std::all_of(digits.begin(), digits.end(),
                                              [](char c) { return c >= '0' && c <= '9'; }))
            return -1;
        if (prefix)
            *prefix = start;
        return std::stoi(digits);
    }
    return -1;
}

// Only RKey1 to RKey9 (and their Path and Name) are read: one digit, no zero.
bool IsCandidateKey(const std::string& name)
{
    std::string prefix;
    const int number = CandidateNumber(name, &prefix);
    return number >= kFirstCandidate && number <= kLastCandidate && name.size() == prefix.size() + 1;
}

// Edits from one name to the other: a letter added, dropped, changed, or
// two neighbours swapped.
std::size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// The key of the section that the name most likely misspells, or "".
std::string Likeliest(const std::string& name, bool candidates)
{
    std::vector<std::string> known;
    if (candidates) {
        for (const char* prefix : kCandidatePrefixes) {
            for (int number = kFirstCandidate; number <= kLastCandidate; ++number)
                known.push_back(prefix + std::to_string(number));
        }
    } else {
        known.assign(std::begin(kInitKeys), std::end(kInitKeys));
    }
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& key : known) {
        const std::size_t distance = EditDistance(Lower(name), Lower(key));
        // Short names need a closer match to count as a typo.
        if (distance < bestDistance && distance * 3 <= key.size()) {
            best = key;
            bestDistance = distance;
        }
    }
    return best;
}

std::string SectionPlace(const IniSection& section)
{
    return section.name.empty() ? "outside any section" : "in [" + section.name + "]";
}

void CheckValue(const IniKey& key, std::vector<std::string>& warnings)
{
    const std::string trimmed = TrimBlanks(key.rawValue);
    const bool blanks = trimmed != key.rawValue;
    const bool quotes = trimmed.size() != key.value.size();
    if (!blanks && !quotes)
        return;
    const std::string what = quotes && blanks ? "blanks and quotes around its value"
                             : quotes        ? "quotes around its value"
                                             : "blanks around its value";
    warnings.push_back(AtLine(key.line) + key.name + " has " + what + ", which the launcher drops: it gets \"" +
                       key.value + "\"");
}

void CheckInitSection(const IniSection& section, std::vector<std::string>& warnings)
{
    const IniKey* name = FindKey(section, kDefaultNameKey);
    const IniKey* path = FindKey(section, kDefaultPathKey);
    if (name && !name->value.empty() && (!path || path->value.empty()))
        warnings.push_back(AtLine(name->line) + kDefaultNameKey + " without " + kDefaultPathKey +
                           ": it is never read, and with no candidate present the launcher ends with an error");
}

void CheckCandidateSection(const IniSection& section, std::vector<std::string>& warnings)
{
    for (const IniKey& key : section.keys) {
        std::string prefix;
        const int number = CandidateNumber(key.name, &prefix);
        if (!IsCandidateKey(key.name) || FindKey(section, key.name) != &key)
            continue;
        if (prefix == kKeyPathPrefix) {
            const IniKey* path = FindKey(section, kPathPrefix + std::to_string(number));
            if (!key.value.empty() && (!path || path->value.empty()))
                warnings.push_back(AtLine(key.line) + key.name + " has no " + kPathPrefix + std::to_string(number) +
                                   ": when its key is present, the launcher starts nothing and reports the empty path");
            continue;
        }
        const IniKey* rkey = FindKey(section, kKeyPathPrefix + std::to_string(number));
        if (!rkey || rkey->value.empty())
            warnings.push_back(AtLine(key.line) + key.name + " has no " + kKeyPathPrefix + std::to_string(number) +
                               ": candidate " + std::to_string(number) + " is never chosen");
    }
}

}  // namespace

std::vector<std::string> IniWarnings(const IniFile& ini)
{
    std::vector<std::string> warnings;
    std::map<std::string, int> sectionsSeen;
    for (const IniSection& section : ini.sections) {
        const bool isInit = SameName(section.name, kInitSection);
        const bool isCandidates = SameName(section.name, kCandidatesSection);
        if (!section.name.empty()) {
            const auto first = sectionsSeen.emplace(Lower(section.name), section.line);
            if (!first.second) {
                if (isInit || isCandidates)
                    warnings.push_back(AtLine(section.line) + "[" + section.name + "] appears again (first at line " +
                                       std::to_string(first.first->second) +
                                       "): the launcher reads only the first, so the keys below are never read");
                continue;
            }
        }

        std::map<std::string, int> keysSeen;
        for (const IniKey& key : section.keys) {
            const bool initKey = IsInitKey(key.name);
            const bool candidateKey = IsCandidateKey(key.name);
            const bool numbered = !candidateKey && CandidateNumber(key.name) >= 0;
            if (!isInit && !isCandidates) {
                if (initKey || candidateKey)
                    warnings.push_back(AtLine(key.line) + key.name + " is " + SectionPlace(section) +
                                       ": the launcher reads it only from [" +
                                       (initKey ? kInitSection : kCandidatesSection) + "]");
                continue;
            }
            const auto first = keysSeen.emplace(Lower(key.name), key.line);
            if (!first.second) {
                warnings.push_back(AtLine(key.line) + key.name + " appears again in [" + section.name +
                                   "] (first at line " + std::to_string(first.first->second) +
                                   "): the launcher reads only the first");
                continue;
            }
            if ((isInit && initKey) || (isCandidates && candidateKey)) {
                CheckValue(key, warnings);
            } else if (initKey || candidateKey) {
                warnings.push_back(AtLine(key.line) + key.name + " is in [" + section.name +
                                   "]: the launcher reads it only from [" +
                                   (initKey ? kInitSection : kCandidatesSection) + "]");
            } else if (numbered) {
                warnings.push_back(AtLine(key.line) + key.name + " is never read: the launcher reads candidates " +
                                   std::to_string(kFirstCandidate) + " to " + std::to_string(kLastCandidate) +
                                   " only, numbered with one digit");
            } else {
                const std::string likeliest = Likeliest(key.name, isCandidates);
                warnings.push_back(AtLine(key.line) + key.name + " in [" + section.name +
                                   "] is not a key of the launcher" +
                                   (likeliest.empty() ? ": it is never read" : ": a typo of " + likeliest + "?"));
            }
        }
        if (isInit)
            CheckInitSection(section, warnings);
        if (isCandidates)
            CheckCandidateSection(section, warnings);
    }
    return warnings;
}

void ZeroBytes::Count(const char* chunk, std::size_t size)
{
    // Only this chunk: a search to the end of the file for every chunk
    // takes time that grows with the square of the file.
    const void* found = std::memchr(chunk, '\0', size);
    if (found) {
        const auto zero = static_cast<std::size_t>(static_cast<const char*>(found) - chunk);
        if (first == std::string::npos)
            first = read + zero;
        dropped += size - zero;
    }
    read += size;
}

std::vector<std::string> InfoFileWarnings(const std::string& infoFile, const ZeroBytes& zeros, const std::string& text)
{
    std::vector<std::string> warnings;
    const std::string opening = kAgreementOpening;
    if (text.rfind(opening, 0) != 0) {
        std::vector<std::string> reasons;
        std::string rest = text;
        for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
            if (rest.rfind(mark, 0) == 0) {
                rest.erase(0, std::string(mark).size());
                reasons.push_back("a byte-order mark");
                break;
            }
        }
        const auto first = rest.find_first_not_of(" \t\r\n");
        if (first != 0 && first != std::string::npos) {
            rest.erase(0, first);
            reasons.push_back("blanks");
        }
        if (rest.size() >= opening.size() && Lower(rest.substr(0, opening.size())) == Lower(opening)) {
            if (rest.rfind(opening, 0) != 0)
                reasons.push_back("other letter case");
            std::string why;
            for (std::size_t i = 0; i < reasons.size(); ++i)
                why += (i == 0 ? "" : i + 1 == reasons.size() ? " and " : ", ") + reasons[i];
            warnings.push_back(infoFile + " almost begins with " + opening + " (" + why +
                               "): OK keeps its label \"OK\"; only the exact upper-case bytes " + opening +
                               " at the very start make it \"" + kAcceptLabel + "\"");
        }
    }

    if (zeros.first != std::string::npos)
        warnings.push_back(infoFile + " has a zero byte at offset " + std::to_string(zeros.first) +
                           ": the panel drops the rest of each " + std::to_string(kInfoChunkSize) +
                           "-byte chunk from a zero byte on (" + std::to_string(zeros.dropped) + " bytes in all)");
    return warnings;
}
