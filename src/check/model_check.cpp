#include "check/model_check.h"

#include <algorithm>

#include "check/check_context.h"
#include "io/text.h"
#include "pof/chunk_kinds.h"

namespace check {

namespace {

using pof::RecordEntry;

void check_record(CheckContext& c, const pof::ChunkKind& kind) {
    switch (kind.group) {
        case pof::RecordGroup::Header:
            return check_header_record(c, kind.entry);
        case pof::RecordGroup::Weapons:
            return check_weapon_record(c, kind.entry);
        case pof::RecordGroup::Docking:
            return check_docking_record(c, kind.entry);
        case pof::RecordGroup::Subobjects:  // each subobject at the chunk that filled it
            return;
    }
}

// The chunk the read stopped in, if it stopped inside one.
std::optional<std::size_t> read_stop(const pof::ModelStore& store) {
    if (store.read_failure.empty()) return std::nullopt;
    std::optional<std::size_t> stop;
    for (std::size_t i = 0; i < store.chunks.size(); ++i) {
        if (!store.chunks[i].complete) stop = i;
    }
    return stop;
}

// " It never reached subobjects 3, 4 and 6 of the header's table. ...": the slots no chunk
// filled, and the chunks a check needed but the read did not finish.
std::string unreached_text(const CheckContext& c) {
    std::string text;
    std::vector<std::string> numbers;  // "3", or "7 to 9"; the first few
    std::int64_t next = 0, empty = 0;
    const auto gap = [&](std::int64_t end) {
        for (std::int64_t n = next; n < end && numbers.size() < 6; ++n) {
            if (end - n > 2) {
                numbers.push_back(pof::integer_text(n) + " to " + pof::integer_text(end - 1));
                break;
            }
            numbers.push_back(pof::integer_text(n));
        }
        empty += std::max<std::int64_t>(end - next, 0);
    };
    for (const std::int32_t n : c.store.subobjects.filled_from(0)) {
        gap(n);
        next = std::int64_t{n} + 1;
    }
    gap(c.store.subobjects.slot_count());
    if (numbers.size() == 6) {
        numbers.resize(5);
        numbers.back() = "more";
    }
    if (empty > 0) {
        text += std::string(" It never reached subobject") + (empty == 1 ? " " : "s ");
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            text += (i == 0 ? "" : i + 1 == numbers.size() ? " and " : ", ") + numbers[i];
        }
        text += " of the header's table.";
    }
    if (c.unreached.texture_numbers) {
        text += " No whole TXTR chunk was read, so no texture number is checked.";
    }
    if (c.unreached.dock_paths) {
        text += " No whole PATH chunk was read, so no dock's path number is checked.";
    }
    return text;
}

// The chunks in file order, each with the checks of what it holds: its framing, the record
// whose body it is, the subobject it filled last. What one check needs of a later chunk (the
// TMAPPOLY blocks that use the TXTR names, the parent chains) is found first.
class ChunkWalk {
  public:
    ChunkWalk(const pof::ModelStore& store, Findings& out,
              std::shared_ptr<textures::SearchCache> searches)
        : store_(store),
          c_(store, out),
          list_(c_),
          loops_(find_parent_loops(c_)),
          stop_(read_stop(store)) {
        for (const auto& [number, chunk] : c_.subobject_chunks) filled_.emplace_back(chunk, number);
        std::sort(filled_.begin(), filled_.end());
        mark_textures_after_txtr();
        c_.texture_searches = std::move(searches);
    }

    void run() {
        list_.file();
        auto filled = filled_.begin();
        for (std::size_t i = 0; i < store_.chunks.size(); ++i) {
            c_.out.at_chunk(i);
            list_.chunk(i);
            // The record of a chunk the read stopped in holds what it read and zeros for the
            // rest: the read finding speaks for it.
            const bool whole = store_.chunks[i].complete;
            if (const pof::ChunkKind* kind = pof::find_chunk_id(store_.chunks[i].id).kind) {
                if (whole && c_.record_chunk(kind->entry) == i) check_record(c_, *kind);
            }
            for (; filled != filled_.end() && filled->first == i; ++filled) {
                if (whole) subobject(filled->second);
            }
            if (stop_ == i) read_failure();
        }
        // A read that stopped between chunks (a chunk header cut short) or before the first.
        if (!store_.read_failure.empty() && !stop_) {
            c_.out.at_file_end();
            read_failure();
        }
    }

  private:
    void subobject(std::int32_t number) {
        const auto loop = loops_.find(number);
        check_subobject(c_, number, loop == loops_.end() ? nullptr : &loop->second);
    }
    // Listed at the byte whose read failed, which no finding of the chunks read before passes.
    // It says what the checks could not reach, which no finding of its own then says.
    void read_failure() {
        c_.out.add_at_byte(Code::Read, store_.read_failure_offset,
                           store_.read_failure + unreached_text(c_));
    }
    // A TXTR chunk before some subobject chunks is checked before their BSP data: the texture
    // numbers of those come first.
    void mark_textures_after_txtr() {
        const auto txtr = c_.record_chunk(RecordEntry::TXTR);
        if (!txtr) return;
        for (const auto& [chunk, number] : filled_) {
            if (chunk > *txtr) mark_textures_used(c_, store_.subobjects.at(number));
        }
    }

    const pof::ModelStore& store_;
    CheckContext c_;
    ChunkListCheck list_;
    std::unordered_map<std::int32_t, ParentLoop> loops_;
    std::optional<std::size_t> stop_;
    std::vector<std::pair<std::size_t, std::int32_t>> filled_;  // (chunk, subobject), in order
};

std::string counted(int n, const char* word) {
    return pof::integer_text(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

FindingList check_model(const pof::ModelStore& store) {
    Findings out(store.chunks);
    ChunkWalk(store, out, nullptr).run();
    return out.take();
}

Tally check_model(const pof::ModelStore& store, const std::function<void(const Finding&)>& each,
                  std::shared_ptr<textures::SearchCache> searches) {
    Tally t;
    Findings out(store.chunks, [&](const FindingList& list, std::size_t first) {
        for (std::size_t i = first; i < list.size(); ++i) {
            const Finding f = list[i];
            t.add(f);
            each(f);
        }
    });
    ChunkWalk(store, out, std::move(searches)).run();
    out.take();
    return t;
}

FindingList unread_file(std::string why) {
    static const std::vector<records::ChunkFact> kNoChunks;
    Findings out(kNoChunks);
    out.add(Code::Read, "", std::move(why));
    return out.take();
}

void Tally::add(const Finding& f) {
    const int n = f.more > 0 ? f.more : 1;  // a "more" line counts what it stands for
    switch (f.severity) {
        case Severity::Error:
            errors += n;
            break;
        case Severity::Warning:
            warnings += n;
            break;
        case Severity::Note:
            notes += n;
            break;
    }
}

Tally tally(const FindingList& findings) {
    Tally t;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        Finding f;
        f.severity = findings.severity(i);
        f.more = findings.weight(i) > 1 ? findings.weight(i) : 0;
        t.add(f);
    }
    return t;
}

std::string summary_text(const Tally& t) {
    if (t.errors + t.warnings + t.notes == 0) return "No problems found";
    return counted(t.errors, "error") + ", " + counted(t.warnings, "warning") + ", " +
           counted(t.notes, "note");
}

}  // namespace check
