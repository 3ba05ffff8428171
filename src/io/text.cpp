#include "io/text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace pof {

std::string lower_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower_ascii(c);
    return out;
}

std::string integer_text(std::int64_t value) {
    return std::to_string(value);
}

namespace {

constexpr int kPrecision = 7;

void drop_trailing_zeros(std::string& digits) {
    if (digits.find('.') == std::string::npos) return;
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
}

std::string nonfinite_text(double value) {
    if (std::isnan(value)) return std::signbit(value) ? "-NAN" : "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string exponent_text(std::string_view scientific) {
    // scientific is "d.dddddde±XX" as to_chars writes it.
    const auto e = scientific.find('e');
    std::string mantissa(scientific.substr(0, e));
    drop_trailing_zeros(mantissa);
    std::string exponent(scientific.substr(e + 1));
    const char sign = exponent[0];
    std::string digits = exponent.substr(1);
    if (digits.size() < 2) digits.insert(0, "0");
    return mantissa + "E" + sign + digits;
}

}  // namespace

std::string float_text(float value) {
    const double v = value;
    if (!std::isfinite(v)) return nonfinite_text(v);
    // A whole number of up to seven digits is its digits: most values of a model's blocks
    // (indices, counts, grid-aligned points) take this way, and it is many times quicker.
    if (std::fabs(v) < 1e7 && v == std::trunc(v) && !(v == 0 && std::signbit(v))) {
        return integer_text(static_cast<std::int64_t>(v));
    }
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                                   std::chars_format::scientific, kPrecision - 1);
    const std::string_view scientific(buf.data(), end - buf.data());
    const char* exponent_at = scientific.data() + scientific.find('e') + 1;
    if (*exponent_at == '+') ++exponent_at;  // from_chars takes a minus sign only
    int exponent = 0;
    std::from_chars(exponent_at, end, exponent);
    if (exponent < -4 || exponent >= kPrecision) return exponent_text(scientific);
    std::array<char, 64> fixed{};
    auto [fend, fec] = std::to_chars(fixed.data(), fixed.data() + fixed.size(), v,
                                     std::chars_format::fixed, kPrecision - 1 - exponent);
    std::string text(fixed.data(), fend - fixed.data());
    drop_trailing_zeros(text);
    return text;
}

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to the C1 code points,
// as Windows itself converts them.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kVisibleNul = 0x2400;

char32_t code_point(unsigned char byte) {
    if (byte == 0) return kVisibleNul;
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

void append_text8(std::string& out, std::string_view bytes) {
    for (const char c : bytes) append_utf8(out, code_point(static_cast<unsigned char>(c)));
}

std::string text8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    append_text8(out, bytes);
    return out;
}

}  // namespace pof
