#include "io/text.h"

#include <gtest/gtest.h>

#include <locale.h>

#include <array>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace {

using pof::float_text;
using pof::integer_text;
using pof::text8;

TEST(IntegerText, SignedDecimalWithoutPaddingOrGrouping) {
    EXPECT_EQ(integer_text(0), "0");
    EXPECT_EQ(integer_text(-3), "-3");
    EXPECT_EQ(integer_text(1234567), "1234567");
    EXPECT_EQ(integer_text(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(FloatText, SevenSignificantDigitsLikePrintfG) {
    EXPECT_EQ(float_text(0.0f), "0");
    EXPECT_EQ(float_text(-0.0f), "-0");
    EXPECT_EQ(float_text(0.1f), "0.1");
    EXPECT_EQ(float_text(0.5f), "0.5");
    EXPECT_EQ(float_text(1.0f), "1");
    EXPECT_EQ(float_text(-2.25f), "-2.25");
    EXPECT_EQ(float_text(25.5f), "25.5");
    EXPECT_EQ(float_text(1234567.0f), "1234567");
    EXPECT_EQ(float_text(3.14159265f), "3.141593");
    EXPECT_EQ(float_text(0.0001f), "0.0001");
}

TEST(FloatText, ExponentFormOutsideTheFixedRange) {
    EXPECT_EQ(float_text(1e-05f), "1E-05");
    EXPECT_EQ(float_text(123456789.0f), "1.234568E+08");
    EXPECT_EQ(float_text(12345678.0f), "1.234568E+07");
    EXPECT_EQ(float_text(-1.5e-7f), "-1.5E-07");
    EXPECT_EQ(float_text(std::numeric_limits<float>::max()), "3.402823E+38");
    EXPECT_EQ(float_text(std::numeric_limits<float>::denorm_min()), "1.401298E-45");
}

TEST(FloatText, RoundingThatCarriesIntoTheExponent) {
    // The form is chosen by the exponent after rounding to seven digits, as printf does.
    EXPECT_EQ(float_text(9999999.0f), "9999999");
    EXPECT_EQ(float_text(99999992.0f), "9.999999E+07");
    EXPECT_EQ(float_text(0.000099999997f), "0.0001");
    EXPECT_EQ(float_text(0.00009999f), "9.999E-05");
}

// The form is printf's "%.7G" in the C locale: held to it over whole numbers each side of
// 10^7 (the quick way for whole numbers ends there), halves, and random bit patterns.
TEST(FloatText, IsPrintfsSevenDigitG) {
    const locale_t c_locale = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    ASSERT_NE(c_locale, locale_t{});
    const locale_t before = ::uselocale(c_locale);
    const auto printf_g = [](float v) {
        std::array<char, 64> buf{};
        std::snprintf(buf.data(), buf.size(), "%.7G", static_cast<double>(v));
        return std::string(buf.data());
    };
    std::vector<float> values;
    for (float v : {0.0f, 1.0f, 9999990.0f, 16777216.0f, 3.0e9f}) {
        for (int k = -12; k <= 12; ++k) values.push_back(v + static_cast<float>(k) * 0.5f);
    }
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    for (const float v : values) {
        EXPECT_EQ(float_text(v), printf_g(v)) << std::bit_cast<std::uint32_t>(v);
        EXPECT_EQ(float_text(-v), printf_g(-v)) << std::bit_cast<std::uint32_t>(v);
    }
    ::uselocale(before);
    ::freelocale(c_locale);
}

TEST(FloatText, NotFiniteValues) {
    EXPECT_EQ(float_text(std::numeric_limits<float>::infinity()), "INF");
    EXPECT_EQ(float_text(-std::numeric_limits<float>::infinity()), "-INF");
    EXPECT_EQ(float_text(std::numeric_limits<float>::quiet_NaN()), "NAN");
}

TEST(FloatText, IgnoresTheProcessLocale) {
    // Qt calls setlocale at start-up; a decimal comma must never appear.
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (!german) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(float_text(0.5f), "0.5");
    EXPECT_EQ(float_text(1.234568e8f), "1.234568E+08");
    EXPECT_EQ(integer_text(1234567), "1234567");
    std::setlocale(LC_ALL, "C");
}

TEST(Text8, Windows1252ToUtf8) {
    EXPECT_EQ(text8("abc"), "abc");
    EXPECT_EQ(text8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(text8("\xE9"), "\xC3\xA9");      // e acute
    EXPECT_EQ(text8("\x81"), "\xC2\x81");      // undefined in 1252: kept as C1
    EXPECT_EQ(text8("\x9F"), "\xC5\xB8");      // Y diaeresis
}

TEST(Text8, NulBytesAreVisibleAndNothingAfterThemIsLost) {
    const std::string bytes("ab\0cd", 5);
    EXPECT_EQ(text8(bytes),
              "ab\xE2\x90\x80"
              "cd");
}

}  // namespace
