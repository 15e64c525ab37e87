// Numbers held as text in captions and texts, and the runtime's numeric conversions.
//
// Writes: whole numbers without decimals, other numbers with the locale's decimal
// separator; single-precision values round to 7 significant digits, double to 15.
// Reads: a locale-aware conversion that raises "Type mismatch" (13) on anything that is
// not a number, the empty text included.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

// The locale's decimal separator; '.' unless the program sets another one at start.
char decimalSeparator();
void setDecimalSeparator(char separator);
// Takes the separator from the user's LC_NUMERIC environment.
void adoptEnvironmentDecimalSeparator();

std::string textOf(double value);  // double precision, 15 significant digits
std::string textOf(float value);   // single precision, 7 significant digits
std::string textOf(int value);     // whole numbers (16- and 32-bit writes)

// Locale-aware conversion of text to a number (leading and trailing blanks allowed).
double toDouble(std::string_view text);
float toSingle(std::string_view text);

// Rounds to the nearest whole number, halves to even.
double roundHalfEven(double value);
// Rounding conversions; raise "Overflow" (6) outside the type's range.
std::int16_t toInteger(double value);
std::int32_t toLong(double value);

}  // namespace vk
