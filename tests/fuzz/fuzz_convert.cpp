// The text conversions take whatever a player types or pastes. Whatever the text, each either
// gives a value or raises a type mismatch or an overflow, and the conversions agree with each
// other: a text that reads as an integer reads as the same number as a double, and an integer
// written out reads back as itself.

#include "runtime/core/convert.h"
#include "runtime/core/error.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool isConversionError(const rt::RuntimeError& error)
{
    return error.number() == rt::ErrorNumber::TypeMismatch ||
           error.number() == rt::ErrorNumber::Overflow;
}

template <class Conversion> auto attempt(Conversion conversion, rt::ErrorNumber* error)
{
    using Value = decltype(conversion());
    try {
        return std::optional<Value>(conversion());
    } catch (const rt::RuntimeError& e) {
        check(isConversionError(e));
        *error = e.number();
        return std::optional<Value>();
    }
}

void checkText(const QString& text)
{
    rt::ErrorNumber integerError{};
    rt::ErrorNumber doubleError{};
    const auto integer = attempt([&] { return rt::textToInteger(text); }, &integerError);
    const auto real = attempt([&] { return rt::textToDouble(text); }, &doubleError);

    if (integer) {
        check(real && *real == integer->value());
        const QString written = rt::integerToText(*integer);
        check(rt::textToInteger(written) == *integer);
        check(rt::roundToInteger(*real) == *integer && rt::floorToInteger(*real) == *integer);
    } else if (integerError == rt::ErrorNumber::Overflow) {
        // Only a well-formed integer outside the 16-bit range overflows; past a double's
        // range it overflows as a double too.
        if (real)
            check(std::nearbyint(*real) == *real &&
                  (*real < rt::Integer::kMin || *real > rt::Integer::kMax));
        else
            check(doubleError == rt::ErrorNumber::Overflow);
    }

    if (real) {
        check(std::isfinite(*real));
        rt::ErrorNumber roundError{};
        const auto rounded = attempt([&] { return rt::roundToInteger(*real); }, &roundError);
        check(rounded.has_value() == (std::nearbyint(*real) >= rt::Integer::kMin &&
                                      std::nearbyint(*real) <= rt::Integer::kMax));
        check(rounded || roundError == rt::ErrorNumber::Overflow);
        if (rounded)
            check(std::abs(rounded->value() - *real) <= 0.5);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The same bytes as UTF-8 (invalid sequences become replacement characters) and as raw
    // UTF-16, which reaches lone surrogates and every other code unit.
    checkText(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    checkText(QString::fromUtf16(units.data(), qsizetype(units.size())));
    return 0;
}
