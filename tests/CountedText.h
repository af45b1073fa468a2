#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/Text.h"

// The launcher's counted strings in tests: printed as text by GoogleTest,
// made from and turned into std::string.

inline void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << std::string(text.GetString(), text.GetLength()) << '"';
}

inline std::string Str(const CString& text)
{
    return std::string(text.GetString(), text.GetLength());
}

inline CString Text(const std::string& text)
{
    CString counted;
    EXPECT_TRUE(counted.Assign(text.data(), text.size()));
    return counted;
}
