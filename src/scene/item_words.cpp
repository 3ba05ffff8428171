#include "scene/item_words.h"

#include <string_view>

#include "io/text.h"

namespace scene {

std::string item_words(const pof::ItemRef& ref, std::string_view subobject_id) {
    const pof::ChunkKind& kind = pof::kind_of(ref.entry);
    const bool named = ref.entry == pof::RecordEntry::SOBJ && !subobject_id.empty();
    const std::string_view id = named ? subobject_id : kind.ids[0].id;
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
