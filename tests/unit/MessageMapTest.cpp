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

std::vector<std::string> Send(const MessageMap<Handler>& map, const MessageKey& received, bool* taken = nullptr)
{
    Target target;
    const bool result = map.Dispatch(received, [&](Handler h) { return h(target); });
    if (taken)
        *taken = result;
    return target.seen;
}

}  // namespace

TEST(MessageMap, TheDerivedEntryHidesTheBaseEntry)
{
    EXPECT_EQ(std::vector<std::string>{"derived paint"}, Send(kDerivedMap, MessageKey::Message(kPaint)));
    EXPECT_EQ(std::vector<std::string>{"base paint"}, Send(kBaseMap, MessageKey::Message(kPaint)));
}

TEST(MessageMap, ADecliningHandlerPassesTheMessageOnToTheBase)
{
    EXPECT_EQ((std::vector<std::string>{"derived declines", "base ok"}), Send(kDerivedMap, MessageKey::Command(0, 1)));
}

TEST(MessageMap, CommandsMatchOnIdAndNotificationCode)
{
    EXPECT_EQ(std::vector<std::string>{"help"}, Send(kDerivedMap, MessageKey::Command(0, kHelpCommand)));
    bool taken = true;
    EXPECT_TRUE(Send(kDerivedMap, MessageKey::Command(1, kHelpCommand), &taken).empty());
    EXPECT_FALSE(taken);
    EXPECT_TRUE(Send(kBaseMap, MessageKey::Command(0, kHelpCommand), &taken).empty());
    EXPECT_FALSE(taken);
}

TEST(MessageMap, CommandsAndMessagesNeverMatchEachOther)
{
    // The command whose id is the paint message's number, and the message
    // whose number is a command's id, reach no handler.
    bool taken = true;
    EXPECT_TRUE(Send(kDerivedMap, MessageKey::Command(0, kPaint), &taken).empty());
    EXPECT_FALSE(taken);
    EXPECT_TRUE(Send(kDerivedMap, MessageKey::Message(1), &taken).empty());
    EXPECT_FALSE(taken);
}

TEST(MessageMap, AMessageNoMapTakesIsReportedAsNotTaken)
{
    bool taken = true;
    EXPECT_TRUE(Send(kDerivedMap, MessageKey::Message(0x0201), &taken).empty());
    EXPECT_FALSE(taken);
}
