#include "records/header/frmOHDR.h"

#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "session.h"

namespace {

using testing_pof::HeaderFields;
using testing_pof::PofBuilder;
using testing_pof::Session;

class HeaderViewer : public ::testing::Test {
  protected:
    records::frmOHDR& open(std::int32_t version, HeaderFields fields = {}) {
        const char* id = version >= 2016 ? "HDR2" : "OHDR";
        s.read(PofBuilder(version).chunk(id, testing_pof::header_body(version, fields)).str());
        s.form.menu_command("IDM_OHDR");
        auto* v = dynamic_cast<records::frmOHDR*>(s.viewer("frmOHDR"));
        EXPECT_NE(v, nullptr);
        return *v;
    }
    Session s;
};

TEST_F(HeaderViewer, ShowsScalarsBoundingBoxAndVersion) {
    auto& v = open(2117, {.subobjects = 2, .flags = -5});
    // 104 bytes with no tables, plus 1 detail level, 2 debris, 3 cross sections, 1 light.
    EXPECT_EQ(v.record_size.value.text, "156");
    EXPECT_EQ(v.subobjects.value.text, "2");
    EXPECT_EQ(v.detail_levels.value.text, "1");
    EXPECT_EQ(v.debris.value.text, "2");
    EXPECT_EQ(v.flags.value.text, "-5");
    EXPECT_EQ(v.version.value.text, "2117");
    EXPECT_EQ(v.bbox.cell(0, 0).text, "-10");
    EXPECT_EQ(v.bbox.cell(2, 1).text, "30");
    EXPECT_EQ(v.max_radius.value.text, "25.5");
}

TEST_F(HeaderViewer, MomentOfInertiaAppearsRowByRowInFileOrder) {
    auto& v = open(2117);
    std::string cells;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) cells += v.inertia.cell(r, c).text;
    }
    EXPECT_EQ(cells, "123456789");
    EXPECT_EQ(v.inertia.columns[1]->text, "(0,1)");
    EXPECT_EQ(v.inertia.rows[1]->text, "(1,0)");
    EXPECT_EQ(v.mass.value.text, "1500");
    EXPECT_EQ(v.center.cell(2, 0).text, "1E-05");
}

TEST_F(HeaderViewer, ThreeCrossSectionsAndOneLight) {
    auto& v = open(2117, {.cross_sections = 3, .lights = 1});
    EXPECT_TRUE(v.sections_group.enabled);
    EXPECT_TRUE(v.sections.enabled);
    EXPECT_EQ(v.sections.rows,
              (std::vector<std::string>{"Cross Section 0", "Cross Section 1", "Cross Section 2"}));
    EXPECT_EQ(v.sections.selected, 0);
    EXPECT_EQ(v.depth.value.text, "0");
    EXPECT_EQ(v.radius.value.text, "0.5");
    v.sections.choose(2);
    EXPECT_EQ(v.depth.value.text, "20");
    EXPECT_EQ(v.radius.value.text, "2.5");

    EXPECT_FALSE(v.lights.enabled) << "a single light cannot be changed";
    EXPECT_EQ(v.lights.rows, std::vector<std::string>{"Light 0"});
    EXPECT_EQ(v.lights.selected, 0);
    EXPECT_EQ(v.light_count.value.text, "1");
    EXPECT_EQ(v.light_type.value.text, "1");
    EXPECT_EQ(v.location.cell(1, 0).text, "1");
    EXPECT_TRUE(v.light_type.caption.enabled);
    EXPECT_TRUE(v.location.columns[0]->enabled);
}

TEST_F(HeaderViewer, Version2010HasLightsButNoCrossSections) {
    auto& v = open(2010, {.lights = 2});
    EXPECT_FALSE(v.sections_group.enabled);
    EXPECT_FALSE(v.section_count.caption.enabled);
    EXPECT_FALSE(v.sections.enabled);
    EXPECT_FALSE(v.depth.caption.enabled);
    EXPECT_EQ(v.section_count.value.text, "");
    EXPECT_TRUE(v.sections.rows.empty());
    EXPECT_TRUE(v.lights_group.enabled);
    EXPECT_TRUE(v.lights.enabled);
    EXPECT_EQ(v.lights.rows.size(), 2u);
    v.lights.choose(1);
    EXPECT_EQ(v.location.cell(0, 0).text, "1");
    EXPECT_EQ(v.light_type.value.text, "2");
}

TEST_F(HeaderViewer, Version1900BlanksMassAndDisablesBothListGroups) {
    // A newer file first, so stale mass properties sit in the record.
    s.read(PofBuilder(2117).chunk("HDR2", testing_pof::header_body(2117)).str());
    auto& v = open(1900);
    EXPECT_EQ(v.mass.value.text, "");
    EXPECT_EQ(v.center.cell(0, 0).text, "");
    EXPECT_EQ(v.inertia.cell(1, 1).text, "");
    EXPECT_FALSE(v.lights_group.enabled);
    EXPECT_FALSE(v.sections_group.enabled);
    EXPECT_EQ(v.light_count.value.text, "");
    EXPECT_FALSE(v.light_type.caption.enabled);
    EXPECT_FALSE(v.location.rows[0]->enabled);
}

TEST_F(HeaderViewer, NoLightsAndNoCrossSectionsDisableTheirValueCaptions) {
    auto& v = open(2117, {.cross_sections = 0, .lights = -1});
    EXPECT_TRUE(v.sections_group.enabled);
    EXPECT_EQ(v.section_count.value.text, "0");
    EXPECT_TRUE(v.sections.rows.empty());
    EXPECT_EQ(v.sections.selected, -1);
    EXPECT_FALSE(v.sections.enabled);
    EXPECT_FALSE(v.depth.caption.enabled);
    EXPECT_FALSE(v.radius.caption.enabled);
    EXPECT_EQ(v.depth.value.text, "");
    EXPECT_EQ(v.light_count.value.text, "-1");
    EXPECT_FALSE(v.light_type.caption.enabled);
    EXPECT_FALSE(v.location.columns[0]->enabled);
    EXPECT_TRUE(v.lights_group.enabled);
}

TEST_F(HeaderViewer, TitleFollowsTheFileVersion) {
    open(2117);
    EXPECT_EQ(s.viewer("frmOHDR")->title, "HDR2 record data");
    Session old;
    old.read(PofBuilder(2014).chunk("HDR2", testing_pof::header_body(2014)).str());
    old.form.menu_command("IDM_OHDR");
    EXPECT_EQ(old.viewer("frmOHDR")->title, "OHDR record");
}

}  // namespace
