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

// ASCII letters lowered; every other byte (Windows-1252 letters, UTF-8 bytes) as it is. Names in
// archives, folders and the file's own texts compare without case this way.
constexpr char lower_ascii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string lower_ascii(std::string_view text);

}  // namespace pof
