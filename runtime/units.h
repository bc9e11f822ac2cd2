#pragma once

#include <cmath>

namespace rt {

inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double kTwipsPerPoint = 20.0;

// The one conversion from twips to pixels: to the nearest pixel, halves away from zero.
// `scale` is the screen's device pixel ratio where device pixels are wanted.
inline int twipsToPixels(double twips, double scale = 1.0)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * scale));
}

inline double pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

inline int pointsToPixels(double points)
{
    return twipsToPixels(points * kTwipsPerPoint);
}

} // namespace rt
