#include <gtest/gtest.h>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "session.h"

namespace {

using testing_pof::PofBuilder;
using testing_pof::Session;

TEST(ClrData, ANewFileWithoutAChunkTypeDisablesItsEntryAndClosesItsViewer) {
    Session s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_TXTR");
    s.form.record_list().click(1);
    ASSERT_NE(s.viewer("frmTXTR"), nullptr);

    s.read(PofBuilder(2117).chunk("ACEN", testing_pof::acen_body(0, 0, 0)).str());
    EXPECT_FALSE(s.entry_enabled("IDM_TXTR"));
    EXPECT_EQ(s.viewer("frmTXTR"), nullptr);
    EXPECT_EQ(s.rows().size(), 1u);
    EXPECT_EQ(s.store.txtr.texture_count, 0);
}

TEST(ClrData, EmptiesTheMainWindowAndClosesViewersInOrder) {
    Session s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_ACEN");
    s.form.menu_command("IDM_TXTR");
    s.form.menu_command("IDM_OHDR");
    s.form.set_file_label("old.pof");
    s.store.current_subobject = 4;
    s.windows.log.clear();

    pof::clr_data(s.store, s.form);
    EXPECT_EQ(s.form.file_label().text, "");
    EXPECT_TRUE(s.rows().empty());
    EXPECT_FALSE(s.form.menus()[1].enabled);
    EXPECT_TRUE(s.form.find_entry("IDM_CLOSE_ALL")->enabled);
    EXPECT_EQ(s.store.current_subobject, 0);
    // The header before TXTR before ACEN, whatever order they were opened in.
    EXPECT_EQ(s.windows.log,
              (std::vector<std::string>{"close frmOHDR", "close frmTXTR", "close frmACEN"}));
}

TEST(ClrData, SharedEntryCaptionsSurviveTheReset) {
    Session s;
    s.read(PofBuilder(2117).chunk("HDR2", testing_pof::header_body(2117)).str());
    pof::clr_data(s.store, s.form);
    EXPECT_EQ(s.caption("IDM_OHDR"), "HDR2 Record");
    EXPECT_FALSE(s.form.find_entry("IDM_OHDR")->enabled);
}

}  // namespace
