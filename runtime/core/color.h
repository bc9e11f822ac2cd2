#pragma once

#include <algorithm>
#include <cstdint>

namespace rt {

// A 24-bit RGB colour.
struct Color
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Color, Color) = default;
};

// Components above 255 count as 255 (and below 0 as 0).
constexpr Color rtcRgb(int red, int green, int blue)
{
    const auto clamp = [](int c) { return static_cast<std::uint8_t>(std::clamp(c, 0, 255)); };
    return Color{clamp(red), clamp(green), clamp(blue)};
}

} // namespace rt
