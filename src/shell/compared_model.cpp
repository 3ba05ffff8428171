#include "shell/compared_model.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

#include "archive/vp_archive.h"
#include "io/text.h"
#include "shell/frmArchive.h"

namespace shell {

namespace {

using Kind = PlaceStep::Kind;

bool is_file(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

std::optional<float> number_of(std::string_view text) {
    float value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The numbers a value shows: one, or the three of "(x, y, z)"; none for any other text.
std::vector<float> numbers_of(std::string_view text) {
    std::vector<float> out;
    if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
        text = text.substr(1, text.size() - 2);
        for (std::size_t at = 0; at <= text.size();) {
            const std::size_t comma = std::min(text.find(", ", at), text.size());
            const auto n = number_of(text.substr(at, comma - at));
            if (!n) return {};
            out.push_back(*n);
            at = comma + 2;
        }
        return out;
    }
    if (const auto n = number_of(text)) out.push_back(*n);
    return out;
}

// Fields that hold a subobject number, compared through the matching of the subobjects.
bool names_subobject(std::string_view field) {
    for (const char* f : {"Parent", "parent subobject", "phys parent sobj", "subObject #",
                          "Attached to subObject #", "parent"}) {
        if (field == f) return true;
    }
    return false;
}

// A dock is named by the "$name=" line of its properties, when it has one.
std::string dock_name(std::string_view properties) {
    const auto at = properties.find("$name=");
    if (at == std::string_view::npos) return {};
    const auto value = properties.substr(at + 6);
    return std::string(value.substr(0, value.find_first_of("\r\n")));
}

// The name an item's own section gives it: a subobject's, a path's or a special point's name,
// a dock's "$name=".
std::string name_in(const Section& section, const PlaceStep& step) {
    if (step.list == "cboDocks") return dock_name(field_value(section, "Properties").value_or(""));
    for (const char* field : {"subModel Name", "Name"}) {
        if (auto name = field_value(section, field)) return *name;
    }
    return {};
}

std::string padded_id(std::string id) {
    id.resize(4, ' ');
    return id;
}

// Makes each section of a walk an item: keys, place, fields and the rows that show it.
class ItemMaker {
  public:
    using Visitor = std::function<void(compare::Item&&)>;
    explicit ItemMaker(Visitor visit) : visit_(std::move(visit)) {}
    void add(const Section& section);

  private:
    int list_number(const std::string& viewer, const std::string& list) const {
        const auto found = list_numbers_.find({viewer, list});
        return found == list_numbers_.end() ? 0 : found->second;
    }
    void learn_lists(const view::Viewer& viewer);
    void add_fields(const Section& section, bool block, compare::Item& item);

    std::map<std::pair<std::string, std::string>, int> list_numbers_;  // (window, list) -> number
    std::map<std::string, std::string> names_;  // a row's place -> the name it is matched by
    std::set<std::string> named_;               // parent keys and name already given to a row
    Visitor visit_;
};

void ItemMaker::learn_lists(const view::Viewer& viewer) {
    int n = 0;
    for (const view::Control* list : view::lists_of(const_cast<view::Control&>(viewer.layout())))
        list_numbers_[{viewer.name(), list->name}] = ++n;
}

void ItemMaker::add(const Section& section) {
    if (section.place.empty()) return;
    const pof::ChunkIdMatch match = pof::find_chunk_id(padded_id(section.place[0].text));
    if (!match.kind) return;  // a chunk no window shows
    compare::Item item;
    item.entry = match.kind->entry;
    item.chunk = section.place[0].text;
    item.ref.entry = item.entry;
    bool block = false;
    for (const PlaceStep& step : section.place) block = block || step.kind == Kind::Block;
    if (section.viewer) learn_lists(*section.viewer);

    std::string window(match.kind->viewer);
    std::string place_so_far = item.chunk;
    for (std::size_t i = 0; i < section.place.size(); ++i) {
        const PlaceStep& step = section.place[i];
        if (i > 0) item.place.push_back(step.text);
        const std::string parent_key = place_so_far;
        place_so_far += '\x1f' + step.text;
        switch (step.kind) {
            case Kind::Chunk:
                item.keys.push_back(step.text);
                break;
            case Kind::Row: {
                std::string name = step.key;
                if (name.empty() && i + 1 == section.place.size()) name = name_in(section, step);
                const auto learnt = names_.find(place_so_far);
                if (learnt != names_.end()) {
                    name = learnt->second;
                } else if (!name.empty() && !named_.insert(parent_key + '\x1e' + name).second) {
                    name.clear();  // a name given to an earlier row: this one goes by position
                }
                names_.emplace(place_so_far, name);
                item.keys.push_back(name.empty() ? step.list + " " + pof::integer_text(step.row)
                                                 : "name " + name);
                item.ref.choices.push_back({list_number(window, step.list), step.row, false});
                break;
            }
            case Kind::Block:
                item.keys.push_back("block " + pof::integer_text(step.row));
                item.ref.choices.push_back({list_number(window, step.list), step.row, true});
                if (section.viewer) window = section.viewer->name();
                break;
            case Kind::BlockType:
                item.keys.push_back(step.text);
                break;
        }
    }
    const PlaceStep& last = section.place.back();
    if (!block && last.kind == Kind::Row && last.list == "cboSubObjects") {
        const auto n = number_of(std::string_view(last.text).substr(last.text.rfind(' ') + 1));
        if (n) item.subobject = static_cast<std::int32_t>(*n);
        const auto parent = number_of(field_value(section, "Parent").value_or(""));
        if (parent) item.parent = static_cast<std::int32_t>(*parent);
        // A renumbered subobject is this one field, not a change of every reference to it.
        if (item.subobject)
            item.fields.push_back({"Number", pof::integer_text(*item.subobject), {}, {}});
    }
    add_fields(section, block, item);
    visit_(std::move(item));
}

// The values a modder changes; not the sizes, counts and offsets that follow from them.
void ItemMaker::add_fields(const Section& section, bool block, compare::Item& item) {
    for (const SectionField& f : section_fields(section)) {
        if (f.control && f.control->kind() == view::Kind::DropDown) continue;
        if (f.name.starts_with("# ") || f.name == "BSP offset") continue;
        if (!block && f.name == "Record Size") continue;
        const bool row = f.control && f.control->kind() == view::Kind::Table;
        // A subobject's block list: each block is an item of its own.
        if (row && !block && item.entry == pof::RecordEntry::SOBJ) continue;
        compare::FieldValue value{f.name, f.value, numbers_of(f.value), {}};
        if (row && item.entry == pof::RecordEntry::TXTR) {
            // Polygons name textures by number: the row's number and the name in its first cell.
            value.caption = "Texture " + f.name.substr(f.name.rfind(' ') + 1);
            value.text = compare::quoted(f.value.substr(0, f.value.find(" | ")));
            value.numbers.clear();
        } else if (value.numbers.empty() && !row) {
            value.text = compare::quoted(f.value);
        }
        if (names_subobject(f.name) && value.numbers.size() == 1)
            value.subobject = static_cast<std::int32_t>(value.numbers[0]);
        item.fields.push_back(std::move(value));
    }
}

}  // namespace

std::optional<std::pair<std::string, std::string>> archive_member(const std::string& name) {
    if (is_file(name)) return std::nullopt;
    for (std::size_t colon = name.find(':'); colon != std::string::npos;
         colon = name.find(':', colon + 1)) {
        std::string archive = name.substr(0, colon);
        if (is_file(archive)) return std::make_pair(std::move(archive), name.substr(colon + 1));
    }
    return std::nullopt;
}

ComparedModel::ComparedModel(const std::string& name) {
    const auto member = archive_member(name);
    if (!member) {
        outcome_ = model_.open(name);
        // A whole archive opens in its window and reads no model.
        if (model_.windows().find(frmArchive::kName)) {
            outcome_ = pof::ReadOutcome::NotPof;
            message_ = pof::kNotPof;
        }
    } else {
        try {
            const auto listed =
                std::make_shared<const archive::Archive>(archive::Archive::open(member->first));
            const archive::Member* m = listed->find(member->second);
            if (m) {
                outcome_ = model_.form().open_member(listed, *m);
            } else {
                outcome_ = pof::ReadOutcome::OpenFailed;
                message_ = "Cannot open " + name + ": the archive holds no file of that path";
            }
        } catch (const std::exception& e) {
            outcome_ = pof::ReadOutcome::OpenFailed;
            message_ = "Cannot open " + name + ": " + e.what();
        }
    }
    for (const auto& m : model_.messages()) {
        if (!message_.empty()) message_ += '\n';
        message_ += m;
    }
}

bool ComparedModel::trouble() const {
    return outcome_ == pof::ReadOutcome::OpenFailed || outcome_ == pof::ReadOutcome::NotPof ||
           outcome_ == pof::ReadOutcome::DialogFailed;
}

void ComparedModel::walk_items(const std::function<void(compare::Item&&)>& visit,
                               const Skip& skip) {
    ItemMaker maker(visit);
    const auto& chunks = model_.store().chunks;
    const auto enter = [&skip, &chunks](const std::vector<PlaceStep>& place, bool opens) {
        // A subobject chunk's row shows its subobject: left out when the subobject is.
        if (place.size() == 1) {
            const auto at = static_cast<std::size_t>(place[0].row);
            return at >= chunks.size() || !chunks[at].subobject ||
                   !skip.whole.count(*chunks[at].subobject);
        }
        if (place.size() != 2 || place[1].list != "cboSubObjects") return true;
        const auto n =
            number_of(std::string_view(place[1].text).substr(place[1].text.rfind(' ') + 1));
        if (!n) return true;
        return !(opens ? skip.blocks : skip.whole).count(static_cast<std::int32_t>(*n));
    };
    model_.walk([&maker](const Section& section) { maker.add(section); }, enter);
}

namespace {

std::uint64_t hash_of(std::string_view text, std::uint64_t h = 1469598103934665603ull) {
    for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

std::uint64_t key_hash(const compare::Item& item) {
    return hash_of(item.key(), hash_of(pof::integer_text(static_cast<int>(item.entry))));
}

std::uint64_t fields_hash(const compare::Item& item) {
    std::uint64_t h = 1469598103934665603ull;
    for (const auto& f : item.fields) h = hash_of(f.text, hash_of(f.caption, h) * 31);
    return h;
}

// Per model, what the walks may leave out: the blocks of a subobject whose BSP data is byte for
// byte that of its match in the other model (matched by name where it is unique in both, else
// by number), and the whole subobject when every field of its chunk is the same too, at the
// same number. Its items could only be equal.
std::pair<ComparedModel::Skip, ComparedModel::Skip> same_parts(const pof::ModelStore& a,
                                                               const pof::ModelStore& b) {
    const auto by_name = [](const pof::ModelStore& s) {
        std::map<std::string, std::vector<std::int32_t>> names;
        for (const std::int32_t n : s.subobjects.filled_from(0))
            names[s.subobjects.at(n).name].push_back(n);
        return names;
    };
    const auto names_a = by_name(a), names_b = by_name(b);
    std::pair<ComparedModel::Skip, ComparedModel::Skip> out;
    for (const std::int32_t n : a.subobjects.filled_from(0)) {
        const records::Subobject& x = a.subobjects.at(n);
        const auto in_b = names_b.find(x.name);
        std::int32_t m = n;
        if (!x.name.empty() && names_a.at(x.name).size() == 1 && in_b != names_b.end() &&
            in_b->second.size() == 1)
            m = in_b->second.front();
        if (!b.subobjects.has_slot(m)) continue;
        const records::Subobject& y = b.subobjects.at(m);
        if (x.bsp_data.view() != y.bsp_data.view()) continue;
        out.first.blocks.insert(n);
        out.second.blocks.insert(m);
        const auto fields = [](const records::Subobject& o) {
            return std::tie(o.number, o.parent, o.offset, o.radius, o.geometric_center, o.bbox_min,
                            o.bbox_max, o.name_length, o.name, o.properties_length, o.properties,
                            o.movement_type, o.movement_axis, o.translation_type,
                            o.translation_axis, o.reserved, o.bsp_data_size);
        };
        if (n == m && fields(x) == fields(y)) {
            out.first.whole.insert(n);
            out.second.whole.insert(m);
        }
    }
    return out;
}

// Only the items of BSP blocks, the bulk of a model, are kept as hashes: everything else is
// kept whole, so a second walk of the first model is needed only when a block differs. A
// subobject's own item is kept whole in any case: the matching of the subobjects (renamed,
// renumbered) needs every one of them.
bool keep_whole(const compare::Item& item) {
    return std::none_of(item.keys.begin(), item.keys.end(),
                        [](const std::string& key) { return key.starts_with("block "); });
}

}  // namespace

// Memory stays near the two stores: the first model's block items are kept as two hashes each
// (of their keys and of their fields); the second's items whose match holds the same fields are
// dropped as they come, the rest kept whole; a second walk of the first model then keeps whole
// only the items whose match differed or that have none. The differences are found among the
// items kept.
Comparison compare_models(ComparedModel& a, ComparedModel& b, const compare::DiffOptions& options) {
    Comparison out;
    for (ComparedModel* m : {&a, &b}) {
        if (m->trouble()) out.trouble.push_back(m->message());
    }
    if (!out.trouble.empty()) return out;
    if (!a.read_failure().empty())
        out.differences.push_back(compare::unread("A", a.read_failure()));
    if (!b.read_failure().empty())
        out.differences.push_back(compare::unread("B", b.read_failure()));

    struct Seen {
        std::uint64_t fields;
        bool same = false;  // the second model has an item of these keys and fields
    };
    std::unordered_map<std::uint64_t, Seen> in_a;
    std::vector<compare::Item> kept_a, kept_b;
    const auto [skip_a, skip_b] = same_parts(a.store(), b.store());
    a.walk_items(
        [&](compare::Item&& item) {
            if (keep_whole(item))
                kept_a.push_back(std::move(item));
            else
                in_a.emplace(key_hash(item), Seen{fields_hash(item)});
        },
        skip_a);
    bool a_differs = false;
    b.walk_items(
        [&](compare::Item&& item) {
            if (!keep_whole(item)) {
                const auto found = in_a.find(key_hash(item));
                if (found != in_a.end() && found->second.fields == fields_hash(item)) {
                    found->second.same = true;
                    return;
                }
            }
            kept_b.push_back(std::move(item));
        },
        skip_b);
    for (const auto& [key, seen] : in_a) a_differs = a_differs || !seen.same;
    if (a_differs) {
        kept_a.clear();
        a.walk_items(
            [&](compare::Item&& item) {
                const auto found = keep_whole(item) ? in_a.end() : in_a.find(key_hash(item));
                if (found == in_a.end() || !found->second.same) kept_a.push_back(std::move(item));
            },
            skip_a);
    }
    auto found = compare::diff_items(kept_a, kept_b, options);
    out.differences.insert(out.differences.end(), std::make_move_iterator(found.begin()),
                           std::make_move_iterator(found.end()));
    return out;
}

std::vector<compare::Difference> compare_files(const std::string& a, const std::string& b) {
    ComparedModel first(a), second(b);
    Comparison found = compare_models(first, second, {});
    if (found.trouble.empty()) return std::move(found.differences);
    std::vector<compare::Difference> out;
    if (first.trouble()) out.push_back(compare::unread("A", first.message()));
    if (second.trouble()) out.push_back(compare::unread("B", second.message()));
    return out;
}

}  // namespace shell
