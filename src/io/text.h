#pragma once
// The number and text forms every window shows. None of them reads the process locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace pof {

// Decimal, leading "-" when negative, no grouping or padding.
std::string integer_text(std::int64_t value);

// printf's %.7G: seven significant digits, trailing zeros dropped, exponent form
// ("1E-05", "1.234568E+08") outside the range fixed notation covers.
std::string float_text(float value);

// 8-bit file text (Windows-1252) as UTF-8 for display. NUL bytes become the visible
// symbol U+2400 so that nothing after them is lost.
std::string text8(std::string_view bytes);
// The same, appended to out.
void append_text8(std::string& out, std::string_view bytes);

}  // namespace pof
