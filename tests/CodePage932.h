#pragma once

#include <string>

// Code page 932, where a byte of 0x81-0x9F or 0xE0-0xFC opens a two-byte
// character whose second byte may be 0x5C, the byte of "\".
inline bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// "ソフト": its first character ends in the byte 0x5C.
const std::string kSoftwareName = "\x83\x5C\x83\x74\x83\x67";
