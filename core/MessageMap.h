#pragma once

#include <cstddef>
#include <cstdint>

// A message map: a static table from message (or command) to handler, with
// a pointer to the base class's table. Dispatch reads a table top to bottom
// and then the base's; the first handler that takes the message wins, and a
// handler may decline so that the search goes on.

// What a table entry answers to, and what is looked for: a window message
// by its number, or a command by its notification code and id. Which
// message carries commands is the Win32 layer's to know; a command never
// matches a message entry, whatever its numbers.
struct MessageKey {
    bool command;
    std::uint32_t message;  // a message only
    std::uint32_t code;     // a command only
    std::uint32_t id;       // a command only

    static constexpr MessageKey Message(std::uint32_t message) { return MessageKey{false, message, 0, 0}; }
    static constexpr MessageKey Command(std::uint32_t code, std::uint32_t id) { return MessageKey{true, 0, code, id}; }

    constexpr bool operator==(const MessageKey& other) const
    {
        return command == other.command && message == other.message && code == other.code && id == other.id;
    }
};

template <class Handler>
struct MessageMapEntry {
    MessageKey key;
    Handler handler;
};

template <class Handler>
struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry<Handler>* entries;
    std::size_t count;

    // Offers what was received to each matching handler in turn through
    // call, which returns true when the handler took it. False when none did.
    template <class Call>
    bool Dispatch(const MessageKey& received, Call&& call) const
    {
        for (const MessageMap* map = this; map != nullptr; map = map->base) {
            for (std::size_t i = 0; i < map->count; ++i) {
                if (map->entries[i].key == received && call(map->entries[i].handler))
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
