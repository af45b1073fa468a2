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
    {kPaint, 0, 0, &BasePaint},
    {kCommandMessage, 0, 1, &BaseOk},
};
constexpr MessageMap<Handler> kBaseMap = MakeMessageMap<Handler>(nullptr, kBaseEntries);

constexpr MessageMapEntry<Handler> kDerivedEntries[] = {
    {kCommandMessage, 0, 1, &DerivedDeclines},
    {kPaint, 0, 0, &DerivedPaint},
    {kCommandMessage, 0, kHelpCommand, &Help},
};
constexpr MessageMap<Handler> kDerivedMap = MakeMessageMap<Handler>(&kBaseMap, kDerivedEntries);

std::vector<std::string> Send(const MessageMap<Handler>& map, std::uint32_t message, std::uint32_t code,
                              std::uint32_t id, bool* taken = nullptr)
{
    Target target;
    const bool result = map.Dispatch(message, code, id, [&](Handler h) { return h(target); });
    if (taken)
        *taken = result;
    return target.seen;
}

}  // namespace

TEST(MessageMap, TheDerivedEntryHidesTheBaseEntry)
{
    EXPECT_EQ(std::vector<std::string>{"derived paint"}, Send(kDerivedMap, kPaint, 0, 0));
    EXPECT_EQ(std::vector<std::string>{"base paint"}, Send(kBaseMap, kPaint, 0, 0));
}

TEST(MessageMap, ADecliningHandlerPassesTheMessageOnToTheBase)
{
    EXPECT_EQ((std::vector<std::string>{"derived declines", "base ok"}), Send(kDerivedMap, kCommandMessage, 0, 1));
}

TEST(MessageMap, CommandsMatchOnIdAndNotificationCode)
{
    EXPECT_EQ(std::vector<std::string>{"help"}, Send(kDerivedMap, kCommandMessage, 0, kHelpCommand));
    bool taken = true;
    EXPECT_TRUE(Send(kDerivedMap, kCommandMessage, 1, kHelpCommand, &taken).empty());
    EXPECT_FALSE(taken);
    EXPECT_TRUE(Send(kBaseMap, kCommandMessage, 0, kHelpCommand, &taken).empty());
    EXPECT_FALSE(taken);
}

TEST(MessageMap, AMessageNoMapTakesIsReportedAsNotTaken)
{
    bool taken = true;
    EXPECT_TRUE(Send(kDerivedMap, 0x0201, 0, 0, &taken).empty());
    EXPECT_FALSE(taken);
}
