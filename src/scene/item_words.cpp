#include "scene/item_words.h"

#include <string_view>

#include "io/text.h"

namespace scene {

std::string item_words(const pof::ItemRef& ref) {
    const pof::ChunkKind& kind = pof::kind_of(ref.entry);
    const std::string_view id = kind.ids[0].id;
    std::string out(id.substr(0, id.find_last_not_of(' ') + 1));
    for (const pof::RowChoice& c : ref.choices) {
        const bool known = c.list >= 1 && c.list <= 3 && !kind.row_words[c.list - 1].empty();
        out += " · ";
        out += known ? std::string(kind.row_words[c.list - 1]) : "Row ";
        out += pof::integer_text(c.row);
    }
    return out;
}

}  // namespace scene
