// The texture names and the auto-centre.

#include "check/check_context.h"
#include "io/text.h"

namespace check {

using pof::RecordEntry;

void check_auto_centre(CheckContext& c) {
    finite_or_report(c, "", "auto-centre", c.store.acen.auto_center, {});
}

void check_textures(CheckContext& c) {
    check_count(c, "", "texture count", c.store.txtr.texture_count, {});
    for (std::size_t t = 0; t < c.texture_used.size(); ++t) {
        if (c.texture_used[t]) continue;
        const int row = static_cast<int>(t);
        c.out.add(Code::TextureUnused, numbered("Texture", row),
                  "no TMAPPOLY uses \"" + pof::text8(c.store.txtr.textures[t].name) + "\"",
                  rows(RecordEntry::TXTR, {row}));
    }
}

}  // namespace check
