#include "sample_archive.h"

#include "pof_builder.h"
#include "sample_textures.h"
#include "ship_model.h"
#include "vp_builder.h"

namespace testing_pof {

namespace {

constexpr std::int32_t kReleased = 1066435200;  // 2003-10-18 00:00:00 UTC

// The ship with a chunk of an ID pofscope does not read after its last one.
std::string ship_with_unknown_chunk() {
    return ship_model() + Bytes().raw("XXXX").i32(12).vec(1, 2, 3).str();
}

}  // namespace

std::string sample_archive() {
    VpBuilder vp;
    vp.folder("data")
        .folder("models")
        .file("sample.pof", ship_model(), kReleased)
        .file("extra.pof", ship_with_unknown_chunk(), kReleased + 3600)
        .up()
        .folder("maps");
    for (const auto& t : sample_textures()) vp.file(t.file_name, t.bytes, kReleased - 86400);
    return vp.up()
        .folder("tables")
        .file("ships.tbl", "#Ship Classes\n$Name: Sample\n#End\n", kReleased - 60)
        .up()
        .up()
        .file("readme.txt", "The sample ship, packed as a mod packs its models.\n", kReleased)
        .str();
}

}  // namespace testing_pof
