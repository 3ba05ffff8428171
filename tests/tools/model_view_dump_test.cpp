// pofdump's Model View: --view MODEL prints it, --obj writes what it draws at that point.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dump_fixture.h"
#include "pof_builder.h"
#include "ship_model.h"

namespace {

using dump_testing::dump;
using dump_testing::has_lines;
using dump_testing::TempFile;

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ModelViewDump, ObjWritesTheDetailLevelChosenSoFarWithItsMaterials) {
    const TempFile ship(testing_pof::ship_model());
    const std::string obj = ship.path() + ".obj";
    const std::string mtl = ship.path() + ".mtl";
    const auto d = dump({"--view", "MODEL", "--choose", "1:1", "--obj", obj, ship.path()});
    EXPECT_EQ(d.status, 0) << d.err;
    EXPECT_TRUE(has_lines(d.out, {"[Scene]", "  Subobjects drawn: 1", "  Polygons: 6"}));
    const std::string text = file_text(obj);
    const std::string mtl_name = std::filesystem::path(mtl).filename().string();
    EXPECT_EQ(text.rfind("# pofscope Model View\nmtllib " + mtl_name + "\no hull-1\n", 0), 0u)
        << text;
    EXPECT_EQ(text.find("o hull\n"), std::string::npos);
    EXPECT_TRUE(has_lines(text, {"usemtl hull", "vt 0 0"}));
    EXPECT_TRUE(has_lines(file_text(mtl), {"newmtl hull", "Kd 0.8 0.8 0.8", "map_Kd hull"}));
    std::filesystem::remove(obj);
    std::filesystem::remove(mtl);
}

TEST(ModelViewDump, TheViewMenuNeedsAHeader) {
    const TempFile no_header(
        testing_pof::PofBuilder(2117).chunk("ACEN", testing_pof::Bytes().vec(0, 0, 0)).str());
    const auto d = dump({"--obj", no_header.path() + ".obj", no_header.path()});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.err, "pofdump: the View menu is disabled: the file has no header\n");
}

}  // namespace
