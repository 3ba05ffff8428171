#include "golden_models.h"

#include <cstdint>
#include <string_view>

#include "diff_models.h"
#include "every_chunk_model.h"
#include "fault_models.h"
#include "pof_builder.h"
#include "sample_archive.h"
#include "sample_textures.h"
#include "ship_model.h"
#include "subobject_model.h"
#include "vp_builder.h"

namespace golden {

namespace {

using testing_pof::Bytes;

// Every window of the every-chunk model; the header's cross sections exist from 2014 on.
std::vector<std::string> every_chunk_windows(std::int32_t version) {
    return {"",
            version >= 2014 ? "--view OHDR --choose 2:1" : "--view OHDR",
            "--view SOBJ --choose 1:1",
            "--view SOBJ --choose 1:0 --open 2:0 --choose 1:1 --choose 2:1",
            "--view SOBJ --choose 1:0 --open 2:1",
            "--view SOBJ --choose 1:0 --open 2:2",
            "--view SOBJ --choose 1:0 --open 2:3",
            "--view SOBJ --choose 1:0 --open 2:4",
            "--view TXTR --choose 1:1",
            "--view PINF",
            "--view ACEN",
            "--view DOCK --choose 2:1 --choose 3:1",
            "--view PATH --choose 3:1",
            "--view FUEL --choose 2:1",
            "--view INSG --choose 2:2 --choose 3:1",
            "--view GPNT --choose 2:1",
            "--view GPNT --choose 1:2",
            "--view MPNT",
            "--view TGUN --choose 2:1",
            "--view TMIS",
            "--view SPCL --choose 1:1",
            "--view EYE --choose 1:1",
            "--view SHLD --choose 1:2 --choose 2:3",
            "--view GLOW --choose 2:1"};
}

Model every_chunk(const std::string& name, std::int32_t version) {
    return {name, testing_pof::every_chunk_model(version), every_chunk_windows(version)};
}

// The every-chunk model at the versions after 2117: at 2201 the guns' angle offsets and a
// DEFPOINTS block whose vertex data starts after a padding byte; at 2301 besides the
// translation fields and a SORTNORM2 split over two TMAP2POLY leaves.
Model every_chunk_after(const std::string& name, std::int32_t version) {
    Model model = every_chunk(name, version);
    const std::vector<std::string> more =
        version >= 2300
            ? std::vector<std::string>{"--view SOBJ --choose 1:1 --open 2:1",
                                       "--view SOBJ --choose 1:1 --open 2:2 --choose 1:2",
                                       "--view SOBJ --choose 1:1 --open 2:3",
                                       "--json --view SOBJ --choose 1:1 --open 2:2", "--all"}
            : std::vector<std::string>{"--view SOBJ --choose 1:1 --open 2:0 --choose 1:2",
                                       "--json --view MPNT"};
    model.windows.insert(model.windows.end(), more.begin(), more.end());
    return model;
}

// The every-chunk model at 2117 with a tree over its shield in SLDC, the tree the game reads,
// and the same tree in SLC2, which it skips: both windows, a leaf chosen in the Model View.
Model shield_trees() {
    const auto chunk = [](std::string_view id, const Bytes& body) {
        return Bytes().raw(id).i32(body.size32()).raw(body).str();
    };
    return {"shield-tree",
            testing_pof::every_chunk_model(2117) +
                chunk("SLDC", testing_pof::closed_shield_tree(1)) +
                chunk("SLC2", testing_pof::closed_shield_tree(4)),
            {"", "--view SLDC", "--view SLDC --choose 1:2 --choose 2:1", "--view SLC2 --choose 1:1",
             "--json --view SLC2 --choose 1:2", "--check",
             "--view MODEL --view SLDC --choose 1:1 --view MODEL", "--all"}};
}

// File > Open of another model after the every-chunk model (its insignia window open): the
// reset leaves nothing of the first file, so the damaged model's windows show only its own
// chunks (the Model View no marker of a chunk it lacks) and the sample's windows show the
// sample as a run on it alone does.
Model every_chunk_then_another() {
    Model model = every_chunk("v2117", 2117);
    const std::string after = "--view INSG --choose 2:2 --read ";
    for (const char* steps :
         {"@damaged", "@damaged --view MODEL", "@damaged --view INSG", "@damaged --view OBJ2",
          "@damaged --view GPNT", "@sample --view INSG", "@sample --view MODEL"}) {
        model.windows.push_back(after + steps);
    }
    return model;
}

// The little-endian int32 at byte at, as a chunk's declared size.
std::size_t le32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// The chunk of type id replaced by one of body, the other chunks as they were.
std::string with_chunk(const std::string& file, std::string_view id, const Bytes& body) {
    for (std::size_t at = 8; at + 8 <= file.size(); at += 8 + le32(file, at + 4)) {
        if (file.compare(at, 4, id) != 0) continue;
        const std::string chunk = Bytes().raw(id).i32(body.size32()).raw(body).str();
        return file.substr(0, at) + chunk + file.substr(at + 8 + le32(file, at + 4));
    }
    return file;
}

// The Model View follows a choice in a window opened after it: the steps open it first (on
// detail level 0 or, with --choose 1:1, on every subobject), make the choice, and show it again,
// its status line naming the chosen item.
const char* const kChoicesFollowed[] = {
    "--view GPNT --choose 2:1",
    "--view MPNT --choose 1:1 --choose 2:1",
    "--view TGUN --choose 2:1",
    "--view TMIS --choose 2:1",
    "--view DOCK --choose 1:0 --choose 3:1",
    "--view DOCK --choose 1:1",
    "--view PATH --choose 2:1",
    // Turret 1, the debris piece, is drawn with every subobject only; at level 0 the vertex
    // itself is outlined.
    "--view PATH --choose 3:0",
    "--choose 1:1 --view PATH --choose 3:0",
    "--view PATH --choose 3:1",
    "--view FUEL --choose 2:1",
    "--view EYE --choose 1:1",
    "--view SPCL --choose 1:1",
    "--view SHLD --choose 2:3",
    "--view SHLD --choose 1:2",
    "--view INSG --choose 3:1",
    "--view INSG --choose 2:2",
    "--view SOBJ --choose 1:0 --choose 2:3",
    "--choose 1:1 --view SOBJ --choose 1:1 --choose 2:2",
    "--view SOBJ --choose 1:0 --open 2:2",
    "--view SOBJ --choose 1:0 --open 2:0 --choose 1:1",
    "--choose 1:1 --view SOBJ --choose 1:1 --open 2:0 --choose 1:1",
};

// The every-chunk model with a second missile slot of two missiles and a missile turret of two
// firing points, so that every list of a marked item has a row to choose.
Model model_view_choices() {
    std::string bytes = testing_pof::every_chunk_model(2117);
    bytes = with_chunk(bytes, "MPNT", testing_pof::weapon_points_body({1, 2}, true));
    bytes = with_chunk(bytes, "TMIS", testing_pof::turret_body({2}, 1));
    std::vector<std::string> runs;
    for (const char* choice : kChoicesFollowed) {
        runs.push_back(std::string("--view MODEL ") + choice + " --view MODEL");
    }
    return {"model-view", bytes, runs};
}

// The textures the build writes beside the sample, but for the file named skip.
std::vector<std::pair<std::string, std::string>> sample_textures_but(const std::string& skip) {
    std::vector<std::pair<std::string, std::string>> files;
    for (auto& t : testing_pof::sample_textures()) {
        if (t.file_name != skip) files.emplace_back(t.file_name, std::move(t.bytes));
    }
    return files;
}

// The sample file the build writes, as the README shows it: its check, the windows the
// every-chunk models leave at small numbers, its four texture names, and the Model View.
Model sample_ship() {
    return {"sample",
            testing_pof::ship_model(),
            {"", "--check", "--view HDR2 --choose 2:2", "--view OBJ2 --choose 1:2", "--view PINF",
             "--view TXTR", "--view PATH --choose 1:1", "--view FUEL --choose 1:1", "--view TMIS",
             "--view GLOW --choose 1:1", "--view MODEL", "--all"},
            ".pof",
            sample_textures_but("")};
}

// The sample with its end caps' texture gone and its hull's texture cut short.
Model sample_missing_texture() {
    auto beside = sample_textures_but("caps.png");
    for (auto& [name, bytes] : beside) {
        if (name == "hull.dds") bytes.resize(200);
    }
    return {"sample-missing-texture",
            testing_pof::ship_model(),
            {"--check", "--view MODEL"},
            ".pof",
            std::move(beside)};
}

// A texture-mapped triangle whose vertex count says 5: the block ends after the third entry.
Bytes short_polygon() {
    std::string block =
        testing_pof::bsp::tmappoly({{0, 0, 0, 0}, {1, 0, 1, 0}, {2, 0, 1, 1}}).str();
    block[36] = 5;  // the vertex count after the block header, normal, centre and radius
    return Bytes().raw(block);
}

// A subobject with a polygon cut short, then a gun point chunk the file ends inside.
Model damaged() {
    const Bytes bsp = Bytes()
                          .raw(testing_pof::bsp::defpoints({{{0, 1, 0}, {}}, {{1, 1, 0}, {}}}))
                          .raw(short_polygon())
                          .raw(testing_pof::bsp::eof());
    std::string bytes =
        testing_pof::PofBuilder(2117)
            .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}))
            .chunk("OBJ2", testing_pof::subobject_body(2117, {.name = "hull", .bsp = bsp}))
            .chunk("TXTR", testing_pof::texture_body({"hull-tex"}))
            .chunk("GPNT", testing_pof::weapon_points_body({2, 3}))
            .str();
    bytes.resize(bytes.size() - 30);
    return {"damaged",
            bytes,
            {"", "--check", "--view OBJ2", "--view OBJ2 --open 2:1", "--view TXTR", "--view GPNT",
             "--all", "--json --all"}};
}

// The sample cut inside the body of its nth chunk of type id, after half of it: the read stops
// there, and the check tells it once, with what it never reached.
Model sample_cut(const std::string& name, std::string_view id, int nth) {
    std::string bytes = testing_pof::ship_model();
    for (std::size_t at = 8; at + 8 <= bytes.size(); at += 8 + le32(bytes, at + 4)) {
        if (bytes.compare(at, 4, id) == 0 && nth-- == 0) {
            bytes.resize(at + 8 + le32(bytes, at + 4) / 2);
            break;
        }
    }
    return {name, bytes, {"--check"}, ".pof", sample_textures_but("")};
}

// The sample archive's window, filtered and sorted, its models opened, and its check.
Model sample_archive() {
    return {"archive",
            testing_pof::sample_archive(),
            {"", "--json", "--type 1:MODELS --sort 1:2 --sort 1:2", "--sort 1:4",
             "--member data/models/sample.pof", "--member DATA/Models/Extra.POF --view TXTR",
             "--member data/maps/sample-hull.dds", "--member data/models/none.pof", "--check",
             "--check --json", "--all"},
            ".vp"};
}

// An archive whose directory holds every fault that leaves the rest listed.
Model damaged_archive() {
    const std::string model = testing_pof::ship_model();
    const std::string bytes = testing_pof::VpBuilder()
                                  .up()
                                  .folder("data")
                                  .file("Ship.pof", model, 915148800)  // 1999-01-01
                                  .entry(16, 1 << 30, "cut.pof", 0)
                                  .entry(16, -8, "minus.pof", 0)
                                  .entry(16, 4, "a name of thirty-two bytes, no NUL", 0)
                                  .entry(16, 4, "caf\xE9\n.tbl", 0)
                                  .file("SHIP.POF", model + "more", 2147483647)
                                  .version(3)
                                  .str();
    return {"damaged-archive",
            bytes,
            {"", "--member data/cut.pof", "--member data/ship.pof", "--check"},
            ".vp"};
}

// Archives whose header or directory cannot be listed.
Model broken_archive() {
    return {"broken-archive",
            testing_pof::VpBuilder().file("a.pof", "PSPO").entry_count(3).str(),
            {"", "--member a.pof", "--check"},
            ".vp"};
}

// The copies of the sample in today's layouts: every window, the check and the Model View; the
// padded DEFPOINTS of the hull, and at 2301 its SORTNORM2 root, a turret's TMAP2POLY leaf (in
// its window, and chosen in the Model View) and the door.
Model sample_copy(testing_pof::ShipCopy copy) {
    const std::string name = testing_pof::ship_file_name(copy);
    std::vector<std::string> windows = {"",
                                        "--check",
                                        "--view MODEL",
                                        "--view HDR2 --choose 2:2",
                                        "--view OBJ2 --choose 1:1",
                                        "--view OBJ2 --choose 1:0 --open 2:0 --choose 1:40",
                                        "--view TXTR",
                                        "--view PINF",
                                        "--view ACEN",
                                        "--view DOCK",
                                        "--view PATH --choose 1:1",
                                        "--view FUEL --choose 1:1",
                                        "--view INSG",
                                        "--view GPNT --choose 2:1",
                                        "--view MPNT",
                                        "--view TGUN",
                                        "--view TMIS",
                                        "--view SPCL",
                                        "--view EYE",
                                        "--view SHLD --choose 1:2",
                                        "--view GLOW --choose 1:1"};
    windows.emplace_back(copy == testing_pof::ShipCopy::V2117Sldc ? "--view SLDC --choose 1:2"
                                                                  : "--view SLC2 --choose 1:2");
    if (copy == testing_pof::ShipCopy::V2301) {
        for (const char* more :
             {"--view OBJ2 --choose 1:5", "--view OBJ2 --choose 1:0 --open 2:1",
              "--view OBJ2 --choose 1:1 --open 2:3 --choose 1:1",
              "--view MODEL --choose 1:2 --view OBJ2 --choose 1:1 --open 2:3 --view MODEL"}) {
            windows.emplace_back(more);
        }
    }
    return {name.substr(0, name.size() - 4), testing_pof::ship_model(copy), windows, ".pof",
            sample_textures_but("")};
}

}  // namespace

const Model& sample_model() {
    static const Model sample = sample_ship();
    return sample;
}

std::vector<Model> models() {
    std::vector<Model> all{every_chunk("v1800", 1800),
                           every_chunk("v2014", 2014),
                           every_chunk("v2116", 2116),
                           every_chunk_then_another(),
                           every_chunk_after("v2201", 2201),
                           every_chunk_after("v2301", 2301),
                           every_chunk("negative-version", -1),
                           shield_trees(),
                           damaged(),
                           sample_ship(),
                           sample_copy(testing_pof::ShipCopy::V2201),
                           sample_copy(testing_pof::ShipCopy::V2301),
                           sample_copy(testing_pof::ShipCopy::V2117Sldc),
                           model_view_choices(),
                           chunk_faults(),
                           block_faults(),
                           game_faults(),
                           shield_tree_faults(),
                           sample_cut("sample-cut-subobject", "OBJ2", 2),
                           sample_cut("sample-cut-txtr", "TXTR", 0),
                           sample_missing_texture(),
                           sample_archive(),
                           damaged_archive(),
                           broken_archive()};
    for (auto& pair : diff_pairs()) all.push_back(std::move(pair));
    return all;
}

}  // namespace golden
