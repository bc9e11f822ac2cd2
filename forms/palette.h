#pragma once

#include "runtime/core/color.h"

// The colours that the two forms are painted in: the Tolveys' purple and gold, the Falders'
// crimson and grey, and the field's green and white.
namespace forms::palette {
inline constexpr rt::Color white = rt::rtcRgb(255, 255, 255);
inline constexpr rt::Color red = rt::rtcRgb(255, 0, 0);
inline constexpr rt::Color purple = rt::rtcRgb(62, 52, 104);
inline constexpr rt::Color gold = rt::rtcRgb(244, 209, 11);
inline constexpr rt::Color crimson = rt::rtcRgb(128, 0, 0);
inline constexpr rt::Color grey = rt::rtcRgb(171, 171, 171);
inline constexpr rt::Color fieldGreen = rt::rtcRgb(100, 207, 48);
// The field's lines ask for more than full white; each component counts as 255.
inline constexpr rt::Color fieldWhite = rt::rtcRgb(256, 256, 256);
} // namespace forms::palette
