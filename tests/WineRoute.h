#pragma once

#include <cstdlib>
#include <cstring>

// Wine's experimental wow64 mode, the way some machines run 32-bit
// programs, paints no windows and measures no fonts: what the screen shows
// cannot be checked there, though texts, processes and the registry can.
inline bool WindowsArePainted()
{
    const char* route = std::getenv("TOLVAN_WINE_ROUTE");
    return route == nullptr || std::strcmp(route, "wow64") != 0;
}

constexpr char kUnpaintedReason[] =
    "Wine's experimental wow64 mode paints no windows and measures no fonts, so pixels and sizes cannot be checked";
