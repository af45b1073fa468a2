#pragma once

#include <string>

#include "core/LaunchSettings.h"

struct DialogImage {
    int width = 0;
    int height = 0;
    std::string pixels;  // rows from the top, three bytes a pixel (blue, green, red)
    std::string error;   // empty when the image was made
};

// Builds the launcher dialog for these settings hidden, with its whole
// initialisation, draws it with its frame into an image, and destroys it
// without ever showing it or running its modal loop.
DialogImage DrawDialog(const LaunchSettings& settings);
