#include "golden_models.h"

#include <cstdint>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "sample_archive.h"
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
            "--view SHLD --choose 1:2 --choose 2:3"};
}

Model every_chunk(const std::string& name, std::int32_t version) {
    return {name, testing_pof::every_chunk_model(version), every_chunk_windows(version)};
}

// The sample file the build writes, as the README shows it: its check, the windows the
// every-chunk models leave at small numbers, and the Model View.
Model sample_ship() {
    return {
        "sample",
        testing_pof::ship_model(),
        {"", "--check", "--view HDR2 --choose 2:2", "--view OBJ2 --choose 1:2", "--view PINF",
         "--view PATH --choose 1:1", "--view FUEL --choose 1:1", "--view TMIS", "--view MODEL"}};
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
            {"", "--view OBJ2", "--view OBJ2 --open 2:1", "--view TXTR", "--view GPNT"}};
}

// The sample archive's window, filtered and sorted, its models opened, and its check.
Model sample_archive() {
    return {"archive",
            testing_pof::sample_archive(),
            {"", "--json", "--type 1:MODELS --sort 1:2 --sort 1:2", "--sort 1:4",
             "--member data/models/sample.pof", "--member DATA/Models/Extra.POF --view TXTR",
             "--member data/maps/sample-hull.dds", "--member data/models/none.pof", "--check",
             "--check --json"},
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

}  // namespace

const Model& sample_model() {
    static const Model sample = sample_ship();
    return sample;
}

std::vector<Model> models() {
    return {every_chunk("v1800", 1800),
            every_chunk("v2014", 2014),
            every_chunk("v2116", 2116),
            every_chunk("v2117", 2117),
            every_chunk("negative-version", -1),
            damaged(),
            sample_ship(),
            sample_archive(),
            damaged_archive(),
            broken_archive()};
}

}  // namespace golden
