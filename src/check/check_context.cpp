#include "check/check_context.h"

#include <cmath>

#include "io/text.h"
#include "pof/chunk_kinds.h"

namespace check {

namespace {

double length_of(pof::Vec3 n) {
    return std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
}

}  // namespace

CheckContext::CheckContext(const pof::ModelStore& store, Findings& out)
    : store(store), out(out), subobject_rows(store.subobjects, store.ohdr.subobject_count) {
    for (std::size_t i = 0; i < store.chunks.size(); ++i) {
        const records::ChunkFact& fact = store.chunks[i];
        const pof::ChunkKind* type = pof::find_chunk_id(fact.id).kind;
        if (!type) continue;
        record_chunks_[static_cast<int>(type->entry)] = i;
        // A header chunk makes the subobject table anew; only chunks after the last one fill it.
        if (type->entry == pof::RecordEntry::OHDR) subobject_chunks.clear();
        if (fact.subobject && record_chunk(pof::RecordEntry::OHDR) &&
            store.subobjects.has_slot(*fact.subobject)) {
            subobject_chunks[*fact.subobject] = i;
        }
    }
    if (record_chunk(pof::RecordEntry::TXTR)) {
        texture_names_ = store.txtr.texture_rows();
    }
    texture_used.assign(static_cast<std::size_t>(texture_names_), false);
}

std::optional<std::size_t> CheckContext::record_chunk(pof::RecordEntry entry) const {
    const auto it = record_chunks_.find(static_cast<int>(entry));
    if (it == record_chunks_.end()) return std::nullopt;
    return it->second;
}

bool CheckContext::reached(pof::RecordEntry entry) const {
    if (!read_stopped()) return true;
    const auto chunk = record_chunk(entry);
    return chunk && store.chunks[*chunk].complete;
}

// Every slot filled, and none by the chunk the read stopped in.
bool CheckContext::every_subobject_reached() const {
    if (!read_stopped()) return true;
    for (const auto& [number, chunk] : subobject_chunks) {
        if (!store.chunks[chunk].complete) return false;
    }
    return static_cast<std::int64_t>(store.subobjects.filled_count()) >=
           store.subobjects.slot_count();
}

bool CheckContext::is_subobject(std::int64_t number) const {
    return store.header_read && store.subobjects.has_slot(static_cast<std::int32_t>(number)) &&
           number == static_cast<std::int32_t>(number);
}

pof::ItemRef CheckContext::subobject_item(std::int32_t number,
                                          std::vector<pof::RowChoice> then) const {
    const int row = subobject_rows.row_of(number);
    if (row < 0) return {pof::RecordEntry::SOBJ, {}};
    pof::ItemRef ref{pof::RecordEntry::SOBJ, {{1, row, false}}};
    ref.choices.insert(ref.choices.end(), then.begin(), then.end());
    return ref;
}

std::string place(std::initializer_list<std::string> steps) {
    std::string out;
    for (const auto& s : steps) {
        if (!out.empty()) out += kPlaceStep;
        out += s;
    }
    return out;
}

std::string numbered(const char* word, std::int64_t n) {
    return std::string(word) + " " + pof::integer_text(n);
}

pof::ItemRef rows(pof::RecordEntry entry, std::initializer_list<int> chosen) {
    pof::ItemRef ref{entry, {}};
    int list = 1;
    for (const int row : chosen) ref.choices.push_back({list++, row, false});
    return ref;
}

std::string vec_text(pof::Vec3 v) {
    return "(" + pof::float_text(v.x) + ", " + pof::float_text(v.y) + ", " + pof::float_text(v.z) +
           ")";
}

bool finite_or_report(CheckContext& c, const std::string& where, const char* what, pof::Vec3 v,
                      const std::optional<pof::ItemRef>& item) {
    if (is_finite(v)) return true;
    c.out.add(Code::NotFinite, where,
              std::string("the ") + what + " " + vec_text(v) + " is not a finite number", item);
    return false;
}

bool finite_or_report(CheckContext& c, const std::string& where, const char* what, float v,
                      const std::optional<pof::ItemRef>& item) {
    if (std::isfinite(v)) return true;
    c.out.add(Code::NotFinite, where,
              std::string("the ") + what + " " + pof::float_text(v) + " is not a finite number",
              item);
    return false;
}

void check_normal(CheckContext& c, const std::string& where, const char* what, pof::Vec3 n,
                  const std::optional<pof::ItemRef>& item) {
    if (!finite_or_report(c, where, what, n, item) || is_unit(n)) return;
    const double length = length_of(n);
    c.out.add(Code::NormalLength, where,
              std::string("the ") + what + " " + vec_text(n) + " has length " +
                  pof::float_text(static_cast<float>(length)) + ", not 1",
              item);
}

void check_box(CheckContext& c, const std::string& where, pof::Vec3 min, pof::Vec3 max,
               const std::optional<pof::ItemRef>& item) {
    const bool a = finite_or_report(c, where, "bounding box min", min, item);
    const bool b = finite_or_report(c, where, "bounding box max", max, item);
    if (!a || !b) return;
    if (min.x <= max.x && min.y <= max.y && min.z <= max.z) return;
    c.out.add(Code::BoxInverted, where,
              "the bounding box min " + vec_text(min) + " exceeds its max " + vec_text(max), item);
}

void check_count(CheckContext& c, const std::string& where, const char* what, std::int32_t count,
                 const std::optional<pof::ItemRef>& item) {
    if (count >= 0) return;
    c.out.add(Code::CountNegative, where,
              std::string("the ") + what + " " + pof::integer_text(count) +
                  " is below zero and reads as none",
              item);
}

void check_game_table(CheckContext& c, Code code, const std::string& where, std::int32_t count,
                      std::int32_t limit, const char* word, const char* then,
                      const std::optional<pof::ItemRef>& item) {
    if (count <= limit) return;
    c.out.add(code, where,
              pof::integer_text(count) + " " + word + ": the game's table holds " +
                  pof::integer_text(limit) + ", " + then,
              item);
}

void check_game_radius(CheckContext& c, const std::string& where, const char* what, float radius,
                       const std::optional<pof::ItemRef>& item) {
    if (!std::isfinite(radius) || radius > kGameRadiusFloor) return;
    c.out.add(Code::RadiusZero, where,
              std::string("the ") + what + " " + pof::float_text(radius) +
                  " is 0.00001 or less: the game warns of it",
              item);
}

}  // namespace check
