// The windows, the Model View and the model check agree on which items a record holds and on
// the row that shows a subobject.

#include <gtest/gtest.h>

#include "check/model_check.h"
#include "every_chunk_model.h"
#include "records/weapons/frmEYE.h"
#include "scene/build_scene.h"
#include "session.h"
#include "subobject_model.h"

namespace {

using testing_pof::Bytes;
using testing_pof::PofBuilder;

int eye_markers(const scene::Scene& s) {
    return static_cast<int>(s.counts.markers[static_cast<int>(scene::MarkerKind::Eye)]);
}

// A second EYE chunk of count 0 leaves the first chunk's table in the store but holds no
// point: the window lists none, so no marker or finding may lead to a row that is not there.
TEST(ItemsAgree, ASecondEyeChunkOfNoPointsShowsNoPointAnywhere) {
    testing_pof::Session s;
    s.read(PofBuilder(2117)
               .chunk("HDR2", testing_pof::header_body(2117, {}))
               .chunk("EYE ", testing_pof::eye_body(1))
               .chunk("EYE ", Bytes().i32(0))
               .str());
    s.form.menu_command("IDM_EYE");
    const auto& window = dynamic_cast<const records::frmEYE&>(*s.viewer("frmEYE"));
    EXPECT_TRUE(window.points.rows.empty());
    EXPECT_EQ(eye_markers(scene::build_scene(s.store, {scene::SceneOptions::kAllSubobjects})), 0);
    for (const check::Finding& f : check::check_model(s.store)) {
        EXPECT_EQ(f.place.find("Eye Point"), std::string::npos) << f.message;
    }
}

// Past the subobject window's first 100,000 slots only the filled ones are listed, so the
// subobject numbered 150,000 is row 100,000 there, in the Model View and in the check.
TEST(ItemsAgree, ASubobjectPastTheListedSlotsLeadsToItsRow) {
    namespace bsp = testing_pof::bsp;
    const Bytes no_vertices = Bytes().raw(bsp::flatpoly({{0}, {1}, {2}})).raw(bsp::eof());
    testing_pof::Session s;
    s.read(PofBuilder(2117)
               .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 200000}))
               .chunk("OBJ2", testing_pof::subobject_body(
                                  2117, {.number = 150000, .parent = -1, .bsp = no_vertices}))
               .str());
    const auto scene = scene::build_scene(s.store, {scene::SceneOptions::kAllSubobjects});
    ASSERT_EQ(scene.meshes.size(), 1u);
    EXPECT_EQ(scene.meshes[0].ref.choices.at(0).row, 100000);
    int led = 0;
    for (const check::Finding& f : check::check_model(s.store)) {
        if (f.code != check::Code::NoDefpoints) continue;
        ASSERT_TRUE(f.item);
        EXPECT_EQ(f.item->choices.at(0).row, 100000);
        ++led;
    }
    EXPECT_EQ(led, 1);
}

}  // namespace
