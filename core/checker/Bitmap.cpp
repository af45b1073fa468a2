#include "core/checker/Bitmap.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void Put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::string BmpFile(int width, int height, const std::string& topDownPixels)
{
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(width) * 3;
    const std::uint32_t stride = (rowBytes + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::string out;
    out.reserve(offset + pixelBytes);
    out += "BM";
    Put32(out, offset + pixelBytes);
    Put32(out, 0);  // reserved
    Put32(out, offset);

    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));  // positive: bottom row first
    Put16(out, 1);                                   // planes
    Put16(out, 24);                                  // bits per pixel
    Put32(out, 0);                                   // no compression
    Put32(out, pixelBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0);  // no palette
    Put32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        out.append(topDownPixels, static_cast<std::size_t>(y) * rowBytes, rowBytes);
        out.append(stride - rowBytes, '\0');
    }
    return out;
}
