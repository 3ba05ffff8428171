#include "shell/row_text.h"

#include <limits>

namespace shell {

std::int32_t leading_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit + 1);
    }
    if (negative) value = -value;
    if (value > kLimit) value = kLimit;
    return static_cast<std::int32_t>(value);
}

RowKey parse_row_text(std::string_view text) {
    if (text.size() < 5) return {std::string(text), 0};
    return {std::string(text.substr(0, 4)), leading_number(text.substr(4))};
}

}  // namespace shell
