// Docking points, paths, thrusters, insignia and glow points.

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "check/check_context.h"
#include "io/text.h"
#include "records/table_access.h"
#include "textures/model_textures.h"

namespace check {

namespace {

using pof::integer_text;
using pof::RecordEntry;

std::int32_t path_count(const CheckContext& c) {
    if (!c.record_chunk(RecordEntry::PATH)) return 0;
    return c.store.path.path_rows();
}

bool is_zero(pof::Vec3 v) {
    return v.x == 0 && v.y == 0 && v.z == 0;
}

double dot(pof::Vec3 a, pof::Vec3 b) {
    return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}

// A dock holds exactly two points: more overrun the game's table, fewer it warns of. A count
// below zero is count-negative's.
void dock_point_count(CheckContext& c, const std::string& at, std::int32_t points,
                      const pof::ItemRef& item) {
    if (points > kGameDockPoints) {
        check_game_table(c, Code::DockPointCount, at, points, kGameDockPoints, "points",
                         "so it overruns it", item);
    } else if (points >= 0 && points < kGameDockPoints) {
        c.out.add(Code::DockPointCount, Severity::Warning, at,
                  integer_text(points) + (points == 1 ? " point" : " points") +
                      ": a dock has 2, so the game warns",
                  item);
    }
}

// The two points of a dock at one position, or the line between them almost along a point's
// normal (|cos| above 0.99): the game repairs either, with a warning.
void dock_line(CheckContext& c, const std::string& at, const records::DockPoint& a,
               const records::DockPoint& b, int d) {
    if (!is_finite(a.position) || !is_finite(b.position)) return;
    const auto item = rows(RecordEntry::DOCK, {d});
    if (a.position == b.position) {
        c.out.add(Code::DockGeometry, at,
                  "its two points are both at " + vec_text(a.position) +
                      ": the game repairs it, with a warning",
                  item);
        return;
    }
    const pof::Vec3 line{b.position.x - a.position.x, b.position.y - a.position.y,
                         b.position.z - a.position.z};
    for (const auto& [p, normal] : {std::pair{0, a.normal}, std::pair{1, b.normal}}) {
        if (!is_finite(normal) || is_zero(normal)) continue;
        const double cos = dot(line, normal) / std::sqrt(dot(line, line) * dot(normal, normal));
        if (std::abs(cos) <= 0.99) continue;
        c.out.add(Code::DockGeometry, at,
                  "the line between its points runs along the normal of point " + integer_text(p) +
                      " (|cos| " + pof::float_text(float(std::abs(cos))) +
                      ", above 0.99): the game repairs it, with a warning",
                  item);
        return;
    }
}

void dock(CheckContext& c, const records::DockRecord& r, int d) {
    const std::string at = numbered("Dock", d);
    const std::int32_t paths = path_count(c);
    const std::int32_t splines = records::entry_or_zero(r.spline_path_counts, d);
    check_count(c, at, "spline path count", splines, rows(RecordEntry::DOCK, {d}));
    for (int j = 0; j < r.spline_path_rows(d); ++j) {
        const std::int32_t path = r.spline_paths.at(d, j);
        if (path >= 0 && path < paths) continue;
        if (!c.reached(RecordEntry::PATH)) {
            c.unreached.dock_paths = true;
            continue;
        }
        c.out.add(Code::DockPath, place({at, numbered("Spline path", j)}),
                  "path " + integer_text(path) + " is not one of the " + integer_text(paths) +
                      " paths of the PATH chunk",
                  rows(RecordEntry::DOCK, {d, j}));
    }
    const std::int32_t points = records::entry_or_zero(r.point_counts, d);
    check_count(c, at, "point count", points, rows(RecordEntry::DOCK, {d}));
    dock_point_count(c, at, points, rows(RecordEntry::DOCK, {d}));
    for (int p = 0; p < r.point_rows(d); ++p) {
        const std::string where = place({at, numbered("Point", p)});
        const pof::ItemRef item{RecordEntry::DOCK, {{1, d, false}, {3, p, false}}};
        const records::DockPoint& point = r.points.at(d, p);
        finite_or_report(c, where, "position", point.position, item);
        if (is_zero(point.normal)) {
            c.out.add(Code::DockGeometry, where,
                      "its normal is (0, 0, 0): the game repairs it, with a warning", item);
        } else {
            check_normal(c, where, "normal", point.normal, item);
        }
    }
    if (r.point_rows(d) >= 2) dock_line(c, at, r.points.at(d, 0), r.points.at(d, 1), d);
}

void docks(CheckContext& c, const records::DockRecord& r) {
    check_count(c, "", "dock count", r.dock_count, {});
    for (int d = 0; d < r.dock_rows(); ++d) dock(c, r, d);
}

void path_vertex(CheckContext& c, const records::PathRecord& r, int p, int v) {
    const std::string at = place({numbered("Path", p), numbered("Vertex", v)});
    const records::PathVertex& vertex = r.vertices.at(p, v);
    finite_or_report(c, at, "position", vertex.position, rows(RecordEntry::PATH, {p, v}));
    finite_or_report(c, at, "radius", vertex.radius, rows(RecordEntry::PATH, {p, v}));
    check_count(c, at, "turret count", vertex.turret_count, rows(RecordEntry::PATH, {p, v}));
    for (int t = 0; t < r.turret_rows(p, v); ++t) {
        const std::int32_t n = r.turret(p, v, t);
        if (c.is_subobject(n)) continue;
        c.out.add(Code::PathTurret, place({at, numbered("Turret", t)}),
                  "turret " + integer_text(n) + " is not a subobject number",
                  rows(RecordEntry::PATH, {p, v, t}));
    }
}

// The number of a docking-bay approach path, "$bayNN" ("$bay" in any ASCII case, then
// digits only): 0 for one outside 1 to 31, nullopt for a name that is not a bay path's.
std::optional<std::int32_t> bay_number(const std::string& name) {
    constexpr std::string_view kBay = "$bay";
    if (name.size() <= kBay.size() || pof::lower_ascii(name.substr(0, kBay.size())) != kBay) {
        return std::nullopt;
    }
    std::int32_t n = 0;
    for (std::size_t i = kBay.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        n = std::min(n * 10 + (name[i] - '0'), kGameBayPaths + 1);
    }
    return n <= kGameBayPaths ? n : 0;
}

// Names compared with ASCII case ignored, without a lowered copy of each.
struct CaselessHash {
    std::size_t operator()(std::string_view s) const {
        std::size_t h = 14695981039346656037ull;  // FNV-1a
        for (const char ch : s)
            h = (h ^ static_cast<unsigned char>(pof::lower_ascii(ch))) * 1099511628211ull;
        return h;
    }
};
struct CaselessEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return pof::lower_ascii(x) == pof::lower_ascii(y);
               });
    }
};

// A name as a message quotes it.
std::string quoted(const std::string& name) {
    std::string out = "\"";
    out += pof::text8(name);
    out += '"';
    return out;
}

std::string bay_name(std::int32_t n) {
    std::string name = n < 10 ? "$bay0" : "$bay";
    name += integer_text(n);
    return name;
}

// Two paths of one name, and bay paths numbered outside 1 to 31 or after a gap: one pass
// with a hash map of the names, so a PATH chunk of many paths costs what it holds.
void path_names(CheckContext& c, const records::PathRecord& r) {
    std::unordered_map<std::string_view, int, CaselessHash, CaselessEqual> first;
    first.reserve(static_cast<std::size_t>(r.path_rows()));
    std::array<int, kGameBayPaths + 1> bays;  // the first path of each bay number, or -1
    bays.fill(-1);
    for (int p = 0; p < r.path_rows(); ++p) {
        const std::string& name = records::entry_or_zero(r.names, p).text;
        const auto [it, fresh] = first.emplace(name, p);
        if (!fresh) {
            c.out.add(Code::PathDuplicate, numbered("Path", p),
                      "its name " + quoted(name) + " is the name of path " +
                          integer_text(it->second) + " too: the game warns",
                      rows(RecordEntry::PATH, {p}));
        }
        const auto bay = bay_number(name);
        if (!bay) continue;
        if (*bay == 0) {
            c.out.add(Code::BayPath, numbered("Path", p),
                      "the bay path " + quoted(name) +
                          " is not numbered 01 to 31, as the game numbers them",
                      rows(RecordEntry::PATH, {p}));
        } else if (bays[*bay] < 0) {
            bays[*bay] = p;
        }
    }
    // Each number after a gap, told at its first path.
    for (std::int32_t n = 2; n <= kGameBayPaths; ++n) {
        if (bays[n] < 0 || bays[n - 1] >= 0) continue;
        const int p = bays[n];
        c.out.add(Code::BayPath, numbered("Path", p),
                  "the bay path " + quoted(records::entry_or_zero(r.names, p).text) +
                      " comes without a path " + bay_name(n - 1) +
                      ": the game numbers them from 01 without gaps",
                  rows(RecordEntry::PATH, {p}));
    }
}

void paths(CheckContext& c, const records::PathRecord& r) {
    check_count(c, "", "path count", r.path_count, {});
    // Every subobject name, lower-cased, to look parents up in.
    std::vector<std::string> names;
    for (const auto& [number, chunk] : c.subobject_chunks) {
        names.push_back(pof::lower_ascii(c.store.subobjects.at(number).name));
    }
    std::sort(names.begin(), names.end());
    path_names(c, r);
    const bool names_known = c.every_subobject_reached();
    for (int p = 0; p < r.path_rows(); ++p) {
        const std::string& parent = records::entry_or_zero(r.parents, p).text;
        if (!parent.empty() && names_known &&
            !std::binary_search(names.begin(), names.end(), pof::lower_ascii(parent))) {
            c.out.add(Code::PathParent, numbered("Path", p),
                      "its parent \"" + pof::text8(parent) + "\" is the name of no subobject",
                      rows(RecordEntry::PATH, {p}));
        }
        const std::int32_t vertices = records::entry_or_zero(r.vertex_counts, p);
        check_count(c, numbered("Path", p), "vertex count", vertices, rows(RecordEntry::PATH, {p}));
        for (int v = 0; v < r.vertex_rows(p); ++v) path_vertex(c, r, p, v);
    }
}

// A thruster's glow or a glow bank's point: its numbers finite and its normal of unit length.
// Whether its radius is finite.
bool glow_point_numbers(CheckContext& c, const std::string& at, const records::GlowPoint& point,
                        const pof::ItemRef& item) {
    finite_or_report(c, at, "position", point.position, item);
    check_normal(c, at, "normal", point.normal, item);
    return finite_or_report(c, at, "radius", point.radius, item);
}

void thrusters(CheckContext& c, const records::FuelRecord& r) {
    check_count(c, "", "thruster count", r.thruster_count, {});
    for (int t = 0; t < r.thruster_rows(); ++t) {
        const std::string at = numbered("Thruster", t);
        check_count(c, at, "glow count", r.glow_counts[t], rows(RecordEntry::FUEL, {t}));
        for (int g = 0; g < r.glow_rows(t); ++g) {
            glow_point_numbers(c, place({at, numbered("Glow", g)}), r.glows.at(t, g),
                               rows(RecordEntry::FUEL, {t, g}));
        }
    }
}

void insignia(CheckContext& c, const records::InsgRecord& r, int i) {
    const std::string at = numbered("Insignia", i);
    const std::int32_t level = records::entry_or_zero(r.detail_levels, i);
    const std::int32_t levels = c.store.ohdr.detail_level_count;
    if (level < 0 || level >= levels) {
        c.out.add(Code::InsigniaDetailLevel, at,
                  "detail level " + integer_text(level) + " is outside the header's " +
                      integer_text(std::max(levels, 0)) + " detail levels",
                  rows(RecordEntry::INSG, {i}));
    }
    const std::int32_t vertex_count = records::entry_or_zero(r.vertex_counts, i);
    const std::int32_t face_count = records::entry_or_zero(r.face_counts, i);
    check_count(c, at, "vertex count", vertex_count, rows(RecordEntry::INSG, {i}));
    check_count(c, at, "face count", face_count, rows(RecordEntry::INSG, {i}));
    const int vertices = r.vertex_rows(i);
    for (int v = 0; v < vertices; ++v) {
        finite_or_report(c, place({at, numbered("Vertex", v)}), "vertex", r.vertices.at(i, v),
                         rows(RecordEntry::INSG, {i, v}));
    }
    for (int f = 0; f < r.face_rows(i); ++f) {
        for (const records::FaceCorner& corner : r.faces.at(i, f)) {
            if (corner.vertex >= 0 && corner.vertex < vertices) continue;
            c.out.add(Code::InsigniaVertexIndex, place({at, numbered("Face", f)}),
                      "corner " + integer_text(corner.vertex) + " is outside the " +
                          integer_text(vertices) + " vertices of this insignia",
                      pof::ItemRef{RecordEntry::INSG, {{1, i, false}, {3, f, false}}});
        }
    }
}

void insignias(CheckContext& c, const records::InsgRecord& r) {
    check_count(c, "", "insignia count", r.insignia_count, {});
    check_game_table(c, Code::InsigniaCount, "", r.insignia_count, kGameInsignias, "insignias",
                     "so it overruns it (it does not check)", {});
    for (int i = 0; i < r.insignia_rows(); ++i) insignia(c, r, i);
}

void glow_point(CheckContext& c, const records::GlowRecord& r, int b, int p) {
    const std::string at = place({numbered("Bank", b), numbered("Point", p)});
    const auto item = rows(RecordEntry::GLOW, {b, p});
    const records::GlowPoint point = r.points.at(b, p);
    if (!glow_point_numbers(c, at, point, item) || point.radius > 0) return;
    c.out.add(Code::GlowRadius, at,
              "its radius " + pof::float_text(point.radius) + " is not above zero", item);
}

void glow_bank(CheckContext& c, const records::GlowRecord& r, int b) {
    const records::GlowBank& bank = r.banks[b];
    const std::string at = numbered("Bank", b);
    const auto item = rows(RecordEntry::GLOW, {b});
    if (bank.parent != -1 && !c.is_subobject(bank.parent)) {
        c.out.add(
            Code::GlowParent, at,
            "its parent " + integer_text(bank.parent) + " is neither -1 nor a subobject number",
            item);
    }
    const std::int32_t levels = c.store.ohdr.detail_level_count;
    if (bank.lod < 0 || bank.lod >= levels) {
        c.out.add(Code::GlowLod, at,
                  "its LOD " + integer_text(bank.lod) + " is not one of the header's " +
                      integer_text(std::max(levels, 0)) + " detail levels",
                  item);
    }
    check_count(c, at, "point count", bank.point_count, item);
    check_count(c, at, "properties length", bank.properties.length, item);
    if (bank.properties.text.find("$glow_texture=") == std::string::npos) {
        c.out.add(Code::GlowTexture, at,
                  "its properties hold no $glow_texture=: the game warns of the bank", item);
    }
    for (int p = 0; p < r.point_rows(b); ++p) glow_point(c, r, b, p);
}

// The bitmaps the banks' properties name ($glow_texture=NAME), looked for as textures are.
void glow_textures(CheckContext& c, const records::GlowRecord& r) {
    std::vector<std::string> names;
    std::vector<int> banks;
    for (int b = 0; b < r.bank_rows(); ++b) {
        std::string name = textures::glow_texture_name(r.banks[b].properties.text);
        if (name.empty()) continue;
        names.push_back(std::move(name));
        banks.push_back(b);
    }
    if (names.empty()) return;
    check_texture_files(
        c, "the glow texture ", names, [&](std::size_t i) { return numbered("Bank", banks[i]); },
        [&](std::size_t i) { return rows(RecordEntry::GLOW, {banks[i]}); });
}

void glow_banks(CheckContext& c, const records::GlowRecord& r) {
    check_count(c, "", "bank count", r.bank_count, {});
    for (int b = 0; b < r.bank_rows(); ++b) glow_bank(c, r, b);
    glow_textures(c, r);
}

}  // namespace

namespace {

constexpr KindRules kDockingRules[] = {
    {RecordEntry::DOCK, [](CheckContext& c) { docks(c, c.store.dock); }},
    {RecordEntry::PATH, [](CheckContext& c) { paths(c, c.store.path); }},
    {RecordEntry::FUEL, [](CheckContext& c) { thrusters(c, c.store.fuel); }},
    {RecordEntry::INSG, [](CheckContext& c) { insignias(c, c.store.insg); }},
    {RecordEntry::GLOW, [](CheckContext& c) { glow_banks(c, c.store.glow); }},
};
static_assert(covers_group(kDockingRules, pof::RecordGroup::Docking),
              "each docking kind has one row of rules here, none for a kind of another group");

}  // namespace

void check_docking_record(CheckContext& c, RecordEntry entry) {
    run_rules(kDockingRules, c, entry);
}

}  // namespace check
