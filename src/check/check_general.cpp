// The texture names, the files they name, and the auto-centre.

#include "check/check_context.h"
#include "io/text.h"
#include "textures/model_textures.h"
#include "textures/texture_file.h"

namespace check {

using pof::RecordEntry;

void check_auto_centre(CheckContext& c) {
    finite_or_report(c, "", "auto-centre", c.store.acen.auto_center, {});
}

// The files behind texture names: a name found nowhere is a note, a file that cannot be
// decoded a warning. Each file is decoded whole, as the Model View decodes it, so the check,
// pofdump's texture list and the window give one answer; one image at a time, dropped at once.
void check_texture_files(CheckContext& c, const std::string& where,
                         const std::vector<std::string>& names,
                         const std::function<std::string(std::size_t)>& place_of,
                         const std::function<pof::ItemRef(std::size_t)>& item_of) {
    if (!c.texture_searches) c.texture_searches = std::make_shared<textures::SearchCache>();
    const textures::ModelTextures found({c.store.source.path, c.store.source.member},
                                        c.store.texture_folders, names, c.texture_searches);
    if (!found.searched()) return;
    const auto& search = found.search();
    for (std::size_t i = 0; i < search.textures.size(); ++i) {
        const auto& lookup = search.textures[i];
        const std::string name = "\"" + pof::text8(lookup.name) + "\"";
        if (!lookup.found) {
            c.out.add(Code::TextureMissing, place_of(i),
                      where + name + " is in none of the places searched: " +
                          textures::places_text(search.places),
                      item_of(i));
            continue;
        }
        const textures::DecodedImage decoded = textures::decode_texture(*lookup.found);
        if (decoded.verdict == textures::Verdict::Ok) continue;
        c.out.add(Code::TextureUnreadable, place_of(i),
                  where + name + ": " + lookup.found->shown_path + " is " +
                      std::string(textures::verdict_word(decoded.verdict)) + ": " + decoded.reason,
                  item_of(i));
    }
}

void check_textures(CheckContext& c) {
    const auto& txtr = c.store.txtr;
    check_count(c, "", "texture count", txtr.texture_count, {});
    // A subobject past the read's stop may use any of them.
    const bool uses_known = c.every_subobject_reached();
    for (std::size_t t = 0; t < c.texture_used.size() && uses_known; ++t) {
        if (c.texture_used[t]) continue;
        const int row = static_cast<int>(t);
        c.out.add(Code::TextureUnused, numbered("Texture", row),
                  "no TMAPPOLY uses \"" + pof::text8(txtr.textures[t].name) + "\"",
                  rows(RecordEntry::TXTR, {row}));
    }
    std::vector<std::string> names;
    for (int t = 0; t < txtr.texture_rows(); ++t) names.push_back(txtr.textures[t].name);
    check_texture_files(
        c, "the texture ", names,
        [](std::size_t t) { return numbered("Texture", static_cast<std::int64_t>(t)); },
        [](std::size_t t) { return rows(RecordEntry::TXTR, {static_cast<int>(t)}); });
}

namespace {

constexpr KindRules kHeaderRules[] = {
    {RecordEntry::OHDR, check_header},
    {RecordEntry::TXTR, check_textures},
    {RecordEntry::ACEN, check_auto_centre},
    {RecordEntry::PINF},  // a text, nothing to check
};
static_assert(covers_group(kHeaderRules, pof::RecordGroup::Header),
              "each header kind has one row of rules here, none for a kind of another group");

}  // namespace

void check_header_record(CheckContext& c, RecordEntry entry) {
    run_rules(kHeaderRules, c, entry);
}

}  // namespace check
