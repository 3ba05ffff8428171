// The header chunk: its counts, its box and mass values, the subobject numbers its detail
// levels and debris name, and the subobject slots no chunk filled.

#include "check/check_context.h"
#include "io/text.h"
#include "records/table_access.h"
#include "records/versions.h"

namespace check {

namespace {

using pof::integer_text;

void check_subobject_numbers(CheckContext& c, const std::vector<std::int32_t>& table, int rows,
                             Code code, const char* word) {
    for (int i = 0; i < rows; ++i) {
        if (c.is_subobject(table[i])) continue;
        c.out.add(code, numbered(word, i),
                  std::string(word) + " " + integer_text(i) + " names subobject " +
                      integer_text(table[i]) + ", which the header's table of " +
                      integer_text(c.store.subobjects.slot_count()) + " does not hold");
    }
}

// One finding per run of empty slots, so a header that announces a billion subobjects costs
// what its filled slots cost.
void check_missing(CheckContext& c) {
    if (c.read_stopped()) return;  // the chunks of the empty slots may lie past the stop
    const auto& table = c.store.subobjects;
    std::int64_t next = 0;
    auto gap = [&](std::int64_t end) {
        if (end <= next) return;
        const std::string which =
            end - next == 1 ? "subobject " + integer_text(next)
                            : "subobjects " + integer_text(next) + " to " + integer_text(end - 1);
        c.out.add(Code::SubobjectMissing, numbered("subObject", next),
                  "no subobject chunk filled " + which + " of the header's table",
                  pof::ItemRef{pof::RecordEntry::SOBJ, {}});
    };
    for (const std::int32_t n : table.filled_from(0)) {
        gap(n);
        next = std::int64_t{n} + 1;
    }
    gap(table.slot_count());
}

void check_values(CheckContext& c, const records::OhdrRecord& h, std::int32_t version) {
    finite_or_report(c, "", "max radius", h.max_radius, {});
    check_game_radius(c, "", "max radius", h.max_radius, {});
    check_box(c, "", h.bbox_min, h.bbox_max, {});
    if (version >= records::kMassProperties) {
        finite_or_report(c, "", "mass", h.mass, {});
        finite_or_report(c, "", "centre of mass", h.center_of_mass, {});
        for (const auto& row : h.inertia) {
            finite_or_report(c, "", "moment of inertia row", pof::Vec3{row[0], row[1], row[2]}, {});
        }
    }
    if (version >= records::kCrossSections) {
        const int n = h.cross_section_rows();
        for (int i = 0; i < n; ++i) {
            const std::string at = numbered("Cross Section", i);
            const pof::ItemRef item{pof::RecordEntry::OHDR, {{2, i, false}}};
            finite_or_report(c, at, "depth", h.cross_section_depths[i], item);
            finite_or_report(c, at, "radius", records::entry_or_zero(h.cross_section_radii, i),
                             item);
        }
    }
    if (version >= records::kLights) {
        const int n = h.light_rows();
        for (int i = 0; i < n; ++i) {
            finite_or_report(c, numbered("Light", i), "location", h.light_locations[i],
                             rows(pof::RecordEntry::OHDR, {i}));
        }
    }
}

void check_counts(CheckContext& c, const records::OhdrRecord& h, std::int32_t version) {
    check_count(c, "", "subobject count", h.subobject_count, {});
    check_count(c, "", "detail level count", h.detail_level_count, {});
    check_count(c, "", "debris count", h.debris_count, {});
    if (version >= records::kCrossSections) {
        check_count(c, "", "cross-section count", h.cross_section_count, {});
    }
    if (version >= records::kLights) check_count(c, "", "light count", h.light_count, {});
}

}  // namespace

void check_header(CheckContext& c) {
    const records::OhdrRecord& h = c.store.ohdr;
    const std::int32_t version = c.store.file_version;
    check_counts(c, h, version);
    check_values(c, h, version);
    check_subobject_numbers(c, h.detail_levels, h.detail_level_rows(), Code::DetailLevel,
                            "Detail Level");
    check_subobject_numbers(c, h.debris_pieces, h.debris_rows(), Code::Debris, "Debris");
    check_game_table(c, Code::DetailLevelCount, "", h.detail_level_count, kGameDetailLevels,
                     "detail levels", "so it overruns it (it does not check)", {});
    check_game_table(c, Code::DebrisCount, "", h.debris_count, kGameDebris, "debris pieces",
                     "so more stop the game with an error", {});
    check_missing(c);
}

}  // namespace check
