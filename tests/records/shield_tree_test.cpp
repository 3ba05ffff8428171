// SLDC and SLC2: the tree's reader over byte-built chunks of both layouts, damaged and hostile
// ones among them, and the window over the nodes.

#include <gtest/gtest.h>

#include <limits>

#include "every_chunk_model.h"
#include "pof/read_pof.h"
#include "pof_builder.h"
#include "records/weapons/weapon_records.h"
#include "session.h"
#include "table_rows.h"
#include "view/viewer.h"
#include "view/window_text.h"

namespace {

using records::ShieldTreeRecord;
using testing_pof::Bytes;
using testing_pof::shield_tree_body;
using testing_pof::ShieldTreeNode;

struct Layout {
    const char* id;
    int type_bytes;
    void (*parse)(pof::PofFile&, std::int32_t, ShieldTreeRecord&);
};
const Layout kLayouts[] = {{"SLDC", 1, records::gSLDC_data}, {"SLC2", 4, records::gSLC2_data}};

// Parses a body followed by four stray bytes; returns how many bytes the reader took.
std::int64_t parse(const Layout& l, const Bytes& body, ShieldTreeRecord& r,
                   std::int32_t declared = -1) {
    const std::string bytes = Bytes().raw(body).i32(0x7A7A7A7A).str();
    auto f = pof::PofFile::from_bytes(bytes);
    l.parse(f, declared < 0 ? body.size32() : declared, r);
    return f.offset();
}

std::vector<std::int64_t> offsets(const ShieldTreeRecord& r) {
    std::vector<std::int64_t> out;
    for (const auto& n : r.nodes) out.push_back(n.offset);
    return out;
}

TEST(ShieldTreeReader, ReadsSplitsAndLeavesOfBothLayoutsByTheirSizes) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.id);
        const std::int64_t split = l.type_bytes + 36, leaf = l.type_bytes + 32;
        ShieldTreeRecord r;
        // The last node's size passes over 8 bytes after its fields, to the tree's end.
        const std::int64_t tree = split + (leaf + 12) + leaf + (leaf + 4) + 8;
        const Bytes body =
            Bytes()
                .raw(shield_tree_body(
                    l.type_bytes,
                    {{.split = true,
                      .min = {-1, -2, -3},
                      .max = {4, 5, 6},
                      .front = 7,
                      .back = 4000000000u},
                     {.faces = {4294967295u, 0, 9}},
                     {.faces = {}},
                     {.faces = {3}, .size = static_cast<std::uint32_t>(leaf + 4 + 8)}},
                    static_cast<std::int32_t>(tree)))
                .i32(0)
                .i32(0);
        EXPECT_EQ(parse(l, body, r), body.size32());
        EXPECT_FALSE(r.cut);
        EXPECT_EQ(r.tree_size, body.size32() - 4);
        EXPECT_EQ(offsets(r),
                  (std::vector<std::int64_t>{0, split, split + leaf + 12, split + 2 * leaf + 12}));
        const auto& s = r.nodes[0];
        EXPECT_TRUE(s.split());
        EXPECT_EQ(s.size, split);
        EXPECT_EQ(s.min, (pof::Vec3{-1, -2, -3}));
        EXPECT_EQ(s.max, (pof::Vec3{4, 5, 6}));
        EXPECT_EQ(s.front, 7u);
        EXPECT_EQ(s.back, 4000000000u);
        EXPECT_EQ(r.nodes[1].type, 1);
        EXPECT_EQ(r.nodes[1].count, 3u);
        EXPECT_EQ(r.nodes[1].faces, (std::vector<std::uint32_t>{4294967295u, 0, 9}));
        EXPECT_TRUE(r.nodes[2].faces.empty());
        // A size past the node's fields: the next node starts where the size says, 8 bytes on.
        EXPECT_EQ(r.nodes[3].faces, (std::vector<std::uint32_t>{3}));
        EXPECT_EQ(r.nodes[3].size, leaf + 12);
    }
}

// A leaf's type is any number but 0: SLDC's one byte 0xFF, SLC2's -1.
TEST(ShieldTreeReader, EveryTypeButZeroIsALeaf) {
    for (const Layout& l : kLayouts) {
        std::string body = shield_tree_body(l.type_bytes, {{.faces = {1}}}).str();
        for (int i = 0; i < l.type_bytes; ++i) body[4 + i] = '\xFF';
        ShieldTreeRecord r;
        parse(l, Bytes().raw(body), r);
        ASSERT_EQ(r.nodes.size(), 1u) << l.id;
        EXPECT_FALSE(r.nodes[0].split()) << l.id;
        EXPECT_EQ(r.nodes[0].faces, (std::vector<std::uint32_t>{1})) << l.id;
    }
}

// Damage ends the node list with the nodes before it: a node cut inside its fields, a leaf
// whose indices pass the tree, a size that leads back into the node or past the tree.
TEST(ShieldTreeReader, DamageEndsTheListWithTheNodesReadBeforeIt) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.id);
        const auto tree = [&](std::vector<ShieldTreeNode> nodes, std::size_t cut_by) {
            std::string body = shield_tree_body(l.type_bytes, nodes).str();
            body.resize(body.size() - cut_by);
            const std::int32_t size = static_cast<std::int32_t>(body.size()) - 4;
            body.replace(0, 4, Bytes().i32(size).str());
            ShieldTreeRecord r;
            parse(l, Bytes().raw(body), r);
            return r;
        };
        const ShieldTreeNode leaf{.faces = {0, 1}};
        // The second node cut one byte short of a split's fields.
        auto r = tree({leaf, {.split = true}}, 1);
        EXPECT_EQ(offsets(r).size(), 1u);
        EXPECT_TRUE(r.cut);
        // The second leaf's last index cut: it stays with its whole indices.
        r = tree({leaf, {.faces = {5, 6}}}, 2);
        ASSERT_EQ(r.nodes.size(), 2u);
        EXPECT_EQ(r.nodes[1].count, 2u);
        EXPECT_EQ(r.nodes[1].faces, (std::vector<std::uint32_t>{5}));
        EXPECT_TRUE(r.cut);
        // A size of 0 and a size short of the fields end the walk at that node.
        for (std::uint32_t size : {0u, 8u}) {
            r = tree({{.faces = {0}, .size = size}, leaf}, 0);
            EXPECT_EQ(r.nodes.size(), 1u) << size;
            EXPECT_TRUE(r.cut) << size;
        }
        // A size past the tree.
        r = tree({leaf, {.faces = {1}, .size = 1000}}, 0);
        EXPECT_EQ(r.nodes.size(), 2u);
        EXPECT_TRUE(r.cut);
    }
}

// A tree size past the chunk or the file is held to the bytes there; a negative one reads
// nothing; the chunk's later bytes stay unread.
TEST(ShieldTreeReader, TheTreeSizeIsHeldToTheChunkAndTheFile) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.id);
        const Bytes nodes =
            Bytes().raw(shield_tree_body(l.type_bytes, {{.faces = {2}}}).str().substr(4));
        ShieldTreeRecord r;
        EXPECT_EQ(parse(l, Bytes().i32(1000).raw(nodes), r), 4 + nodes.size32());
        EXPECT_EQ(r.tree_size, 1000);
        EXPECT_EQ(r.tree_bytes, nodes.size32());
        EXPECT_TRUE(r.cut);
        ASSERT_EQ(r.nodes.size(), 1u);

        ShieldTreeRecord within;  // the chunk declares fewer bytes than the tree size and file hold
        EXPECT_EQ(parse(l, Bytes().i32(nodes.size32()).raw(nodes), within, 4 + nodes.size32() - 4),
                  4 + nodes.size32() - 4);
        ASSERT_EQ(within.nodes.size(), 1u) << "the leaf's fields lie within the chunk";
        EXPECT_TRUE(within.nodes[0].faces.empty()) << "its index does not";
        EXPECT_TRUE(within.cut);

        ShieldTreeRecord negative;
        EXPECT_EQ(parse(l, Bytes().i32(-5).raw(nodes), negative), 4);
        EXPECT_EQ(negative.tree_bytes, 0);
        EXPECT_TRUE(negative.nodes.empty());
        EXPECT_FALSE(negative.cut);
    }
}

// Hostile numbers size nothing: a tree size of 2^31 - 1 in a tiny file, and a leaf whose count
// is 2^32 - 1 keeps only the indices the tree holds.
TEST(ShieldTreeReader, HostileSizesAndCountsAreRefusedBeforeAllocating) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.id);
        ShieldTreeRecord r;
        const Bytes body = shield_tree_body(
            l.type_bytes, {{.faces = {7, 8}, .count = std::numeric_limits<std::uint32_t>::max()}},
            std::numeric_limits<std::int32_t>::max());
        parse(l, body, r, std::numeric_limits<std::int32_t>::max());
        ASSERT_EQ(r.nodes.size(), 1u);
        EXPECT_EQ(r.nodes[0].count, std::numeric_limits<std::uint32_t>::max());
        // The four stray bytes after the body lie inside the declared chunk: read as an index.
        EXPECT_EQ(r.nodes[0].faces, (std::vector<std::uint32_t>{7, 8, 0x7A7A7A7A}));
        EXPECT_TRUE(r.cut);
    }
}

// The whole reader: both chunks in one file of any version, the next chunk found after each.
TEST(ShieldTreeReader, BothChunksAreReadInAFileOfAnyVersion) {
    for (const std::int32_t version : {2117, 2200, 2301}) {
        testing_pof::Session s;
        s.read(testing_pof::PofBuilder(version)
                   .chunk("SLDC", testing_pof::closed_shield_tree(1))
                   .chunk("SLC2", testing_pof::closed_shield_tree(4))
                   .chunk("ACEN", testing_pof::acen_body(1, 2, 3))
                   .str());
        EXPECT_EQ(s.store.sldc.nodes.size(), 3u) << version;
        EXPECT_EQ(s.store.slc2.nodes.size(), 3u) << version;
        EXPECT_EQ(s.store.acen.auto_center.z, 3) << version;
        EXPECT_TRUE(s.entry_enabled("IDM_SLDC"));
        EXPECT_TRUE(s.entry_enabled("IDM_SLC2"));
    }
}

// The window: the node list with the first node chosen on open, the chosen node's box and
// faces; a list of one row is disabled.
view::Table& list(view::Viewer& v, std::size_t n) {
    return static_cast<view::Table&>(*view::lists_of(v.layout())[n]);
}

TEST(ShieldTreeViewer, NodesListWithTheChosenNodesBoxAndFaces) {
    testing_pof::Session s;
    s.read(testing_pof::PofBuilder(2117)
               .chunk("SLC2", shield_tree_body(4, {{.split = true, .front = 40, .back = 40},
                                                   {.min = {-1, 0, 0}, .faces = {3, 2, 1}}}))
               .str());
    s.form.menu_command("IDM_SLC2");
    view::Viewer* v = s.viewer("frmSLC2");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->title, "SLC2 record");
    auto& nodes = list(*v, 0);
    auto& faces = list(*v, 1);
    EXPECT_EQ(testing_pof::rows_of(nodes),
              (std::vector<view::Table::Cells>{{"0", "split", "40", "40", "40", ""},
                                               {"40", "leaf", "48", "", "", "3"}}));
    EXPECT_TRUE(nodes.enabled);
    EXPECT_EQ(nodes.selected, 0);
    EXPECT_EQ(faces.row_count(), 0u);
    EXPECT_FALSE(faces.enabled);
    nodes.click(1);
    EXPECT_EQ(testing_pof::rows_of(faces),
              (std::vector<view::Table::Cells>{{"0", "3"}, {"1", "2"}, {"2", "1"}}));
    EXPECT_EQ(faces.selected, 0);
    EXPECT_TRUE(faces.enabled);
    const std::string text = view::viewer_text(*v);
    EXPECT_NE(text.find("X | -1 | 1\n"), std::string::npos) << text;
}

TEST(ShieldTreeViewer, OneNodeDisablesItsListAndNoNodeTheGroup) {
    testing_pof::Session s;
    s.read(testing_pof::PofBuilder(2117)
               .chunk("SLDC", shield_tree_body(1, {{.faces = {4}}}))
               .chunk("SLC2", Bytes().i32(0))
               .str());
    s.form.menu_command("IDM_SLDC");
    view::Viewer* one = s.viewer("frmSLDC");
    ASSERT_NE(one, nullptr);
    EXPECT_FALSE(list(*one, 0).enabled);
    EXPECT_EQ(list(*one, 0).selected, 0);
    EXPECT_EQ(testing_pof::rows_of(list(*one, 1)), (std::vector<view::Table::Cells>{{"0", "4"}}));
    EXPECT_FALSE(list(*one, 1).enabled);
    s.form.menu_command("IDM_SLC2");
    view::Viewer* none = s.viewer("frmSLC2");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(list(*none, 0).row_count(), 0u);
    const std::string text = view::viewer_text(*none);
    EXPECT_NE(text.find("[Node] (disabled)"), std::string::npos) << text;
}

}  // namespace
