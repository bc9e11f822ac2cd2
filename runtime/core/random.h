#pragma once

#include <functional>

namespace rt {

// The runtime's generator. With an argument above 0 it returns the next value, 0 <= r < 1;
// with 0 it repeats the last one. It is never seeded, so each run draws the same sequence.
// A negative argument is an invalid call.
float rtcRandomNext(float argument);

// Replaces the generator's source of values (each must lie in [0, 1)); returns the old one.
// An empty function restores the built-in generator.
using RandomSource = std::function<float()>;
RandomSource setRandomSource(RandomSource source);

} // namespace rt
