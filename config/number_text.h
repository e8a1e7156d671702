#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace config {

// The nearest integer, an exact half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Decimal number text as the settings file holds it: optional blanks around it, an optional
// sign, digits with an optional fraction and an optional exponent, each character in ASCII or
// in full width. Anything else, and a value outside the target type's range, does not convert.
std::optional<float> ParseSingle(const std::wstring& text);
// As ParseSingle, then rounded half to even into -32768..32767.
std::optional<std::int16_t> ParseInt16(const std::wstring& text);

// The value rounded to 7 significant digits, without trailing zeros or a trailing point
// ("3", "2.5", "-0.125"); below 1E-04 and from 1E+07 on in exponent form ("1E+07",
// "1.5E-05"), which ParseSingle reads back.
std::wstring SingleText(float value);

}  // namespace config
