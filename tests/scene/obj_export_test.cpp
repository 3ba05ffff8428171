#include "scene/obj_export.h"

#include <gtest/gtest.h>

#include "scene/build_scene.h"
#include "scene_model.h"

namespace {

using namespace scene_testing;

void textures(pof::ModelStore& store, std::vector<std::string> names) {
    store.txtr.texture_count = static_cast<std::int32_t>(names.size());
    store.txtr.textures.clear();
    for (auto& name : names) {
        store.txtr.textures.push_back({static_cast<std::int32_t>(name.size()), std::move(name)});
    }
}

scene::ObjFiles export_of(const pof::ModelStore& store) {
    return scene::obj_files(scene::build_scene(store, {}), store.txtr, "ship.mtl");
}

TEST(ObjExport, WritesEachDrawnSubobjectPlacedWithItsFacesAndMaterials) {
    pof::ModelStore store;
    header(store, 2, {0});
    textures(store, {"hull", "my paint"});
    subobject(store, 0, -1, {0.5f, 0, 0},
              Bytes()
                  .raw(defpoints({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}))
                  .raw(tmappoly({0, 1, 3, 2}, 1))
                  .raw(eof()),
              "hull");
    subobject(store, 1, 0, {0, 0, 2},
              Bytes()
                  .raw(defpoints({{0, 0, 0.1f}, {1, 0, 0}, {0, 1, 0}}))
                  .raw(flatpoly({2, 1, 0}, {255, 128, 0}))
                  .raw(tmappoly({0, 1, 2}, 7))
                  .raw(eof()));
    const auto files = export_of(store);
    EXPECT_EQ(files.obj,
              "# pofscope Model View\n"
              "mtllib ship.mtl\n"
              "o hull\n"
              "v 0.5 0 0\nv 1.5 0 0\nv 0.5 1 0\nv 1.5 1 0\n"
              "usemtl my%20paint\n"
              "vt 0 1\nvt 0.5 1\nvt 1.5 1\nvt 1 1\n"
              "f 1/1 2/2 4/3 3/4\n"
              "o subobject 1\n"
              "v 0.5 0 2.1\nv 1.5 0 2\nv 0.5 1 2\n"
              "usemtl @flat_FF8000\n"
              "f 7 6 5\n"
              "usemtl @texture_7\n"
              "vt 0 1\nvt 0.5 1\nvt 1 1\n"
              "f 5/5 6/6 7/7\n");
    EXPECT_EQ(files.mtl,
              "newmtl my%20paint\nKd 0.8 0.8 0.8\nmap_Kd my%20paint\n\n"
              "newmtl @flat_FF8000\nKd 1 0.5019608 0\n\n"
              "newmtl @texture_7\nKd 0.8 0.8 0.8\n\n");
}

// A texture can be named like a flat colour, like another texture after blanks were replaced,
// or like a comment; every material stays its own and reads back as the name stored. Object
// names keep to their line: a vertical tab or form feed breaks lines in many readers.
TEST(ObjExport, NamesNeverCollideOrLeaveTheirLine) {
    pof::ModelStore store;
    header(store, 1, {0});
    textures(store, {"flat_010203", "x y", "x_y", "#comment"});
    Bytes bsp;
    bsp.raw(defpoints({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    for (std::int16_t t = 0; t < 4; ++t) bsp.raw(tmappoly({0, 1, 2}, t));
    bsp.raw(flatpoly({0, 1, 2}, {1, 2, 3})).raw(eof());
    subobject(store, 0, -1, {}, bsp, "hull\v1\fa#b");
    const auto files = export_of(store);
    EXPECT_NE(files.obj.find("\no hull%0B1%0Ca%23b\n"), std::string::npos) << files.obj;
    for (const char* used : {"usemtl flat_010203\n", "usemtl x%20y\n", "usemtl x_y\n",
                             "usemtl %23comment\n", "usemtl @flat_010203\n"}) {
        EXPECT_NE(files.obj.find(used), std::string::npos) << used;
    }
    EXPECT_EQ(files.obj.find('\v'), std::string::npos);
    EXPECT_EQ(files.obj.find('\f'), std::string::npos);
    EXPECT_FALSE(scene::mtl_name_fits("ship\n.mtl"));
    EXPECT_TRUE(scene::mtl_name_fits("my ship.mtl"));
}

// Offsets of 3e38 twice along a chain place a finite vertex at infinity: it is left out, the
// rest renumbered, with the polygon on it, and the top says so. A vertex that is not finite as
// stored is never written as a point the file does not hold.
TEST(ObjExport, LeavesOutWhatIsNotFiniteOncePlaced) {
    pof::ModelStore store;
    header(store, 3, {0});
    const Bytes triangle =
        Bytes().raw(defpoints({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})).raw(tmappoly({0, 1, 2}, 0));
    subobject(store, 0, -1, {}, Bytes(triangle).raw(eof()), "kept");
    subobject(store, 1, 0, {3e38f, 0, 0});
    subobject(store, 2, 1, {3e38f, 0, 0}, Bytes(triangle).raw(eof()), "far");
    const auto files = export_of(store);
    EXPECT_NE(files.obj.find("# 3 vertices that are not finite numbers once placed are left "
                             "out, with the 1 polygons on them\n"),
              std::string::npos)
        << files.obj;
    EXPECT_EQ(files.obj.find("inf"), std::string::npos);
    EXPECT_TRUE(files.obj.ends_with("o far\n")) << "no vertex, no face";
    EXPECT_EQ(files.obj.find("f 4"), std::string::npos);
}

}  // namespace
