#pragma once
// The Model View's logic: the detail-level chooser, the marker toggles with their counts, what
// the scene left out, and which item is highlighted. The binding draws the scene; it asks this
// class what an item id means and tells it which window's choice changed.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pof/global_data.h"
#include "scene/pick.h"
#include "scene/picture.h"
#include "scene/scene.h"
#include "scene/texture_list.h"
#include "view/desktop.h"
#include "view/picture.h"
#include "view/viewer.h"

namespace scene {

class frmModelView : public view::Viewer, public view::PictureSource {
  public:
    static constexpr std::string_view kName = "frmModelView";

    explicit frmModelView(const pof::ModelStore& store);
    void opened() override;

    view::DropDown levels{[this](int row) { level_chosen(row); }, "cboDetailLevels"};
    // Each marker kind with its check box, its colour and its count in units.
    view::Table markers{{{"Layer"}, {"Count"}}, "ListView1"};
    // Each drawn subobject with its check box and, under "All subobjects", its tint.
    view::Table subobject_list{{{"Subobject"}, {"Drawn as"}, {"Polygons"}}, "lvwSubobjects"};
    // Each TXTR name with the file found for it; a click lights the polygons that use it. The
    // format or the reason none was loaded takes the room left, each text whole in a tooltip.
    view::Table textures{{{"Texture"}, {"Name"}, {"File"}, {"Format", view::Table::Width::Fill}},
                         "lvwTextures"};
    view::Group counts_group{"Scene"};
    view::Field subobjects{"Subobjects drawn"}, polygons{"Polygons"}, triangles{"Triangles"};
    // What the scene left out, in one line; empty when nothing was. A click opens the Model
    // Check, which says where.
    view::Value left_out{"lblLeftOut"};
    // The item under the pointer, else the item chosen in a window.
    view::Value status{"lblStatus"};

    const Scene& scene() const { return scene_; }
    const records::TxtrRecord& texture_record() const { return store_.txtr; }
    // The detail level drawn; SceneOptions::kAllSubobjects for every subobject.
    int detail_level() const { return options_.detail_level; }
    bool shown(MarkerKind kind) const { return shown_[static_cast<int>(kind)]; }
    void toggle(MarkerKind kind);

    // Item ids: markers first, in scene order, then the polygons mesh by mesh.
    int item_count() const;
    std::optional<pof::ItemRef> item_ref(int id) const;
    // "GPNT · Slot 1 · Gun 0 · (1, 2, 3)"; empty for no item.
    std::string describe(int id) const;
    // The item under the pointer (-1 for none) named in the status line.
    void hover(int id);

    // A window's choice changed: highlight the item its chosen rows show, if the scene has
    // one. Block windows are read through the subobject window's choices.
    void window_changed(const view::Viewer& window, view::Windows& windows);
    int highlighted() const { return highlighted_; }
    // A point chosen in a window that the scene has no marker of (a DEFPOINTS, shield or
    // insignia vertex), placed in the model's frame.
    std::optional<pof::Vec3> highlighted_point() const { return highlighted_point_; }

    // Bumped each time the scene is rebuilt or a toggle changes what is drawn, so the
    // binding uploads the picture once per change.
    std::uint64_t scene_revision = 0;
    // Shows the windows' rows of a clicked item; set by the main window's side.
    std::function<void(const pof::ItemRef&)> on_show_item;
    // Opens the Model Check; set by the main window's side.
    std::function<void()> on_open_check;

    // What was chosen last in a window, kept as rows so that it is found again in every scene
    // the detail levels build: an item, a DEFPOINTS vertex (the subobject window's rows and
    // the block window's) or a texture.
    struct Choice {
        enum class Kind { None, Item, Vertex, Texture };
        Kind kind = Kind::None;
        pof::ItemRef ref;
        bool whole = false;  // a row is chosen in every list that names the item
        std::vector<int> subobject, vertex;
        int texture = -1;
    };
    // What F5 keeps of the window beyond its drop-down lists: the layers shown, the subobjects
    // hidden (by number) and the choice, found again in the model read anew.
    struct Kept {
        std::array<bool, kMarkerKinds> shown{};
        std::vector<std::int32_t> hidden;
        Choice choice;
        bool other_shown = false;
    };
    Kept kept() const;
    void restore(const Kept& kept);

    // The model a comparison is made with (null: none, or the comparison closed). While it
    // is set the layer list ends in "Show the other model", which draws its hull as a ghost.
    void set_other_model(std::shared_ptr<const pof::ModelStore> other);
    bool has_other_model() const { return other_ != nullptr; }
    bool other_shown() const { return other_shown_; }
    void toggle_other();

    bool mesh_shown(int mesh) const;
    void toggle_mesh(int mesh);

    // view::PictureSource
    const view::Picture& picture() const override { return picture_; }
    std::uint64_t picture_revision() const override { return scene_revision; }
    view::LineBatch highlight() const override;
    void item_hovered(int id) override { hover(id); }
    void item_clicked(int id) override;
    Parts parts() override { return {&levels, panel_, &status}; }
    view::LineBatch polygon_edges() const override;
    void texture_loaded(int number, const std::string& status) override;
    // Beside the model, named after it: ship.png for ship.pof (beside the archive for a
    // member of one).
    std::string picture_file() const override;
    std::optional<int> item_at(const view::PickRequest& request) override;
    void prepare_item_lookup() override;
    void picture_uploaded() override { picture_.shapes = {}; }
    view::MarkerShapes marker_shapes() const override;

  private:
    void level_chosen(int row);
    void rebuild();
    void build_other();
    void show_counts();
    void list_markers();
    void list_subobjects();
    void repaint_picture();
    void set_selection_words(std::string words);
    int find_item(const pof::ItemRef& ref) const;
    std::vector<int> find_items_in(const pof::ItemRef& ref) const;
    static Choice choice_of(const view::Viewer& window, view::Windows& windows);
    // Outlines the choice in the scene drawn now and names it in the status line, or says it
    // is not drawn.
    void show_choice();
    void clear_highlight();
    void highlight_item(pof::ItemRef ref, bool whole);
    void highlight_vertex(const std::vector<int>& subobject, const std::vector<int>& vertex);
    void highlight_texture(int texture);
    std::string words(const pof::ItemRef& ref) const;
    void list_textures();
    bool highlight_unmarked(const pof::ItemRef& ref);

    const pof::ModelStore& store_;
    SceneOptions options_;
    Scene scene_;
    std::array<bool, kMarkerKinds> shown_{};
    std::vector<std::pair<int, int>> polygon_ids_;  // (mesh, polygon) per polygon id
    Choice choice_;
    int highlighted_ = -1;
    std::vector<int> highlighted_group_;  // the markers of a chosen item that holds them
    std::optional<pof::Vec3> highlighted_point_;
    std::string point_words_;      // the status line's words for the highlighted point
    std::string selection_words_;  // the status line's words when the pointer names nothing
    std::string subobject_id_;     // "OBJ2" or "SOBJ", as the file names its subobject chunks
    std::string header_id_;        // "OHDR" or "HDR2", as the file names its header chunk
    PictureOptions picture_options_;
    view::Control* panel_ = nullptr;
    view::Picture picture_;
    std::unique_ptr<TextureList> texture_list_;
    // Built once per scene, when a binding first looks items up, and again with each scene
    // from then on.
    std::optional<PickTree> pick_tree_;
    bool looking_up_ = false;
    std::shared_ptr<const pof::ModelStore> other_;
    Scene other_scene_;  // the other model's hull, built with each scene of this one
    bool other_shown_ = false;
    const PickTree& pick_tree();
};

}  // namespace scene
