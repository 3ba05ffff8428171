#include "compare/model_items.h"

#include "io/text.h"

namespace compare {

std::string Item::key() const {
    std::string out;
    for (const auto& k : keys) (out += k) += '\x1f';
    return out;
}

std::string quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

}  // namespace compare
