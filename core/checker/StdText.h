#pragma once

#include <new>
#include <string>

#include "core/Text.h"

// The checker keeps its texts in std::string, whose failures are
// exceptions; these carry texts to and from the launcher's counted strings.

inline std::string Std(const CString& text)
{
    return std::string(text.GetString(), text.GetLength());
}

// Throws std::bad_alloc, as std::string would, for a text that the
// launcher's code could not hold.
inline void Held(bool held)
{
    if (!held)
        throw std::bad_alloc();
}

inline CString Counted(const std::string& text)
{
    CString counted;
    Held(counted.Assign(text.data(), text.size()));
    return counted;
}
