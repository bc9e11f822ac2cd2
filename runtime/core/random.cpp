#include "random.h"

#include "runtime/core/error.h"

#include <random>

namespace rt {
namespace {

float builtInNext()
{
    static std::minstd_rand engine; // default-constructed: never seeded
    // 24 random bits fill a float's mantissa exactly, so the value never rounds up to 1.
    const auto bits = static_cast<std::uint32_t>(engine() - std::minstd_rand::min()) & 0xFFFFFFu;
    return static_cast<float>(bits) / 16777216.0f;
}

RandomSource g_source;
float g_last = 0.0f;

} // namespace

float rtcRandomNext(float argument)
{
    if (argument < 0.0f)
        raise(ErrorNumber::InvalidCall);
    if (argument > 0.0f)
        g_last = g_source ? g_source() : builtInNext();
    return g_last;
}

RandomSource setRandomSource(RandomSource source)
{
    std::swap(g_source, source);
    return source;
}

} // namespace rt
