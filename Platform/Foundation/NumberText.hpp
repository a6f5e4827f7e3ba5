#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number text that never follows the process locale: a host may have called setlocale with a
// comma locale, and the texts we print and read must not change with it.
namespace Foundation::NumberText {

// `value` with `decimals` digits after the point, exactly as printf("%.*f") prints it in the
// C locale (round-half-even on the exact binary value; "inf", "-inf", "nan", "-nan").
// A negative count prints like 0.
std::string format(double value, int decimals);

// Shortest text that reads back as the same double (for serialised values).
std::string formatShortest(double value);

// Whole-string parses with the C library's number syntax under the C locale (signs, decimals,
// exponents, hexadecimal forms, "inf", "infinity", "nan"). Empty text, text that starts with
// a space, \t, \n, \v, \f or \r, and text with anything left over give no number. NaN results
// are returned as NaN; an out-of-range magnitude gives the infinity or zero that the C library
// gives.
std::optional<float> parseFloat(std::string_view text);
std::optional<double> parseDouble(std::string_view text);

// Optional '+' or '-', then one or more decimal digits and nothing else. Out of the 64-bit
// signed range gives no number.
std::optional<std::int64_t> parseInt64(std::string_view text);

}  // namespace Foundation::NumberText
