#pragma once

#include "runtime/core/error.h"

#include <compare>
#include <cstdint>

namespace rt {

// The runtime's 16-bit signed integer. Arithmetic whose result leaves -32768..32767 raises
// the overflow error; since the result is checked before it is stored, a variable that an
// overflowing `+=` was meant to change keeps its old value.
class Integer
{
public:
    static constexpr int kMin = -32768;
    static constexpr int kMax = 32767;

    constexpr Integer() = default;
    // Implicit, so that game code reads `intQuarter = 1;`. Out of range raises overflow.
    constexpr Integer(int value)
        : m_value(checked(value))
    {}

    constexpr std::int16_t value() const { return m_value; }
    constexpr explicit operator int() const { return m_value; }
    // Exact: every 16-bit value is a single-precision value.
    constexpr explicit operator float() const { return m_value; }

    friend constexpr Integer operator+(Integer a, Integer b)
    {
        return Integer(int(a.m_value) + int(b.m_value));
    }
    friend constexpr Integer operator-(Integer a, Integer b)
    {
        return Integer(int(a.m_value) - int(b.m_value));
    }
    constexpr Integer operator-() const { return Integer(-int(m_value)); }
    constexpr Integer& operator+=(Integer other) { return *this = *this + other; }
    constexpr Integer& operator-=(Integer other) { return *this = *this - other; }

    friend constexpr bool operator==(Integer, Integer) = default;
    friend constexpr auto operator<=>(Integer, Integer) = default;

private:
    static constexpr std::int16_t checked(int value)
    {
        if (value < kMin || value > kMax)
            raise(ErrorNumber::Overflow);
        return static_cast<std::int16_t>(value);
    }

    std::int16_t m_value = 0;
};

} // namespace rt
