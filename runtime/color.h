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

// The colours the two forms are painted in.
namespace colors {
inline constexpr Color black = rtcRgb(0, 0, 0);
inline constexpr Color white = rtcRgb(255, 255, 255);
inline constexpr Color red = rtcRgb(255, 0, 0);
inline constexpr Color purple = rtcRgb(62, 52, 104);
inline constexpr Color gold = rtcRgb(244, 209, 11);
inline constexpr Color crimson = rtcRgb(128, 0, 0);
inline constexpr Color grey = rtcRgb(171, 171, 171);
inline constexpr Color fieldGreen = rtcRgb(100, 207, 48);
} // namespace colors

} // namespace rt
