#pragma once

#include "runtime/core/integer.h"

#include <QString>

namespace rt {

// Text to a 16-bit integer: blanks around the number, an optional sign right before the
// decimal digits. Anything else, the empty text included, is a type mismatch; a number outside
// -32768..32767 is an overflow.
Integer textToInteger(const QString& text);

// Decimal digits, "-" for negatives, no blanks.
QString integerToText(Integer value);

// Text to a double: blanks around the number, an optional sign, digits with an optional
// fraction and exponent. Anything else is a type mismatch; a number beyond a double's range
// is an overflow.
double textToDouble(const QString& text);

// Floor of a double as a 16-bit integer; overflow outside the range (and for NaN).
Integer floorToInteger(double value);

// Nearest 16-bit integer, halves to the even neighbour; overflow outside the range.
Integer roundToInteger(double value);

} // namespace rt
