#include "compare/model_diff.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace compare {

namespace {

using Kind = Difference::Kind;

std::string match_key(const Item& item) {
    return std::to_string(static_cast<int>(item.entry)) + '\x1e' + item.key();
}

// The name an item is matched by, shown after an item only one model has.
std::string name_shown(const Item& item) {
    if (item.keys.empty() || item.keys.back().rfind("name ", 0) != 0) return {};
    return quoted(std::string_view(item.keys.back()).substr(5));
}

bool floats_equal(float a, float b, double tolerance) {
    if (a == b || (std::isnan(a) && std::isnan(b))) return true;
    return std::fabs(static_cast<double>(a) - static_cast<double>(b)) <= tolerance;
}

class Differ {
  public:
    Differ(const std::vector<Item>& a, const std::vector<Item>& b, const DiffOptions& options)
        : a_(a), b_(b), options_(options) {}

    std::vector<Difference> run();

  private:
    void match();
    void pair_renamed_subobjects();
    bool equal(const FieldValue& x, const FieldValue& y) const;
    void compare(const Item& x, const Item& y);
    void only_in_one(const Item& item, Kind kind);
    Difference& add(Kind kind, const Item& item, std::string field);

    const std::vector<Item>& a_;
    const std::vector<Item>& b_;
    const DiffOptions& options_;
    std::vector<std::optional<std::size_t>> a_match_;  // per item of a, its item of b
    std::vector<bool> b_matched_;
    std::unordered_map<std::string, std::size_t> in_b_;          // b's items by their keys
    std::unordered_map<std::int32_t, std::int32_t> renumbered_;  // a's subobject -> b's
    std::vector<Difference> out_;
};

void Differ::match() {
    auto& in_b = in_b_;
    in_b.reserve(b_.size());
    for (std::size_t i = 0; i < b_.size(); ++i) in_b.emplace(match_key(b_[i]), i);
    a_match_.assign(a_.size(), std::nullopt);
    b_matched_.assign(b_.size(), false);
    for (std::size_t i = 0; i < a_.size(); ++i) {
        const auto found = in_b.find(match_key(a_[i]));
        if (found == in_b.end() || b_matched_[found->second]) continue;
        a_match_[i] = found->second;
        b_matched_[found->second] = true;
    }
    pair_renamed_subobjects();
    for (std::size_t i = 0; i < a_.size(); ++i) {
        if (a_match_[i] && a_[i].subobject)
            renumbered_[*a_[i].subobject] = *b_[*a_match_[i]].subobject;
    }
}

// A subobject whose name alone changed, at the same number under the same parent, is one
// renamed subobject rather than one removed and one added.
void Differ::pair_renamed_subobjects() {
    std::unordered_map<std::int32_t, std::size_t> lone_b;
    for (std::size_t i = 0; i < b_.size(); ++i) {
        if (!b_matched_[i] && b_[i].subobject) lone_b.emplace(*b_[i].subobject, i);
    }
    for (std::size_t i = 0; i < a_.size(); ++i) {
        if (a_match_[i] || !a_[i].subobject) continue;
        const auto found = lone_b.find(*a_[i].subobject);
        if (found == lone_b.end() || b_[found->second].parent != a_[i].parent) continue;
        const std::size_t j = found->second;
        a_match_[i] = j;
        b_matched_[j] = true;
        lone_b.erase(found);
        // The items under it (its BSP blocks) follow it under its new name.
        const std::string from = match_key(a_[i]), to = match_key(b_[j]);
        for (std::size_t k = i + 1; k < a_.size(); ++k) {
            std::string key = match_key(a_[k]);
            if (!key.starts_with(from)) break;
            const auto child = in_b_.find(key.replace(0, from.size(), to));
            if (a_match_[k] || child == in_b_.end() || b_matched_[child->second]) continue;
            a_match_[k] = child->second;
            b_matched_[child->second] = true;
        }
    }
}

bool Differ::equal(const FieldValue& x, const FieldValue& y) const {
    if (x.subobject && y.subobject) {
        const auto mapped = renumbered_.find(*x.subobject);
        return (mapped == renumbered_.end() ? *x.subobject : mapped->second) == *y.subobject;
    }
    if (!x.numbers.empty() && x.numbers.size() == y.numbers.size()) {
        for (std::size_t i = 0; i < x.numbers.size(); ++i) {
            if (!floats_equal(x.numbers[i], y.numbers[i], options_.tolerance)) return false;
        }
        return true;
    }
    return x.text == y.text;
}

Difference& Differ::add(Kind kind, const Item& item, std::string field) {
    Difference d;
    d.kind = kind;
    d.entry = item.entry;
    d.chunk = item.chunk;
    d.place = item.place;
    d.field = std::move(field);
    d.ref = item.ref;
    d.in_second = kind == Kind::Added;
    out_.push_back(std::move(d));
    return out_.back();
}

void Differ::compare(const Item& x, const Item& y) {
    std::vector<bool> seen(y.fields.size(), false);
    for (const FieldValue& f : x.fields) {
        std::size_t j = 0;
        while (j < y.fields.size() && (seen[j] || y.fields[j].caption != f.caption)) ++j;
        if (j == y.fields.size()) {
            add(Kind::Removed, x, f.caption).old_text = f.text;
            continue;
        }
        seen[j] = true;
        const FieldValue& g = y.fields[j];
        if (equal(f, g)) continue;
        Difference& d = add(Kind::Changed, x, f.caption);
        d.old_text = f.text;
        d.new_text = g.text;
    }
    for (std::size_t j = 0; j < y.fields.size(); ++j) {
        if (!seen[j]) add(Kind::Added, y, y.fields[j].caption).new_text = y.fields[j].text;
    }
}

void Differ::only_in_one(const Item& item, Kind kind) {
    Difference& d = add(kind, item, {});
    (kind == Kind::Removed ? d.old_text : d.new_text) = name_shown(item);
}

std::vector<Difference> Differ::run() {
    match();
    // The items under an item only one model has (a path's vertices) go with it.
    std::string lone_parent = "\x1e";
    const auto under_lone = [&lone_parent](const Item& item) {
        return match_key(item).starts_with(lone_parent);
    };
    for (std::size_t i = 0; i < a_.size(); ++i) {
        if (a_match_[i]) {
            compare(a_[i], b_[*a_match_[i]]);
        } else if (!under_lone(a_[i])) {
            only_in_one(a_[i], Kind::Removed);
            lone_parent = match_key(a_[i]);
        }
    }
    for (std::size_t i = 0; i < b_.size(); ++i) {
        if (b_matched_[i] || under_lone(b_[i])) continue;
        only_in_one(b_[i], Kind::Added);
        lone_parent = match_key(b_[i]);
    }
    // Grouped by chunk; within a chunk, the first model's order, then what only the second has.
    std::unordered_map<std::string, std::size_t> rank;
    for (const auto* items : {&a_, &b_}) {
        for (const Item& item : *items) rank.emplace(item.chunk, rank.size());
    }
    std::stable_sort(out_.begin(), out_.end(), [&rank](const Difference& p, const Difference& q) {
        return rank[p.chunk] < rank[q.chunk];
    });
    return std::move(out_);
}

}  // namespace

std::string Difference::place_text() const {
    std::string out = chunk;
    for (const auto& p : place) (out += kPlaceStep) += p;
    return out;
}

std::string Difference::line() const {
    if (kind == Kind::Unread) return "! " + chunk + ": " + old_text;
    std::string out = kind == Kind::Removed ? "- " : kind == Kind::Added ? "+ " : "";
    out += place_text();
    if (!field.empty()) (out += kPlaceStep) += field;
    const std::string& shown = kind == Kind::Added ? new_text : old_text;
    if (kind == Kind::Changed) {
        out += ": " + old_text + " -> " + new_text;
    } else if (!shown.empty()) {
        out += ": " + shown;
    }
    return out;
}

std::vector<Difference> diff_items(const std::vector<Item>& a, const std::vector<Item>& b,
                                   const DiffOptions& options) {
    return Differ(a, b, options).run();
}

Difference unread(std::string side, std::string why) {
    Difference d;
    d.kind = Kind::Unread;
    d.chunk = std::move(side);
    d.old_text = std::move(why);
    return d;
}

}  // namespace compare
