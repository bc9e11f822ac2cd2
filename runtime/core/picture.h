#pragma once

#include <cstdint>
#include <span>

namespace rt {

// A picture compiled into the program: a colour table (ARGB; alpha 0 or 255) and one index
// into it per pixel, row after row.
struct PictureData
{
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> colours;
    std::span<const unsigned char> pixels;
};

// A picture at its natural size, and at twice that for high-density screens.
struct Picture
{
    PictureData normal;
    PictureData dense;
};

} // namespace rt
