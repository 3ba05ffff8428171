// Every prefix of the every-chunk model, one byte longer each time, read into a fresh store: the
// chunks whose headers are complete are listed, a chunk cut inside its body is listed and
// then stops the read with one message naming it, and whatever was read before the cut shows
// exactly as it does after a full read. The expectations come from the chunk boundaries of
// the full file, so the test follows that model as it grows.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "click_through.h"
#include "every_chunk_model.h"
#include "io/text.h"
#include "pof/chunk_kinds.h"
#include "pof/read_pof.h"
#include "session.h"
#include "window_text.h"

namespace {

using pof::ReadOutcome;
using pof::RecordEntry;
using testing_pof::Session;
using Rows = std::vector<std::pair<std::string, std::string>>;

constexpr std::int64_t kHeaderBytes = 8;

struct Chunk {
    std::string id;
    std::int32_t size = 0;
    std::int64_t start = 0;  // offset of the chunk header
    std::int64_t body_start() const { return start + kHeaderBytes; }
    std::int64_t end() const { return body_start() + std::max<std::int32_t>(size, 0); }
};

std::int32_t le_i32(const std::string& bytes, std::int64_t at) {
    std::uint32_t u = 0;
    for (int k = 3; k >= 0; --k) u = u << 8 | static_cast<unsigned char>(bytes[at + k]);
    return static_cast<std::int32_t>(u);
}

// The chunk framing of a well-formed file, walked by the declared sizes.
std::vector<Chunk> chunks_of(const std::string& file) {
    std::vector<Chunk> out;
    for (std::int64_t at = kHeaderBytes; at + kHeaderBytes <= std::ssize(file);) {
        out.push_back({file.substr(at, 4), le_i32(file, at + 4), at});
        at = out.back().end();
    }
    return out;
}

std::string row_type(const Chunk& c, int subobjects_before) {
    if (!pof::is_subobject_chunk(c.id)) return pof::text8(c.id);
    return c.id + "   " + pof::integer_text(subobjects_before);
}

std::optional<RecordEntry> entry_of(const Chunk& c) {
    const auto match = pof::find_chunk_id(c.id);
    return match.kind ? std::optional(match.kind->entry) : std::nullopt;
}

// What reading the first `length` bytes must give.
struct Expected {
    ReadOutcome outcome = ReadOutcome::Clean;
    Rows rows;
    std::set<RecordEntry> enabled;
    std::optional<Chunk> cut;  // the chunk the prefix ends in
    bool cut_in_body = false;
};

Expected expected_for(const std::vector<Chunk>& chunks, std::int64_t length) {
    Expected e;
    if (length < kHeaderBytes) {
        // No magic is not a POF file; a magic without its whole version is damaged.
        e.outcome = length < 4 ? ReadOutcome::NotPof : ReadOutcome::Damaged;
        return e;
    }
    int subobjects = 0;
    for (const Chunk& c : chunks) {
        if (c.start >= length) break;
        if (c.body_start() > length) {
            e.cut = c;
            break;
        }
        if (c.size >= 1) e.rows.emplace_back(row_type(c, subobjects), pof::integer_text(c.size));
        if (pof::is_subobject_chunk(c.id) && c.size >= 1) ++subobjects;
        if (c.end() > length) {
            e.cut = c;
            e.cut_in_body = true;
            break;
        }
        if (c.size >= 1) {
            if (const auto entry = entry_of(c)) e.enabled.insert(*entry);
        }
    }
    if (e.cut) e.outcome = ReadOutcome::Damaged;
    return e;
}

bool names_offset(const std::string& message, std::int64_t offset) {
    return std::regex_search(message, std::regex("\\bbyte " + std::to_string(offset) + "\\b"));
}

// The entries whose window must look the same after a prefix as after the full read: one
// chunk of their type in the file, and not the subobject viewer, which opens on the subobject
// count read so far.
std::map<RecordEntry, std::string> comparable_windows(const std::vector<Chunk>& chunks,
                                                      Session& full) {
    std::map<RecordEntry, int> chunks_per_entry;
    for (const Chunk& c : chunks) {
        if (const auto entry = entry_of(c); entry && c.size >= 1) ++chunks_per_entry[*entry];
    }
    std::map<RecordEntry, std::string> out;
    for (const auto& [entry, n] : chunks_per_entry) {
        if (n != 1 || entry == RecordEntry::SOBJ) continue;
        full.form.menu_command(pof::kind_of(entry).menu_name);
        if (auto* v = full.viewer(pof::kind_of(entry).viewer))
            out[entry] = robustness::window_text(*v);
    }
    return out;
}

class EveryPrefix : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(EveryPrefix, ListsTheCompleteChunksAndStopsAtTheCutOne) {
    const std::string model = testing_pof::every_chunk_model(GetParam());
    const auto chunks = chunks_of(model);
    Session full;
    ASSERT_EQ(full.read(model), ReadOutcome::Clean);
    ASSERT_EQ(full.rows(), expected_for(chunks, std::ssize(model)).rows)
        << "the every-chunk model's parsers must read exactly their declared sizes";
    const auto windows = comparable_windows(chunks, full);

    for (std::int64_t length = 0; length <= std::ssize(model); ++length) {
        SCOPED_TRACE("prefix of " + std::to_string(length) + " bytes");
        const Expected want = expected_for(chunks, length);
        Session s;
        EXPECT_EQ(s.read(model.substr(0, length)), want.outcome);
        EXPECT_EQ(s.rows(), want.rows);
        EXPECT_EQ(s.form.menus()[1].enabled, length >= kHeaderBytes);
        for (const auto& e : pof::chunk_kinds()) {
            EXPECT_EQ(s.entry_enabled(e.menu_name), want.enabled.contains(e.entry)) << e.menu_name;
        }

        if (want.outcome == ReadOutcome::Clean) {
            EXPECT_TRUE(s.desktop.messages.empty());
        } else {
            ASSERT_EQ(s.desktop.messages.size(), 1u);
            const std::string& message = s.desktop.messages[0];
            if (want.outcome == ReadOutcome::NotPof) {
                EXPECT_EQ(message, pof::kNotPof);
            }
            if (want.cut) {
                EXPECT_TRUE(names_offset(message, want.cut->start)) << message;
            }
            if (want.cut_in_body) {
                EXPECT_NE(message.find(pof::text8(want.cut->id)), std::string::npos) << message;
            }
        }

        for (const auto& [entry, text] : windows) {
            if (!want.enabled.contains(entry)) continue;
            s.form.menu_command(pof::kind_of(entry).menu_name);
            const auto* v = s.viewer(pof::kind_of(entry).viewer);
            ASSERT_NE(v, nullptr) << pof::kind_of(entry).menu_name;
            EXPECT_EQ(robustness::window_text(*v), text);
        }
        fuzzing::click_through(s.form, s.windows);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryChunkModels, EveryPrefix, ::testing::Values(1800, 2015, 2117),
                         [](const auto& info) { return "Version" + std::to_string(info.param); });

}  // namespace
