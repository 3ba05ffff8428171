#include "scene/obj_export.h"

#include <gtest/gtest.h>

#include "scene/build_scene.h"
#include "scene_model.h"

namespace {

using namespace scene_testing;

TEST(ObjExport, WritesEachDrawnSubobjectPlacedWithItsFacesAndMaterials) {
    pof::ModelStore store;
    header(store, 2, {0});
    store.txtr.textures = {{4, "hull"}, {8, "my paint"}};
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
    const auto files = scene::obj_files(scene::build_scene(store, {}), store.txtr, "ship.mtl");
    EXPECT_EQ(files.obj,
              "# pofscope Model View\n"
              "mtllib ship.mtl\n"
              "o hull\n"
              "v 0.5 0 0\nv 1.5 0 0\nv 0.5 1 0\nv 1.5 1 0\n"
              "usemtl my_paint\n"
              "vt 0 1\nvt 0.5 1\nvt 1.5 1\nvt 1 1\n"
              "f 1/1 2/2 4/3 3/4\n"
              "o subobject 1\n"
              "v 0.5 0 2.1\nv 1.5 0 2\nv 0.5 1 2\n"
              "usemtl flat_FF8000\n"
              "f 7 6 5\n"
              "usemtl texture_7\n"
              "vt 0 1\nvt 0.5 1\nvt 1 1\n"
              "f 5/5 6/6 7/7\n");
    EXPECT_EQ(files.mtl,
              "newmtl my_paint\nKd 0.8 0.8 0.8\nmap_Kd my_paint\n\n"
              "newmtl flat_FF8000\nKd 1 0.5019608 0\n\n"
              "newmtl texture_7\nKd 0.8 0.8 0.8\n\n");
}

}  // namespace
