#pragma once

#include <cstddef>
#include <cstdint>

// A message map: a static table from message (or command) to handler, with
// a pointer to the base class's table. Dispatch reads a table top to bottom
// and then the base's; the first handler that takes the message wins, and a
// handler may decline so that the search goes on.

constexpr std::uint32_t kCommandMessage = 0x0111;  // WM_COMMAND

template <class Handler>
struct MessageMapEntry {
    std::uint32_t message;
    std::uint32_t code;  // notification code, for commands only
    std::uint32_t id;    // command id, for commands only
    Handler handler;

    bool Matches(std::uint32_t m, std::uint32_t c, std::uint32_t i) const
    {
        return message == m && (m != kCommandMessage || (code == c && id == i));
    }
};

template <class Handler>
struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry<Handler>* entries;
    std::size_t count;

    // Offers the message to each matching handler in turn through call,
    // which returns true when the handler took it. False when none did.
    template <class Call>
    bool Dispatch(std::uint32_t message, std::uint32_t code, std::uint32_t id, Call&& call) const
    {
        for (const MessageMap* map = this; map != nullptr; map = map->base) {
            for (std::size_t i = 0; i < map->count; ++i) {
                if (map->entries[i].Matches(message, code, id) && call(map->entries[i].handler))
                    return true;
            }
        }
        return false;
    }
};

template <class Handler, std::size_t N>
constexpr MessageMap<Handler> MakeMessageMap(const MessageMap<Handler>* base,
                                             const MessageMapEntry<Handler> (&entries)[N])
{
    return MessageMap<Handler>{base, entries, N};
}
