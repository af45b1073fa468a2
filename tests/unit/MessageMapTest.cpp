#include "core/MessageMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Target {
    std::vector<std::string> seen;
};

using Handler = bool (*)(Target&);

constexpr std::uint32_t kPaint = 0x000F;
constexpr std::uint32_t kHelpCommand = 0xE146;

bool BasePaint(Target& t) { t.seen.push_back("base paint"); return true; }
bool BaseOk(Target& t) { t.seen.push_back("base ok"); return true; }
bool DerivedPaint(Target& t) { t.seen.push_back("derived paint"); return true; }
bool DerivedDeclines(Target& t) { t.seen.push_back("derived declines"); return false; }
bool Help(Target& t) { t.seen.push_back("help"); return true; }

constexpr MessageMapEntry<Handler> kBaseEntries[] = {
    {MessageKey::Message(kPaint), &BasePaint},
    {MessageKey::Command(0, 1), &BaseOk},
};
constexpr MessageMap<Handler> kBaseMap = MakeMessageMap<Handler>(nullptr, kBaseEntries);

constexpr MessageMapEntry<Handler> kDerivedEntries[] = {
    {MessageKey::Command(0, 1), &DerivedDeclines},
    {MessageKey::Message(kPaint), &DerivedPaint},
    {MessageKey::Command(0, kHelpCommand), &Help},
};
constexpr MessageMap<Handler> kDerivedMap = MakeMessageMap<Handler>(&kBaseMap, kDerivedEntries);

}  // namespace

// The first entry that takes a message wins, the derived map's before its
// base's; a declining handler passes it on. Commands match on id and
// notification code, and never match a message of the same number.
TEST(MessageMap, DispatchesToTheFirstEntryThatTakesTheMessage)
{
    using Seen = std::vector<std::string>;
    const struct {
        const MessageMap<Handler>* map;
        MessageKey received;
        Seen seen;
    } cases[] = {
        {&kDerivedMap, MessageKey::Message(kPaint), {"derived paint"}},
        {&kBaseMap, MessageKey::Message(kPaint), {"base paint"}},
        {&kDerivedMap, MessageKey::Command(0, 1), {"derived declines", "base ok"}},
        {&kDerivedMap, MessageKey::Command(0, kHelpCommand), {"help"}},
        {&kDerivedMap, MessageKey::Command(1, kHelpCommand), {}},
        {&kBaseMap, MessageKey::Command(0, kHelpCommand), {}},
        {&kDerivedMap, MessageKey::Command(0, kPaint), {}},
        {&kDerivedMap, MessageKey::Message(1), {}},
        {&kDerivedMap, MessageKey::Message(0x0201), {}},
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        Target target;
        const bool taken = cases[i].map->Dispatch(cases[i].received, [&](Handler h) { return h(target); });
        EXPECT_EQ(cases[i].seen, target.seen) << "case " << i;
        EXPECT_EQ(!cases[i].seen.empty(), taken) << "case " << i;
    }
}
