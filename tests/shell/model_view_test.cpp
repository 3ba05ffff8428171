// The View menu, the Model View window and "show me this item" between it and the windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "scene/frmModelView.h"
#include "session.h"
#include "shell/show_item.h"
#include "ship_model.h"
#include "temp_file.h"
#include "view/window_text.h"

namespace {

using pof::RecordEntry;
using scene::frmModelView;

struct ModelSession : testing_pof::Session {
    ModelSession() = default;
    frmModelView* model_view() {
        return static_cast<frmModelView*>(windows.find(frmModelView::kName));
    }
    int item_of(const pof::ItemRef& ref) {
        for (int id = 0; id < model_view()->item_count(); ++id)
            if (*model_view()->item_ref(id) == ref) return id;
        return -1;
    }
    std::vector<int> selected(std::string_view window) {
        std::vector<int> rows;
        for (view::Control* list : view::lists_of(windows.find(window)->layout())) {
            rows.push_back(list->kind() == view::Kind::DropDown
                               ? static_cast<view::DropDown*>(list)->selected
                               : static_cast<view::Table*>(list)->selected);
        }
        return rows;
    }
};

TEST(ViewMenu, ComesWithTheHeaderAndGoesWithEveryReset) {
    ModelSession s;
    EXPECT_EQ(s.form.menus()[2].name, "IDM_VIEW");
    EXPECT_FALSE(s.entry_enabled("IDM_MODEL_VIEW"));
    s.read(testing_pof::every_chunk_model());
    EXPECT_TRUE(s.entry_enabled("IDM_MODEL_VIEW"));
    s.form.menu_command("IDM_MODEL_VIEW");
    s.form.show_viewer(RecordEntry::SOBJ);
    ASSERT_NE(s.model_view(), nullptr);
    EXPECT_EQ(s.model_view()->title, "Model View");
    s.windows.log.clear();
    s.read("not a model");
    EXPECT_FALSE(s.entry_enabled("IDM_MODEL_VIEW"));
    EXPECT_EQ(s.model_view(), nullptr);
    EXPECT_EQ(s.windows.log.back(), "close frmModelView");
}

TEST(ShowItem, ChoosesTheRowsThatShowAMarker) {
    ModelSession s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_MODEL_VIEW");
    const pof::ItemRef gun{RecordEntry::GPNT, {{1, 1, false}, {2, 0, false}}};
    const int id = s.item_of(gun);
    ASSERT_GE(id, 0);
    EXPECT_EQ(s.model_view()->describe(id), "GPNT · Slot 1 · Gun 0 · (1, 0, 1.5)");
    shell::show_item(s.form, s.windows, gun);
    EXPECT_EQ(s.selected("frmGPNT"), (std::vector<int>{1, 0}));
    EXPECT_EQ(s.model_view()->highlighted(), id);
}

// A polygon is shown by its subobject, then a double-click on its block row: the block's
// window opens and becomes the current one.
TEST(ShowItem, OpensThePolygonsBlockWindow) {
    ModelSession s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_MODEL_VIEW");
    const auto& mesh = s.model_view()->scene().meshes.back();
    ASSERT_FALSE(mesh.polygons.empty());
    const pof::ItemRef polygon = mesh.ref_of(mesh.polygons[0]);
    shell::show_item(s.form, s.windows, polygon);
    EXPECT_EQ(s.selected("frmSOBJ"),
              (std::vector<int>{polygon.choices[0].row, polygon.choices[1].row}));
    EXPECT_EQ(s.windows.front(), "frmFLATPOLY");  // subobject 0 starts with its flat polygon
    EXPECT_EQ(*s.model_view()->item_ref(s.model_view()->highlighted()), polygon);
}

// Each case makes its choices in order, in one session, so a window keeps what the cases
// before chose: the list chosen last decides what a shield, insignia or path window shows.
TEST(ModelView, FollowsTheChoicesOfTheWindows) {
    struct Case {
        RecordEntry window;
        std::vector<std::pair<int, int>> choices;  // list, row
        const char* status;                        // names what is outlined
    };
    const Case cases[] = {
        {RecordEntry::TGUN, {{1, 0}, {2, 1}}, "TGUN · Bank 0 · Point 1 · (0, 1, 2)"},
        {RecordEntry::GPNT, {{1, 1}}, "GPNT · Slot 1 · Gun 0 · (1, 0, 1.5)"},
        {RecordEntry::SHLD, {{2, 2}}, "SHLD · Face 2 · (0, 0.3333333, 0.3333333)"},
        {RecordEntry::SHLD, {{1, 3}}, "SHLD · Vertex 3 · (0, 0, 1)"},
        {RecordEntry::SHLD, {{2, 3}}, "SHLD · Face 3 · (0.3333333, 0.3333333, 0.3333333)"},
        {RecordEntry::INSG, {{2, 2}}, "INSG · Insignia 0 · Vertex 2 · (1, 1, 0)"},
        {RecordEntry::INSG, {{3, 1}}, "INSG · Insignia 0 · Face 1 · (0.3333333, 0.6666667, 0)"},
        {RecordEntry::PATH, {{2, 1}}, "PATH · Path 0 · Vertex 1 · (4, 5, 6)"},
        // Vertex 0's turrets name subobjects 1 and 0. Subobject 0 is outlined by its box;
        // subobject 1 is debris, not drawn at detail level 0, so the path vertex stands in.
        {RecordEntry::PATH, {{2, 0}, {3, 1}}, "OBJ2 · subObject 0 · (0, 0, 0) to (2, 4, 6)"},
        {RecordEntry::PATH, {{3, 0}}, "PATH · Path 0 · Vertex 0 · (1, 2, 3)"},
        // A glow bank lights its points together; a point alone once it is chosen.
        {RecordEntry::GLOW, {{1, 0}}, "GLOW · Bank 0"},
        {RecordEntry::GLOW, {{2, 1}}, "GLOW · Bank 0 · Point 1 · (0, 1, 3)"},
    };
    ModelSession s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_MODEL_VIEW");
    for (const Case& c : cases) {
        const std::string_view name = pof::kind_of(c.window).viewer;
        s.form.show_viewer(c.window);
        const auto lists = view::lists_of(s.windows.find(name)->layout());
        for (const auto& [list, row] : c.choices)
            static_cast<view::DropDown*>(lists[list - 1])->choose(row);
        s.form.window_changed(name);
        EXPECT_EQ(s.model_view()->status.text, c.status) << name;
        EXPECT_FALSE(s.model_view()->highlight().positions.empty()) << c.status;
    }
}

// The status line names the item under the pointer, else the one chosen in a window; a file
// of SOBJ chunks has its subobjects named SOBJ, one of OBJ2 chunks OBJ2.
TEST(ModelView, StatusFallsBackToTheChosenItemAndNamesTheChunkAsTheFileDoes) {
    for (const auto& [version, id] : {std::pair{2014, "SOBJ"}, {2117, "OBJ2"}}) {
        ModelSession s;
        s.read(testing_pof::every_chunk_model(version));
        s.form.menu_command("IDM_MODEL_VIEW");
        frmModelView& v = *s.model_view();
        s.form.show_viewer(RecordEntry::GPNT);
        static_cast<view::DropDown*>(view::lists_of(s.windows.find("frmGPNT")->layout())[0])
            ->choose(1);
        s.form.window_changed("frmGPNT");
        const std::string chosen = "GPNT · Slot 1 · Gun 0 · (1, 0, 1.5)";
        EXPECT_EQ(v.status.text, chosen);
        const int polygon = static_cast<int>(v.scene().markers.size());
        ASSERT_LT(polygon, v.item_count());
        v.hover(polygon);
        EXPECT_EQ(v.status.text.rfind(std::string(id) + " · subObject 0 · Block ", 0), 0u)
            << v.status.text;
        v.hover(-1);
        EXPECT_EQ(v.status.text, chosen);
    }
}

// The left-out line leads to the Model Check, which says where each left-out item is.
TEST(ModelView, TheLeftOutLineOpensTheModelCheck) {
    ModelSession s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_MODEL_VIEW");
    EXPECT_EQ(s.model_view()->left_out.text, "");  // nothing left out: no line
    ASSERT_TRUE(s.model_view()->left_out.on_click);
    s.model_view()->left_out.on_click();
    EXPECT_NE(s.windows.find("frmModelCheck"), nullptr);
}

TEST(ModelView, AGlowBankOutlinesEachOfItsPoints) {
    ModelSession s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_MODEL_VIEW");
    s.form.show_viewer(RecordEntry::GLOW);
    static_cast<view::DropDown*>(view::lists_of(s.windows.find("frmGLOW")->layout())[0])->choose(0);
    s.form.window_changed("frmGLOW");
    const auto ids = s.model_view()->highlight().ids;
    const std::set<int> outlined(ids.begin(), ids.end());
    const std::set<int> points{s.item_of({RecordEntry::GLOW, {{1, 0, false}, {2, 0, false}}}),
                               s.item_of({RecordEntry::GLOW, {{1, 0, false}, {2, 1, false}}})};
    EXPECT_EQ(outlined, points);
}

// The Shield tree layer draws the leaves of the tree the game reads (SLDC below 2200, SLC2 from
// it on): a leaf's box and each of its faces. Choosing a leaf lights its box and its faces; a
// split has no marker of its own.
TEST(ModelView, TheShieldTreeLayerDrawsTheTreeTheGameReads) {
    const auto tree_file = [](std::int32_t version) {
        using testing_pof::shield_tree_body;
        return testing_pof::PofBuilder(version)
            .chunk("HDR2", testing_pof::header_body(version))
            .chunk("SHLD", testing_pof::closed_shield_body())
            .chunk("SLDC", testing_pof::closed_shield_tree(1))
            .chunk("SLC2", shield_tree_body(4, {{.faces = {3}}}))
            .str();
    };
    const auto tree_markers = [](ModelSession& s) {
        std::vector<pof::ItemRef> refs;
        for (int id = 0; id < s.model_view()->item_count(); ++id) {
            const auto ref = *s.model_view()->item_ref(id);
            if (ref.entry == RecordEntry::SLDC || ref.entry == RecordEntry::SLC2)
                refs.push_back(ref);
        }
        return refs;
    };
    ModelSession old;
    old.read(tree_file(2117));
    old.form.menu_command("IDM_MODEL_VIEW");
    const auto e = RecordEntry::SLDC;
    EXPECT_EQ(tree_markers(old), (std::vector<pof::ItemRef>{{e, {{1, 1, false}, {2, 0, false}}},
                                                            {e, {{1, 1, false}, {2, 0, false}}},
                                                            {e, {{1, 1, false}, {2, 1, false}}},
                                                            {e, {{1, 2, false}, {2, 0, false}}},
                                                            {e, {{1, 2, false}, {2, 0, false}}},
                                                            {e, {{1, 2, false}, {2, 1, false}}}}));
    old.form.show_viewer(RecordEntry::SLDC);
    static_cast<view::Table*>(view::lists_of(old.windows.find("frmSLDC")->layout())[0])->click(2);
    old.form.window_changed("frmSLDC");
    const auto ids = old.model_view()->highlight().ids;
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), 3u) << "the box and two faces";

    ModelSession now;
    now.read(tree_file(2200));
    now.form.menu_command("IDM_MODEL_VIEW");
    const auto t = RecordEntry::SLC2;
    EXPECT_EQ(tree_markers(now), (std::vector<pof::ItemRef>{{t, {{1, 0, false}, {2, 0, false}}},
                                                            {t, {{1, 0, false}, {2, 0, false}}}}));
}

// Block windows are read through the subobject window: the vertex chosen in DEFPOINTS is
// marked where it sits in the model, the polygon whose block is open is outlined.
TEST(ModelView, FollowsTheBlockWindowsThroughTheSubobjectWindow) {
    ModelSession s;
    s.read(testing_pof::ship_model());
    s.form.menu_command("IDM_MODEL_VIEW");
    s.form.show_viewer(RecordEntry::SOBJ);
    auto sobj = view::lists_of(s.windows.find("frmSOBJ")->layout());
    static_cast<view::DropDown*>(sobj[0])->choose(1);  // the turret, placed at (0, 4.2, 2)
    static_cast<view::Table*>(sobj[1])->double_click(0);
    auto vertices = view::lists_of(s.windows.find("frmDEFPOINTS")->layout());
    static_cast<view::DropDown*>(vertices[0])->choose(7);  // its corner (1.5, 2, 1.5)
    s.form.window_changed("frmDEFPOINTS");
    ASSERT_TRUE(s.model_view()->highlighted_point());
    EXPECT_EQ(*s.model_view()->highlighted_point(), (pof::Vec3{1.5f, 6.2f, 3.5f}));
    EXPECT_EQ(s.model_view()->status.text,
              "OBJ2 · subObject 1 · DEFPOINTS · Vertex 7 · (1.5, 6.2, 3.5)");

    static_cast<view::Table*>(sobj[1])->double_click(3);
    s.form.window_changed("frmTMAPPOLY");
    const int lit = s.model_view()->highlighted();
    ASSERT_GE(lit, 0);
    EXPECT_EQ(*s.model_view()->item_ref(lit),
              (pof::ItemRef{RecordEntry::SOBJ, {{1, 1, false}, {2, 3, true}}}));
}

TEST(ModelView, TogglesMarkersAndChoosesDetailLevels) {
    ModelSession s;
    s.read(testing_pof::every_chunk_model());
    s.form.menu_command("IDM_MODEL_VIEW");
    frmModelView& v = *s.model_view();
    EXPECT_FALSE(v.shown(scene::MarkerKind::Shield));
    v.markers.double_click(static_cast<int>(scene::MarkerKind::Shield));
    EXPECT_TRUE(v.shown(scene::MarkerKind::Shield));
    EXPECT_TRUE(v.markers.checks[static_cast<int>(scene::MarkerKind::Shield)]);
    const auto revision = v.scene_revision;
    v.levels.choose(static_cast<int>(v.levels.rows.size()) - 1);
    EXPECT_EQ(v.detail_level(), scene::SceneOptions::kAllSubobjects);
    EXPECT_EQ(v.scene_revision, revision + 1);

    // A subobject hidden by its check box leaves the scene's counts, and comes back to them.
    const std::vector<std::string> all{v.subobjects.value.text, v.polygons.value.text,
                                       v.triangles.value.text};
    ASSERT_GE(v.subobject_list.row_count(), 2u);
    const std::string polygons = v.subobject_list.cell(0, 2);
    v.subobject_list.check(0);
    EXPECT_EQ(v.subobjects.value.text, std::to_string(std::stoi(all[0]) - 1));
    EXPECT_EQ(v.polygons.value.text, std::to_string(std::stoi(all[1]) - std::stoi(polygons)));
    EXPECT_LT(std::stoi(v.triangles.value.text), std::stoi(all[2]));
    v.subobject_list.check(0);
    EXPECT_EQ((std::vector<std::string>{v.subobjects.value.text, v.polygons.value.text,
                                        v.triangles.value.text}),
              all);
}

// A choice made before the Model View opens is outlined once it opens, and a choice outlives
// a change of detail level: said to be not drawn where the level leaves its subobject out.
TEST(ModelView, KeepsTheChoiceMadeBeforeItOpenedAndAcrossDetailLevels) {
    ModelSession s;
    s.read(testing_pof::ship_model());
    s.form.show_viewer(RecordEntry::GPNT);
    static_cast<view::DropDown*>(view::lists_of(s.windows.find("frmGPNT")->layout())[1])->choose(1);
    s.form.window_changed("frmGPNT");
    s.form.menu_command("IDM_MODEL_VIEW");
    frmModelView& v = *s.model_view();
    EXPECT_EQ(v.status.text, "GPNT · Slot 0 · Gun 1 · (3, -1.5, 15)");
    v.levels.choose(1);
    EXPECT_EQ(v.status.text, "GPNT · Slot 0 · Gun 1 · (3, -1.5, 15)");
    EXPECT_FALSE(v.highlight().positions.empty());

    s.form.show_viewer(RecordEntry::SOBJ);
    auto sobj = view::lists_of(s.windows.find("frmSOBJ")->layout());
    static_cast<view::DropDown*>(sobj[0])->choose(1);  // the turret, on the hull of level 0
    static_cast<view::Table*>(sobj[1])->double_click(0);
    static_cast<view::DropDown*>(view::lists_of(s.windows.find("frmDEFPOINTS")->layout())[0])
        ->choose(7);
    s.form.window_changed("frmDEFPOINTS");
    EXPECT_EQ(v.status.text,
              "OBJ2 · subObject 1 · DEFPOINTS · Vertex 7 · not drawn at detail level 1");
    EXPECT_TRUE(v.highlight().positions.empty());
    v.levels.choose(0);
    EXPECT_EQ(v.status.text, "OBJ2 · subObject 1 · DEFPOINTS · Vertex 7 · (1.5, 6.2, 3.5)");
    // The model's box is named by the header chunk the file has, and by both corners.
    const auto& markers = v.scene().markers;
    const auto box = std::find_if(markers.begin(), markers.end(), [](const scene::Marker& m) {
        return m.kind == scene::MarkerKind::HeaderBox;
    });
    ASSERT_NE(box, markers.end());
    EXPECT_EQ(v.describe(static_cast<int>(box - markers.begin())),
              "HDR2 · (-6, -6, -20) to (6, 8, 22)");
}

// F5 and the Texture Folders dialog open every window again where it stood, showing what it
// showed: its rows, and the Model View's level, layers, hidden subobjects and choice.
TEST(ModelView, ReloadAndTextureFoldersKeepEveryWindowAndChoice) {
    ModelSession s;
    const testing_pof::TempFile file{testing_pof::ship_model()};
    s.form.open_file(file.path());
    s.form.show_viewer(RecordEntry::SOBJ);
    auto sobj = view::lists_of(s.windows.find("frmSOBJ")->layout());
    static_cast<view::DropDown*>(sobj[0])->choose(1);
    static_cast<view::Table*>(sobj[1])->double_click(0);
    static_cast<view::DropDown*>(view::lists_of(s.windows.find("frmDEFPOINTS")->layout())[0])
        ->choose(7);
    s.form.window_changed("frmDEFPOINTS");
    s.form.show_viewer(RecordEntry::TXTR);
    s.form.menu_command("IDM_MODEL_VIEW");
    s.model_view()->markers.check(static_cast<int>(scene::MarkerKind::Shield));
    s.model_view()->subobject_list.check(1);
    const auto shown = [&s] {
        std::map<std::string, std::string> texts;
        for (const auto& w : s.windows.open) texts[w.place] = view::viewer_text(*w.viewer);
        return texts;
    };
    for (auto& w : s.windows.open) w.place = w.viewer->name() + " at its place";
    const auto before = shown();
    ASSERT_EQ(before.size(), 4u);
    EXPECT_EQ(s.model_view()->status.text,
              "OBJ2 · subObject 1 · DEFPOINTS · Vertex 7 · (1.5, 6.2, 3.5)");
    EXPECT_EQ(s.form.reload("frmTXTR"), pof::ReadOutcome::Clean);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(s.windows.front(), "frmTXTR");
    s.desktop.next_folders = std::vector<std::string>{};  // OK without a change
    s.form.choose_texture_folders();
    EXPECT_EQ(shown(), before);
}

}  // namespace
