#include "compare/model_items.h"

#include <algorithm>
#include <deque>
#include <map>

#include "io/text.h"
#include "records/subobjects/subobject_rows.h"

namespace compare {

namespace {

using pof::integer_text;
using pof::RecordEntry;

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) (out += p) += '\x1f';
    return out;
}

FieldValue number(std::string caption, std::int64_t value) {
    return {std::move(caption), integer_text(value), {}, {}, {}};
}
FieldValue real(std::string caption, float value) {
    return {std::move(caption), pof::float_text(value), {value}, {}, {}};
}
FieldValue vec(std::string caption, const pof::Vec3& v) {
    return {std::move(caption), vec_text(v), {v.x, v.y, v.z}, {}, {}};
}
FieldValue text(std::string caption, std::string_view bytes) {
    return {std::move(caption), quoted(bytes), {}, {}, {}};
}
// A subobject number, compared through the matching of the two models' subobjects.
FieldValue subobject(std::string caption, std::int32_t n) {
    return {std::move(caption), integer_text(n), {}, n, {}};
}

std::string row(const char* word, std::int64_t n) {
    return word + integer_text(n);
}

// Keys of the items a list names by name: the name when no other item of the list bears it and
// it is not empty, the position otherwise.
template <class NameOf>
std::vector<std::string> name_keys(int rows, const char* word, NameOf name_of) {
    std::map<std::string, int> seen;
    for (int i = 0; i < rows; ++i) ++seen[std::string(name_of(i))];
    std::vector<std::string> keys;
    for (int i = 0; i < rows; ++i) {
        const std::string name(name_of(i));
        keys.push_back(!name.empty() && seen[name] == 1 ? "name " + name : row(word, i));
    }
    return keys;
}

// A dock is named by the "$name=" line of its properties, when it has one.
std::string dock_name(std::string_view properties) {
    const auto at = properties.find("$name=");
    if (at == std::string_view::npos) return {};
    const auto value = properties.substr(at + 6);
    return std::string(value.substr(0, value.find_first_of("\r\n")));
}

class Walk {
  public:
    explicit Walk(const pof::ModelStore& store) : s_(store) {}

    std::vector<Item> run();

  private:
    Item& item(RecordEntry entry, std::vector<std::string> keys, std::vector<std::string> place,
               std::initializer_list<int> rows) {
        Item it;
        it.entry = entry;
        it.chunk = chunk_ids_[entry];
        it.keys = std::move(keys);
        it.place = std::move(place);
        it.ref.entry = entry;
        int list = 1;
        for (const int r : rows) it.ref.choices.push_back({list++, r, false});
        items_.push_back(std::move(it));
        return items_.back();
    }
    // An item keyed by its place.
    Item& item(RecordEntry entry, std::vector<std::string> place, std::initializer_list<int> rows) {
        return item(entry, place, place, rows);
    }

    void header();
    void subobjects();
    void textures();
    void general();
    void weapon_points(RecordEntry entry, const records::WeaponPointRecord& r, const char* word);
    void turrets(RecordEntry entry, const records::TurretRecord& r);
    void special_points();
    void docks();
    void thrusters();
    void shield();
    void eye_points();
    void insignias();
    void paths();
    void glow_banks();

    const pof::ModelStore& s_;
    std::map<RecordEntry, std::string> chunk_ids_;
    std::deque<Item> items_;  // references to an item stay good while more are added
};

std::vector<Item> Walk::run() {
    for (const auto& fact : s_.chunks) {
        const pof::ChunkIdMatch match = pof::find_chunk_id(fact.id);
        if (match.kind && !chunk_ids_.count(match.kind->entry))
            chunk_ids_[match.kind->entry] = fact.id;
    }
    const auto read = [this](RecordEntry e) { return chunk_ids_.count(e) > 0; };
    if (read(RecordEntry::OHDR)) header();
    if (read(RecordEntry::SOBJ)) subobjects();
    if (read(RecordEntry::TXTR)) textures();
    general();
    if (read(RecordEntry::SPCL)) special_points();
    if (read(RecordEntry::GPNT)) weapon_points(RecordEntry::GPNT, s_.gpnt, "Gun ");
    if (read(RecordEntry::MPNT)) weapon_points(RecordEntry::MPNT, s_.mpnt, "Missile ");
    if (read(RecordEntry::TGUN)) turrets(RecordEntry::TGUN, s_.tgun);
    if (read(RecordEntry::TMIS)) turrets(RecordEntry::TMIS, s_.tmis);
    if (read(RecordEntry::DOCK)) docks();
    if (read(RecordEntry::FUEL)) thrusters();
    if (read(RecordEntry::SHLD)) shield();
    if (read(RecordEntry::EYE)) eye_points();
    if (read(RecordEntry::INSG)) insignias();
    if (read(RecordEntry::PATH)) paths();
    if (read(RecordEntry::GLOW)) glow_banks();
    return {std::make_move_iterator(items_.begin()), std::make_move_iterator(items_.end())};
}

void Walk::header() {
    const auto& h = s_.ohdr;
    Item& it = item(RecordEntry::OHDR, {}, {});
    auto& f = it.fields;
    f.push_back(number("# subObjects", h.subobject_count));
    f.push_back(number("Object Flags", h.object_flags));
    f.push_back(number("File Version", s_.file_version));
    f.push_back(vec("Bounding Box min", h.bbox_min));
    f.push_back(vec("Bounding Box max", h.bbox_max));
    f.push_back(real("Max Radius", h.max_radius));
    for (int i = 0; i < h.detail_level_rows(); ++i)
        f.push_back(subobject(row("Detail level ", i), h.detail_levels[i]));
    for (int i = 0; i < h.debris_rows(); ++i)
        f.push_back(subobject(row("Debris piece ", i), h.debris_pieces[i]));
    f.push_back(real("Mass", h.mass));
    f.push_back(vec("Center of Mass", h.center_of_mass));
    for (int r = 0; r < 3; ++r) {
        const auto& m = h.inertia[r];
        f.push_back({"Moment of Inertia (" + integer_text(r) + ",*)",
                     vec_text({m[0], m[1], m[2]}),
                     {m[0], m[1], m[2]},
                     {},
                     {}});
    }
    for (int i = 0; i < h.light_rows(); ++i) {
        Item& light = item(RecordEntry::OHDR, {row("Light ", i)}, {i});
        light.fields.push_back(number("Light Type", records::entry_or_zero(h.light_types, i)));
        light.fields.push_back(vec("Location", h.light_locations[i]));
    }
    for (int i = 0; i < h.cross_section_rows(); ++i) {
        Item& section = item(RecordEntry::OHDR, {row("Cross Section ", i)}, {0, i});
        section.ref.choices.erase(section.ref.choices.begin());
        section.ref.choices[0].list = 2;
        section.fields.push_back(real("Radius", records::entry_or_zero(h.cross_section_radii, i)));
        section.fields.push_back(real("Depth", h.cross_section_depths[i]));
    }
}

void Walk::subobjects() {
    const records::SubobjectRows rows(s_.subobjects, s_.ohdr.subobject_count);
    std::vector<std::int32_t> numbers = s_.subobjects.filled_from(0);
    const auto keys = name_keys(static_cast<int>(numbers.size()), "#",
                                [&](int i) { return s_.subobjects.at(numbers[i]).name; });
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::int32_t n = numbers[i];
        const records::Subobject& o = s_.subobjects.at(n);
        const std::string key = keys[i].front() == '#' ? "#" + integer_text(n) : keys[i];
        Item& it = item(RecordEntry::SOBJ, {key}, {row("subObject ", n)}, {});
        if (const int r = rows.row_of(n); r >= 0) it.ref.choices.push_back({1, r, false});
        it.subobject = n;
        it.parent = o.parent;
        auto& f = it.fields;
        f.push_back(number("Number", n));
        f.push_back(text("subModel Name", o.name));
        f.push_back(text("Properties", o.properties));
        f.push_back(subobject("Parent", o.parent));
        f.push_back(vec("Offset from Parent", o.offset));
        f.push_back(real("Radius", o.radius));
        f.push_back(vec("Geometric Center", o.geometric_center));
        f.push_back(vec("Bounding Box min", o.bbox_min));
        f.push_back(vec("Bounding Box max", o.bbox_max));
        f.push_back(number("Movement Type", o.movement_type));
        f.push_back(number("Movement Axis", o.movement_axis));
        f.push_back(number("Translation Type", o.translation_type));
        f.push_back(number("Translation Axis", o.translation_axis));
        FieldValue bsp = number("BSP Data Size", o.bsp_data_size);
        bsp.bytes = o.bsp_data.view();
        f.push_back(std::move(bsp));
    }
}

// Textures are matched by number, as polygons name them: a new name is one changed field.
void Walk::textures() {
    Item& it = item(RecordEntry::TXTR, {}, {});
    for (int i = 0; i < s_.txtr.texture_rows(); ++i)
        it.fields.push_back(text(row("Texture ", i), s_.txtr.textures[i].name));
}

void Walk::general() {
    if (chunk_ids_.count(RecordEntry::PINF))
        item(RecordEntry::PINF, {}, {}).fields.push_back(text("Text", s_.pinf.info));
    if (chunk_ids_.count(RecordEntry::ACEN))
        item(RecordEntry::ACEN, {}, {}).fields.push_back(vec("Auto Center", s_.acen.auto_center));
}

void Walk::special_points() {
    const auto& r = s_.spcl;
    const auto keys =
        name_keys(r.point_rows(), "Special pt ", [&](int i) { return r.points[i].name.text; });
    for (int i = 0; i < r.point_rows(); ++i) {
        const auto& p = r.points[i];
        Item& it = item(RecordEntry::SPCL, {keys[i]}, {row("Special pt ", i)}, {i});
        it.fields.push_back(text("Name", p.name.text));
        it.fields.push_back(text("Properties", p.properties.text));
        it.fields.push_back(vec("Point", p.point));
        it.fields.push_back(real("Radius", p.radius));
    }
}

void Walk::weapon_points(RecordEntry entry, const records::WeaponPointRecord& r, const char* word) {
    for (int b = 0; b < r.slot_rows(); ++b) {
        for (int p = 0; p < r.point_rows(b); ++p) {
            const records::WeaponPoint w = r.points.at(b, p);
            Item& it = item(entry, {row("Slot ", b), row(word, p)}, {b, p});
            it.fields.push_back(vec("Mounting Point", w.position));
            it.fields.push_back(vec("Normal", w.normal));
            if (r.angle_offsets) it.fields.push_back(real("Angle Offset", w.angle_offset));
        }
    }
}

void Walk::turrets(RecordEntry entry, const records::TurretRecord& r) {
    for (int b = 0; b < r.bank_rows(); ++b) {
        const records::Turret& t = r.turrets[b];
        Item& bank = item(entry, {row("Bank ", b)}, {b});
        bank.fields.push_back(subobject("parent subobject", t.parent));
        bank.fields.push_back(subobject("phys parent sobj", t.physical_parent));
        bank.fields.push_back(vec("Turret Normal", t.normal));
        for (int p = 0; p < r.firing_point_rows(b); ++p) {
            item(entry, {row("Bank ", b), row("Point ", p)}, {b, p})
                .fields.push_back(vec("Position", r.firing_points.at(b, p)));
        }
    }
}

void Walk::docks() {
    const auto& r = s_.dock;
    const auto keys =
        name_keys(r.dock_rows(), "Dock ", [&](int i) { return dock_name(r.properties[i].text); });
    for (int d = 0; d < r.dock_rows(); ++d) {
        const std::string place = row("Dock ", d);
        Item& dock = item(RecordEntry::DOCK, {keys[d]}, {place}, {d});
        dock.fields.push_back(text("Properties", r.properties[d].text));
        for (int s = 0; s < r.spline_path_rows(d); ++s)
            dock.fields.push_back(number(row("Spline path ", s), r.spline_paths.at(d, s)));
        for (int p = 0; p < r.point_rows(d); ++p) {
            const records::DockPoint pt = r.points.at(d, p);
            Item& it = item(RecordEntry::DOCK, {keys[d], row("Point ", p)},
                            {place, row("Point ", p)}, {d, 0, p});
            it.fields.push_back(vec("Position", pt.position));
            it.fields.push_back(vec("Normal", pt.normal));
        }
    }
}

void Walk::thrusters() {
    const auto& r = s_.fuel;
    for (int t = 0; t < r.thruster_rows(); ++t) {
        Item& thruster = item(RecordEntry::FUEL, {row("Thruster ", t)}, {t});
        if (t < static_cast<int>(r.properties.size()))
            thruster.fields.push_back(text("properties", r.properties[t].text));
        for (int g = 0; g < r.glow_rows(t); ++g) {
            const records::GlowPoint p = r.glows.at(t, g);
            Item& it = item(RecordEntry::FUEL, {row("Thruster ", t), row("Glow ", g)}, {t, g});
            it.fields.push_back(vec("Position", p.position));
            it.fields.push_back(vec("Normal", p.normal));
            it.fields.push_back(real("radius", p.radius));
        }
    }
}

void Walk::shield() {
    const auto& r = s_.shld;
    for (int v = 0; v < r.vertex_rows(); ++v)
        item(RecordEntry::SHLD, {row("Vertex ", v)}, {v})
            .fields.push_back(vec("Vertex Position", r.vertices[v]));
    for (int i = 0; i < r.face_rows(); ++i) {
        const records::ShieldFace& f = r.faces[i];
        Item& it = item(RecordEntry::SHLD, {row("Face ", i)}, {0, i});
        it.ref.choices.erase(it.ref.choices.begin());
        it.ref.choices[0].list = 2;
        it.fields.push_back(vec("Face Normal", f.normal));
        for (int c = 0; c < 3; ++c) {
            it.fields.push_back(number(row("Vertex Index ", c), f.vertices[c]));
            it.fields.push_back(number(row("Neighbors (Face Index) ", c), f.neighbours[c]));
        }
    }
}

void Walk::eye_points() {
    const auto& r = s_.eye;
    for (int i = 0; i < r.point_rows(); ++i) {
        const records::EyePoint& p = r.points[i];
        Item& it = item(RecordEntry::EYE, {row("Eye position ", i)}, {i});
        it.fields.push_back(subobject("Attached to subObject #", p.subobject));
        it.fields.push_back(vec("subObject offset", p.offset));
        it.fields.push_back(vec("Normal", p.normal));
    }
}

void Walk::insignias() {
    const auto& r = s_.insg;
    for (int i = 0; i < r.insignia_rows(); ++i) {
        const std::string place = row("Insignia ", i);
        Item& it = item(RecordEntry::INSG, {place}, {i});
        it.fields.push_back(number("detail level", r.detail_levels[i]));
        it.fields.push_back(vec("Offset", records::entry_or_zero(r.offsets, i)));
        for (int v = 0; v < r.vertex_rows(i); ++v)
            item(RecordEntry::INSG, {place, row("Vertex ", v)}, {i, v})
                .fields.push_back(vec("Vertex Position", r.vertices.at(i, v)));
        for (int f = 0; f < r.face_rows(i); ++f) {
            const records::InsigniaFace face = r.faces.at(i, f);
            Item& fi = item(RecordEntry::INSG, {place, row("Face ", f)}, {i, 0, f});
            for (int c = 0; c < 3; ++c) {
                fi.fields.push_back(number(row("Vertex Index ", c), face[c].vertex));
                fi.fields.push_back(real(row("U Coordinate ", c), face[c].u));
                fi.fields.push_back(real(row("V Coordinate ", c), face[c].v));
            }
        }
    }
}

void Walk::paths() {
    const auto& r = s_.path;
    const auto keys = name_keys(r.path_rows(), "Path ", [&](int i) { return r.names[i].text; });
    for (int p = 0; p < r.path_rows(); ++p) {
        const std::string place = row("Path ", p);
        Item& path = item(RecordEntry::PATH, {keys[p]}, {place}, {p});
        path.fields.push_back(text("Name", r.names[p].text));
        if (p < static_cast<int>(r.parents.size()))
            path.fields.push_back(text("Parent", r.parents[p].text));
        for (int v = 0; v < r.vertex_rows(p); ++v) {
            const records::PathVertex x = r.vertices.at(p, v);
            Item& it = item(RecordEntry::PATH, {keys[p], row("Vertex ", v)},
                            {place, row("Vertex ", v)}, {p, v});
            it.fields.push_back(vec("Position", x.position));
            it.fields.push_back(real("Radius", x.radius));
            for (int t = 0; t < r.turret_rows(p, v); ++t)
                it.fields.push_back(subobject(row("Turret ", t), r.turret(p, v, t)));
        }
    }
}

void Walk::glow_banks() {
    const auto& r = s_.glow;
    for (int b = 0; b < r.bank_rows(); ++b) {
        const records::GlowBank& g = r.banks[b];
        Item& bank = item(RecordEntry::GLOW, {row("Bank ", b)}, {b});
        auto& f = bank.fields;
        f.push_back(number("display time", g.display_time));
        f.push_back(number("on time", g.on_time));
        f.push_back(number("off time", g.off_time));
        f.push_back(subobject("parent", g.parent));
        f.push_back(number("LOD", g.lod));
        f.push_back(number("type", g.type));
        f.push_back(text("properties", g.properties.text));
        for (int p = 0; p < r.point_rows(b); ++p) {
            const records::GlowPoint pt = r.points.at(b, p);
            Item& it = item(RecordEntry::GLOW, {row("Bank ", b), row("Point ", p)}, {b, p});
            it.fields.push_back(vec("Position", pt.position));
            it.fields.push_back(vec("Normal", pt.normal));
            it.fields.push_back(real("radius", pt.radius));
        }
    }
}

}  // namespace

int walk_rank(pof::RecordEntry entry) {
    static constexpr RecordEntry kOrder[] = {
        RecordEntry::OHDR, RecordEntry::SOBJ, RecordEntry::TXTR, RecordEntry::PINF,
        RecordEntry::ACEN, RecordEntry::SPCL, RecordEntry::GPNT, RecordEntry::MPNT,
        RecordEntry::TGUN, RecordEntry::TMIS, RecordEntry::DOCK, RecordEntry::FUEL,
        RecordEntry::SHLD, RecordEntry::EYE,  RecordEntry::INSG, RecordEntry::PATH,
        RecordEntry::GLOW};
    const auto* at = std::find(std::begin(kOrder), std::end(kOrder), entry);
    return static_cast<int>(at - std::begin(kOrder));
}

std::string Item::key() const {
    return joined(keys);
}

std::string vec_text(const pof::Vec3& v) {
    return "(" + pof::float_text(v.x) + ", " + pof::float_text(v.y) + ", " + pof::float_text(v.z) +
           ")";
}

std::string quoted(std::string_view bytes) {
    return '"' + pof::text8(bytes) + '"';
}

std::vector<Item> model_items(const pof::ModelStore& store) {
    return Walk(store).run();
}

}  // namespace compare
