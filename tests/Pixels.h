#pragma once

#include <windows.h>

#include <string>

// The pixels that paint(memory, screen) draws into a bitmap of the given
// size, as bytes, so that two drawings can be compared.
template <class Paint>
std::string Pixels(int width, int height, Paint&& paint)
{
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    paint(memory, screen);
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = GetPixel(memory, x, y);
            pixels.append(reinterpret_cast<const char*>(&pixel), sizeof pixel);
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}
