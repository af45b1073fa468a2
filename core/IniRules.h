#pragma once

#include <cstddef>
#include <cstdint>

// The names and numbers of the INI file as the launcher reads it, defined
// here once for the launcher and for the checker that explains it.

inline constexpr char kInitSection[] = "Init";
inline constexpr char kCandidatesSection[] = "ApplicationKeys";

// The keys of [Init], in the order the launcher reads them.
inline constexpr char kSilentKey[] = "Silent";
inline constexpr char kCaptionKey[] = "Caption";
inline constexpr char kTitleKey[] = "Title";
inline constexpr char kCopyrightKey[] = "Copyright";
inline constexpr char kInfoKey[] = "INFO";
inline constexpr char kDefaultPathKey[] = "DefaultPath";
inline constexpr char kDefaultNameKey[] = "DefaultName";
inline constexpr const char* kInitKeys[] = {kSilentKey, kCaptionKey,     kTitleKey,      kCopyrightKey,
                                            kInfoKey,   kDefaultPathKey, kDefaultNameKey};

// The keys of [ApplicationKeys]: a prefix and the candidate's number.
inline constexpr char kKeyPathPrefix[] = "RKey";
inline constexpr char kPathPrefix[] = "Path";
inline constexpr char kNamePrefix[] = "Name";
inline constexpr const char* kCandidatePrefixes[] = {kKeyPathPrefix, kPathPrefix, kNamePrefix};

// Key names carry one digit, so RKey10 and later are never looked at.
inline constexpr int kFirstCandidate = 1;
inline constexpr int kLastCandidate = 9;

// What a missing file, section or Silent key reads as; an explicit
// Silent=99 is taken the same way.
inline constexpr std::uint32_t kSilentMissing = 99;

// A text value reaches the launcher cut to this many characters: its
// profile read has a buffer one byte larger.
inline constexpr std::size_t kMaxValueLength = 79;
