#pragma once

#include <string>

// A 24-bit BMP file of an image given as rows from the top, each width
// pixels of three bytes (blue, green, red) with no padding. The file keeps
// the rows from the bottom, each padded to a multiple of four bytes.
std::string BmpFile(int width, int height, const std::string& topDownPixels);
