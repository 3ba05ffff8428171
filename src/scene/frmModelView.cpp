#include "scene/frmModelView.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "io/text.h"
#include "scene/build_scene.h"
#include "scene/item_words.h"
#include "scene/markers.h"
#include "scene/picture.h"
#include "scene/scene_words.h"
#include "view/window_text.h"

namespace scene {

namespace {

using pof::integer_text;
using pof::RecordEntry;

// The kind whose window it is, and the lists of it that name the item chosen (the kinds table's
// item lists).
struct ItemLists {
    RecordEntry entry;
    std::span<const int> lists;
};

// The drop-down list of the window chosen last (from 1, in layout order), 0 for none.
int last_chosen_list(const view::Viewer& window) {
    int list = 0, last = 0;
    std::uint64_t newest = 0;
    for (const view::Control* c : view::controls_of(window.layout())) {
        if (c->kind() == view::Kind::Table) ++list;
        if (c->kind() != view::Kind::DropDown) continue;
        ++list;
        const auto stamp = static_cast<const view::DropDown&>(*c).chosen_stamp;
        if (stamp > newest) {
            newest = stamp;
            last = list;
        }
    }
    return last;
}

std::optional<ItemLists> item_lists(const view::Viewer& window) {
    for (const pof::ChunkKind& kind : pof::chunk_kinds()) {
        if (kind.viewer != window.name() || kind.items[0].size < 0) continue;
        const int last = last_chosen_list(window);
        for (const pof::ItemLists& item : kind.items) {
            const auto lists = item.chosen();
            if (!lists.empty() && lists.back() == last) return ItemLists{kind.entry, lists};
        }
        return ItemLists{kind.entry, kind.items[0].chosen()};
    }
    return std::nullopt;
}

int selected_of(const view::Control& list) {
    if (list.kind() == view::Kind::DropDown)
        return static_cast<const view::DropDown&>(list).selected;
    return static_cast<const view::Table&>(list).selected;
}

// The chosen row of each drop-down list and list view, in layout order.
std::vector<int> chosen_rows(const view::Viewer& window) {
    std::vector<int> rows;
    for (const view::Control* c : view::controls_of(window.layout())) {
        if (c->kind() == view::Kind::DropDown || c->kind() == view::Kind::Table)
            rows.push_back(selected_of(*c));
    }
    return rows;
}

std::string point_text(const pof::Vec3& p) {
    return "(" + pof::float_text(p.x) + ", " + pof::float_text(p.y) + ", " + pof::float_text(p.z) +
           ")";
}

void set_count(view::Field& field, std::int64_t count) {
    field.value.text = integer_text(count);
}

view::Table::Swatch swatch(const std::array<float, 3>& colour) {
    view::Table::Swatch out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<std::uint8_t>(std::clamp(colour[i], 0.0f, 1.0f) * 255 + 0.5f);
    }
    return out;
}

// How the file names its subobject chunks: the ID of the first one read (OBJ2 or SOBJ).
std::string subobject_chunk_id(const pof::ModelStore& store) {
    for (const records::ChunkFact& chunk : store.chunks) {
        if (chunk.subobject) return chunk.id;
    }
    return {};
}

std::string header_chunk_id(const pof::ModelStore& store) {
    for (const records::ChunkFact& chunk : store.chunks) {
        const pof::ChunkIdMatch match = pof::find_chunk_id(chunk.id);
        if (match.kind && match.kind->entry == RecordEntry::OHDR) return chunk.id;
    }
    return {};
}

std::string drawn_as(const Mesh& mesh) {
    if (mesh.debris) return "Debris";
    if (mesh.detail_level < 0) return "No detail level";
    return "Detail level " + integer_text(mesh.detail_level);
}

}  // namespace

frmModelView::frmModelView(const pof::ModelStore& store)
    : view::Viewer(std::string(kName), "Model View"), store_(store) {
    for (const auto& k : kMarkerKindInfo) shown_[static_cast<int>(k.kind)] = k.shown_by_default;
    markers.on_double_click = [this](int row) {
        if (row < kMarkerKinds) {
            toggle(kMarkerKindInfo[row].kind);
        } else {
            toggle_other();
        }
    };
    markers.on_check = markers.on_double_click;
    subobject_list.on_double_click = [this](int row) { toggle_mesh(row); };
    subobject_list.on_check = subobject_list.on_double_click;
    group(counts_group, {&subobjects, &polygons, &triangles});
    left_out.on_click = [this] {
        if (on_open_check) on_open_check();
    };
    textures.on_click = [this](int row) {
        choice_ = {Choice::Kind::Texture, {}, false, {}, {}, row};
        show_choice();
    };
    panel_ = column({&markers, &subobject_list, &textures, &counts_group, &left_out});
    set_layout(column({&levels, panel_, &status}));
}

void frmModelView::opened() {
    title = view::model_title("Model View", store_.source.file_name());
    subobject_id_ = subobject_chunk_id(store_);
    header_id_ = header_chunk_id(store_);
    texture_list_ = std::make_unique<TextureList>(store_);
    list_textures();
    levels.clear();
    for (int i = 0; i < store_.ohdr.detail_level_rows(); ++i) {
        levels.rows.push_back("Detail level " + integer_text(i));
    }
    levels.rows.push_back("All subobjects");
    levels.enabled = levels.rows.size() > 1;
    levels.choose(0);
}

void frmModelView::level_chosen(int row) {
    const bool all = row + 1 == static_cast<int>(levels.rows.size());
    options_.detail_level = all ? SceneOptions::kAllSubobjects : row;
    rebuild();
}

// The other model at the detail level shown here, else at level 0 (under "All subobjects" too).
void frmModelView::build_other() {
    other_scene_ = {};
    if (!other_) return;
    SceneOptions options;
    if (options_.detail_level > 0 && options_.detail_level < other_->ohdr.detail_level_rows())
        options.detail_level = options_.detail_level;
    other_scene_ = build_scene(*other_, options);
}

void frmModelView::set_other_model(std::shared_ptr<const pof::ModelStore> other) {
    if (other == other_) return;  // a large picture is not made again for nothing
    other_ = std::move(other);
    build_other();
    repaint_picture();
    list_markers();
}

void frmModelView::toggle_other() {
    other_shown_ = !other_shown_;
    repaint_picture();
    list_markers();
}

void frmModelView::rebuild() {
    pick_tree_.reset();
    scene_ = build_scene(store_, options_);
    build_other();
    if (looking_up_) prepare_item_lookup();
    polygon_ids_.clear();
    for (std::size_t m = 0; m < scene_.meshes.size(); ++m) {
        for (std::size_t p = 0; p < scene_.meshes[m].polygons.size(); ++p)
            polygon_ids_.emplace_back(static_cast<int>(m), static_cast<int>(p));
    }
    picture_options_.meshes_shown.assign(scene_.meshes.size(), true);
    picture_options_.tint_subobjects = options_.detail_level == SceneOptions::kAllSubobjects;
    show_choice();
    repaint_picture();
    show_counts();
    list_markers();
    list_subobjects();
}

void frmModelView::repaint_picture() {
    picture_ = make_picture(scene_, shown_, picture_options_);
    if (other_ && other_shown_) picture_.ghost = ghost_batches(other_scene_);
    if (texture_list_) {
        texture_list_->share_files(picture_.solids);
        picture_.textures = texture_list_->loaders();
    }
    ++scene_revision;
}

// Built once the first frame is on the screen (the binding asks then), so the first frame does
// not wait for it; a tenth of a second for a million triangles, long before the pointer rests.
void frmModelView::prepare_item_lookup() {
    looking_up_ = true;
    if (!pick_tree_) pick_tree_.emplace(scene_);
}

const PickTree& frmModelView::pick_tree() {
    prepare_item_lookup();
    return *pick_tree_;
}

std::optional<int> frmModelView::item_at(const view::PickRequest& request) {
    return pick_tree().item_at(scene_, shown_, picture_options_, request);
}

view::MarkerShapes frmModelView::marker_shapes() const {
    return picture_.shapes.size() > 0 ? picture_.shapes : scene::marker_shapes(scene_, shown_);
}

void frmModelView::set_selection_words(std::string words) {
    selection_words_ = std::move(words);
    status.text = selection_words_;
}

// A subobject hidden in the subobject list counts for nothing.
void frmModelView::show_counts() {
    const Counts& c = scene_.counts;
    std::int64_t drawn = c.subobjects_drawn, polygon_count = c.polygons,
                 triangle_count = c.triangles;
    for (std::size_t m = 0; m < scene_.meshes.size(); ++m) {
        if (mesh_shown(static_cast<int>(m))) continue;
        const Mesh& mesh = scene_.meshes[m];
        drawn -= 1;
        polygon_count -= static_cast<std::int64_t>(mesh.polygons.size());
        for (const Polygon& p : mesh.polygons)
            triangle_count -= static_cast<std::int64_t>(p.corner_count) - 2;
    }
    set_count(subobjects, drawn);
    set_count(polygons, polygon_count);
    set_count(triangles, triangle_count);
    left_out.text = left_out_text(scene_);
}

void frmModelView::list_markers() {
    const int selected = markers.selected;
    markers.clear();
    markers.checks.clear();
    markers.swatches.clear();
    const auto counts = count_texts(scene_);
    for (const auto& k : kMarkerKindInfo) {
        const int i = static_cast<int>(k.kind);
        markers.add_row({std::string(k.caption), counts[i]});
        markers.checks.push_back(shown_[i]);
        markers.swatches.push_back(swatch(k.colour));
    }
    if (other_) {
        const std::int64_t n = other_scene_.counts.polygons;
        markers.add_row(
            {"Show the other model", integer_text(n) + (n == 1 ? " polygon" : " polygons")});
        markers.checks.push_back(other_shown_);
        markers.swatches.push_back(swatch(kGhostTint));
    }
    markers.selected = selected;
}

void frmModelView::list_subobjects() {
    const int selected = subobject_list.selected;
    subobject_list.clear();
    subobject_list.checks = picture_options_.meshes_shown;
    subobject_list.swatches.clear();
    const std::size_t rows = scene_.meshes.size();
    subobject_list.set_source(rows, [this](std::size_t row) -> view::Table::Cells {
        const Mesh& mesh = scene_.meshes[row];
        return {pof::text8(mesh.name), drawn_as(mesh),
                integer_text(static_cast<std::int64_t>(mesh.polygons.size()))};
    });
    if (picture_options_.tint_subobjects) {
        for (const Mesh& mesh : scene_.meshes)
            subobject_list.swatches.push_back(swatch(mesh_tint(mesh)));
    }
    subobject_list.selected = selected < static_cast<int>(rows) ? selected : -1;
}

bool frmModelView::mesh_shown(int mesh) const {
    const auto& shown = picture_options_.meshes_shown;
    return mesh >= 0 && static_cast<std::size_t>(mesh) < shown.size() && shown[mesh];
}

void frmModelView::toggle_mesh(int mesh) {
    auto& shown = picture_options_.meshes_shown;
    if (mesh < 0 || static_cast<std::size_t>(mesh) >= shown.size()) return;
    shown[mesh] = !shown[mesh];
    repaint_picture();
    list_subobjects();
    show_counts();
}

frmModelView::Kept frmModelView::kept() const {
    Kept k{shown_, {}, choice_, other_shown_};
    for (std::size_t m = 0; m < scene_.meshes.size(); ++m) {
        if (!mesh_shown(static_cast<int>(m))) k.hidden.push_back(scene_.meshes[m].subobject);
    }
    return k;
}

void frmModelView::restore(const Kept& k) {
    shown_ = k.shown;
    auto& shown = picture_options_.meshes_shown;
    for (std::size_t m = 0; m < scene_.meshes.size() && m < shown.size(); ++m) {
        shown[m] = std::find(k.hidden.begin(), k.hidden.end(), scene_.meshes[m].subobject) ==
                   k.hidden.end();
    }
    choice_ = k.choice;
    other_shown_ = k.other_shown;
    show_choice();
    repaint_picture();
    list_markers();
    list_subobjects();
    show_counts();
}

std::string frmModelView::picture_file() const {
    const std::string& model =
        store_.source.member.empty() ? store_.source.path : store_.source.member;
    const std::size_t slash = model.find_last_of("/\\");
    std::string name = slash == std::string::npos ? model : model.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    if (name.empty()) name = "model";
    const std::string& beside = store_.source.path;
    const std::size_t folder_end = beside.rfind('/');
    const std::string folder =
        folder_end == std::string::npos ? std::string() : beside.substr(0, folder_end + 1);
    return folder + name + ".png";
}

view::LineBatch frmModelView::polygon_edges() const {
    return scene::polygon_edges(scene_, picture_options_);
}

void frmModelView::list_textures() {
    textures.set_source(texture_list_->size(),
                        [this](std::size_t row) { return texture_list_->cells(row); });
}

void frmModelView::texture_loaded(int number, const std::string& status) {
    if (!texture_list_) return;
    texture_list_->loaded(number, status);
    if (number >= 0) textures.row_changed(static_cast<std::size_t>(number));
}

// The polygons that use a texture, each outlined.
void frmModelView::highlight_texture(int texture) {
    for (std::size_t i = 0; i < polygon_ids_.size(); ++i) {
        const auto [m, p] = polygon_ids_[i];
        const Polygon& polygon = scene_.meshes[m].polygons[p];
        if (polygon.textured && polygon.texture == texture) {
            highlighted_group_.push_back(static_cast<int>(scene_.markers.size() + i));
        }
    }
    if (!highlighted_group_.empty()) highlighted_ = highlighted_group_.front();
    point_words_ = item_words({RecordEntry::TXTR, {{1, texture, false}}}) + " · " +
                   integer_text(static_cast<std::int64_t>(highlighted_group_.size())) +
                   (highlighted_group_.size() == 1 ? " polygon" : " polygons");
}

void frmModelView::toggle(MarkerKind kind) {
    shown_[static_cast<int>(kind)] = !shown_[static_cast<int>(kind)];
    repaint_picture();
    list_markers();
}

view::LineBatch frmModelView::highlight() const {
    if (!highlighted_group_.empty()) {
        view::LineBatch lines;
        for (const int id : highlighted_group_) {
            const view::LineBatch one = item_outline(scene_, id);
            lines.positions.insert(lines.positions.end(), one.positions.begin(),
                                   one.positions.end());
            lines.colours.insert(lines.colours.end(), one.colours.begin(), one.colours.end());
            lines.ids.insert(lines.ids.end(), one.ids.begin(), one.ids.end());
        }
        return lines;
    }
    if (highlighted_ >= 0) return item_outline(scene_, highlighted_);
    if (highlighted_point_) return point_cross(scene_, *highlighted_point_);
    return {};
}

void frmModelView::item_clicked(int id) {
    const auto ref = item_ref(id);
    if (ref && on_show_item) on_show_item(*ref);
}

int frmModelView::item_count() const {
    return static_cast<int>(scene_.markers.size() + polygon_ids_.size());
}

std::optional<pof::ItemRef> frmModelView::item_ref(int id) const {
    const int markers_count = static_cast<int>(scene_.markers.size());
    if (id < 0 || id >= item_count()) return std::nullopt;
    if (id < markers_count) return scene_.markers[id].ref.item_ref();
    const auto [m, p] = polygon_ids_[id - markers_count];
    return scene_.meshes[m].ref_of(scene_.meshes[m].polygons[p]);
}

std::string frmModelView::describe(int id) const {
    const auto ref = item_ref(id);
    if (!ref) return {};
    const int markers_count = static_cast<int>(scene_.markers.size());
    if (id < markers_count) {
        // A box is named by both its corners.
        const Marker& marker = scene_.markers[id];
        std::string where = point_text(marker.position);
        if (marker.kind == MarkerKind::HeaderBox || marker.kind == MarkerKind::SubobjectBox) {
            Bounds box;
            for (const pof::Vec3& p : scene_.segments_of(marker)) box.add(p);
            if (!box.empty) where = point_text(box.min) + " to " + point_text(box.max);
        }
        return words(*ref) + " · " + where;
    }
    const auto [m, p] = polygon_ids_[id - markers_count];
    const Polygon& polygon = scene_.meshes[m].polygons[p];
    return words(*ref) +
           (polygon.textured ? std::string(polygon.wide ? " · TMAP2POLY" : " · TMAPPOLY") +
                                   " · Texture " + integer_text(polygon.texture)
                             : std::string(" · FLATPOLY")) +
           " · " + integer_text(polygon.corner_count) + " vertices";
}

void frmModelView::hover(int id) {
    const std::string words = describe(id);
    status.text = words.empty() ? selection_words_ : words;
}

int frmModelView::find_item(const pof::ItemRef& ref) const {
    const int markers_count = static_cast<int>(scene_.markers.size());
    for (int id = 0; id < markers_count; ++id) {
        if (scene_.markers[id].ref.same_rows(ref)) return id;
    }
    const bool polygon = ref.entry == RecordEntry::SOBJ && ref.choices.size() == 2 &&
                         ref.choices[0].list == 1 && ref.choices[1].list == 2;
    if (!polygon) return -1;
    int id = markers_count;
    for (const Mesh& mesh : scene_.meshes) {
        for (const Polygon& p : mesh.polygons) {
            if (mesh.row == ref.choices[0].row && p.block_row == ref.choices[1].row) return id;
            ++id;
        }
    }
    return -1;
}

// The markers of the items ref holds (a glow bank's points).
std::vector<int> frmModelView::find_items_in(const pof::ItemRef& ref) const {
    std::vector<int> ids;
    const auto holds = [&ref](const MarkerRef& item) {
        if (item.entry() != ref.entry || item.size() <= ref.choices.size()) return false;
        for (std::size_t i = 0; i < ref.choices.size(); ++i) {
            if (item.list(i) != ref.choices[i].list || item.row(i) != ref.choices[i].row)
                return false;
        }
        return true;
    };
    for (int id = 0; id < static_cast<int>(scene_.markers.size()); ++id) {
        if (holds(scene_.markers[id].ref)) ids.push_back(id);
    }
    return ids;
}

void frmModelView::window_changed(const view::Viewer& window, view::Windows& windows) {
    choice_ = choice_of(window, windows);
    show_choice();
}

frmModelView::Choice frmModelView::choice_of(const view::Viewer& window, view::Windows& windows) {
    Choice choice;
    const std::string& name = window.name();
    const bool block_window = name == "frmFLATPOLY" || name == "frmTMAPPOLY" ||
                              name == "frmTMAP2POLY" || name == "frmDEFPOINTS";
    const view::Viewer* subobject_window = windows.find(pof::kind_of(RecordEntry::SOBJ).viewer);
    if (block_window && !subobject_window) return choice;
    const view::Viewer& source = block_window ? *subobject_window : window;
    const std::vector<int> rows = chosen_rows(source);
    if (name == "frmDEFPOINTS") {
        const std::vector<int> vertex = chosen_rows(window);
        if (rows.size() < 2 || vertex.empty() || vertex[0] < 0) return choice;
        return {Choice::Kind::Vertex, {}, false, rows, vertex, -1};
    }
    const std::optional<ItemLists> item = item_lists(source);
    if (!item) return choice;
    if (item->entry == RecordEntry::TXTR) {
        if (!rows.empty() && rows[0] >= 0)
            choice = {Choice::Kind::Texture, {}, false, {}, {}, rows[0]};
        return choice;
    }
    choice.ref.entry = item->entry;
    for (const int list : item->lists) {
        const int row = list <= static_cast<int>(rows.size()) ? rows[list - 1] : -1;
        if (row < 0) break;
        choice.ref.choices.push_back({list, row, false});
    }
    if (choice.ref.choices.empty()) return {};
    choice.kind = Choice::Kind::Item;
    choice.whole = choice.ref.choices.size() == item->lists.size();
    return choice;
}

void frmModelView::clear_highlight() {
    highlighted_ = -1;
    highlighted_group_.clear();
    highlighted_point_.reset();
    point_words_.clear();
}

void frmModelView::show_choice() {
    clear_highlight();
    switch (choice_.kind) {
        case Choice::Kind::None:
            break;
        case Choice::Kind::Item:
            highlight_item(choice_.ref, choice_.whole);
            break;
        case Choice::Kind::Vertex:
            highlight_vertex(choice_.subobject, choice_.vertex);
            break;
        case Choice::Kind::Texture:
            highlight_texture(choice_.texture);
            break;
    }
    std::string said =
        highlighted_ >= 0 && highlighted_group_.empty() ? describe(highlighted_) : point_words_;
    if (said.empty() && choice_.kind != Choice::Kind::None) {
        said = choice_.kind == Choice::Kind::Vertex
                   ? words({RecordEntry::SOBJ, {{1, choice_.subobject[0], false}}}) +
                         " · DEFPOINTS · Vertex " + integer_text(choice_.vertex[0])
                   : words(choice_.ref);
        said += options_.detail_level == SceneOptions::kAllSubobjects
                    ? " · not drawn"
                    : " · not drawn at detail level " + integer_text(options_.detail_level);
    }
    set_selection_words(std::move(said));
}

// The subobject chunk as the file names it, and the header chunk likewise.
std::string frmModelView::words(const pof::ItemRef& ref) const {
    if (ref.entry == RecordEntry::OHDR && !header_id_.empty())
        return header_id_ + item_words(ref).substr(kind_of(RecordEntry::OHDR).ids[0].id.size());
    return item_words(ref, subobject_id_);
}

void frmModelView::highlight_item(pof::ItemRef ref, bool whole) {
    if (whole && highlight_unmarked(ref)) return;
    // The innermost item chosen, else the items it holds (a glow bank's points), else the one
    // around it (a turret without firing points).
    for (; highlighted_ < 0 && !ref.choices.empty(); ref.choices.pop_back()) {
        highlighted_ = find_item(ref);
        if (highlighted_ >= 0) return;
        highlighted_group_ = find_items_in(ref);
        if (highlighted_group_.empty()) continue;
        highlighted_ = highlighted_group_.front();
        point_words_ = words(ref);
    }
}

// A vertex of the DEFPOINTS block chosen in the subobject window, where it sits.
void frmModelView::highlight_vertex(const std::vector<int>& subobject,
                                    const std::vector<int>& vertex) {
    if (subobject.size() < 2 || vertex.empty() || vertex[0] < 0) return;
    for (const Mesh& mesh : scene_.meshes) {
        if (mesh.row != subobject[0]) continue;
        const auto& blocks = mesh.vertex_blocks;
        const auto block = std::find_if(blocks.begin(), blocks.end(), [&](const VertexBlock& b) {
            return b.block_row == subobject[1];
        });
        if (block == blocks.end()) continue;
        const std::size_t end = block + 1 == blocks.end() ? mesh.vertices.size() : block[1].first;
        const std::size_t at = block->first + static_cast<std::size_t>(vertex[0]);
        if (at >= end) continue;
        highlighted_point_ = mesh.vertices[at] + mesh.placement;
        point_words_ = words(mesh.ref) + " · DEFPOINTS · Vertex " + integer_text(vertex[0]) +
                       " · " + point_text(*highlighted_point_);
    }
}

// Items without a marker of their own: a shield or insignia vertex is marked where it sits; a
// path vertex's turret is the box of the subobject it names, when that subobject is drawn.
bool frmModelView::highlight_unmarked(const pof::ItemRef& ref) {
    const auto& c = ref.choices;
    if (ref.entry == RecordEntry::PATH && c.size() == 3) {
        const std::int32_t number = store_.path.turret(c[0].row, c[1].row, c[2].row);
        for (const Mesh& mesh : scene_.meshes) {
            if (mesh.subobject == number) highlighted_ = find_item(mesh.ref);
        }
        return highlighted_ >= 0;
    }
    highlighted_point_ = unmarked_point(store_, ref);
    if (!highlighted_point_) return false;
    point_words_ = words(ref) + " · " + point_text(*highlighted_point_);
    return true;
}

}  // namespace scene
