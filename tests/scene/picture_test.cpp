#include "scene/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "sample_textures.h"
#include "scene/build_scene.h"
#include "scene/render.h"
#include "scene/texture_list.h"
#include "scene_model.h"
#include "textures/decode.h"
#include "view/texture_pieces.h"

namespace {

using namespace scene_testing;

// A quad and a gun point: the quad is a fan of two triangles sharing its id, which comes
// after the markers'; a kind switched off draws nothing.
TEST(Picture, FansPolygonsAndNumbersItemsAsTheWindowDoes) {
    pof::ModelStore store;
    header(store, 1, {0});
    subobject(store, 0, -1, {0, 0, 10},
              Bytes()
                  .raw(defpoints({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}))
                  .raw(flatpoly({0, 1, 2, 3}, {255, 0, 0}))
                  .raw(eof()));
    store.gpnt.bank_count = 1;
    store.gpnt.point_counts = {1};
    store.gpnt.points.reset(1);
    store.gpnt.points.fill(0, 1)[0] = {{5, 5, 5}, {0, 0, 1}};
    const auto s = scene::build_scene(store, {});
    std::array<bool, scene::kMarkerKinds> shown{};
    shown[static_cast<int>(scene::MarkerKind::Gun)] = true;
    const auto picture = scene::make_picture(s, shown);

    ASSERT_EQ(picture.solids.size(), 1u);
    const int quad = static_cast<int>(s.markers.size());
    EXPECT_EQ(picture.solids[0].ids, (std::vector<int>{quad, quad}));
    EXPECT_EQ(picture.solids[0].positions,
              (std::vector<float>{0, 0, 10, 1, 0, 10, 1, 1, 10, 0, 0, 10, 1, 1, 10, 0, 1, 10}));
    EXPECT_EQ(picture.solids[0].colours[0], 255);
    ASSERT_EQ(picture.shapes.ids.size(), 1u);  // the gun; the subobject box is switched off
    EXPECT_EQ(s.markers[picture.shapes.ids[0]].kind, scene::MarkerKind::Gun);
    EXPECT_EQ(scene::item_outline(s, quad).ids.size(), 4u);  // the quad's four edges
}

// Fitting frames the drawn subobjects and the markers of the kinds shown; a far gun point
// that is switched off does not shrink the model to a dot.
TEST(Picture, FramesOnlyWhatIsShown) {
    pof::ModelStore store;
    header(store, 2, {0});
    subobject(store, 0, -1, {0, 0, 10},
              Bytes().raw(defpoints({{0, 0, 0}, {1, 2, 0}, {1, 0, 0}})).raw(eof()));
    subobject(store, 1, -1, {0, 0, 0},
              Bytes().raw(defpoints({{-50, -50, -50}, {0, 0, 0}, {0, 1, 0}})).raw(eof()));
    store.gpnt.bank_count = 1;
    store.gpnt.point_counts = {1};
    store.gpnt.points.reset(1);
    store.gpnt.points.fill(0, 1)[0] = {{900, 5, 5}, {0, 0, 1}};
    const auto s = scene::build_scene(store, {});  // detail level 0: subobject 0 alone
    std::array<bool, scene::kMarkerKinds> shown{};
    const auto off = scene::make_picture(s, shown);
    EXPECT_EQ(off.min, (std::array<float, 3>{0, 0, 10}));
    EXPECT_EQ(off.max, (std::array<float, 3>{1, 2, 10}));
    shown[static_cast<int>(scene::MarkerKind::Gun)] = true;
    EXPECT_EQ(scene::make_picture(s, shown).max, (std::array<float, 3>{900, 5, 10}));
    EXPECT_TRUE(scene::make_picture(scene::Scene{}, shown).empty());
}

// The wireframe draws a quad as its four stored edges, not the fan's diagonal; a hidden mesh
// keeps its ids for the meshes after it but draws nothing; a radius is a sphere of three
// rings, so it shows from every side.
TEST(Picture, WireframeHiddenMeshesAndRadiusSpheres) {
    pof::ModelStore store;
    header(store, 2, {0});
    const auto quad = [](float z) {
        return Bytes()
            .raw(defpoints({{0, 0, z}, {1, 0, z}, {1, 1, z}, {0, 1, z}}))
            .raw(flatpoly({0, 1, 2, 3}, {200, 100, 50}))
            .raw(eof());
    };
    subobject(store, 0, -1, {}, quad(0));
    subobject(store, 1, -1, {}, quad(5));
    auto s = scene::build_scene(store, {scene::SceneOptions::kAllSubobjects});
    ASSERT_EQ(s.meshes.size(), 2u);
    const int first = static_cast<int>(s.markers.size());
    const auto edges = scene::polygon_edges(s);
    EXPECT_EQ(edges.ids, (std::vector<int>{first, first, first, first, first + 1, first + 1,
                                           first + 1, first + 1}));
    EXPECT_EQ(std::vector<float>(edges.positions.begin(), edges.positions.begin() + 6),
              (std::vector<float>{0, 0, 0, 1, 0, 0}));

    scene::PictureOptions options;
    options.meshes_shown = {false, true};
    std::array<bool, scene::kMarkerKinds> shown{};
    const auto picture = scene::make_picture(s, shown, options);
    ASSERT_EQ(picture.solids.size(), 1u);
    EXPECT_EQ(picture.solids[0].ids, (std::vector<int>{first + 1, first + 1}));
    EXPECT_EQ(scene::polygon_edges(s, options).ids.size(), 4u);

    s.markers.push_back({scene::MarkerKind::Special, {0, 0, 0}, {}, 2, {}, {}});
    shown[static_cast<int>(scene::MarkerKind::Special)] = true;
    const auto special = scene::make_picture(s, shown);
    EXPECT_TRUE(special.lines.ids.empty());  // the sphere is a shape, not lines
    EXPECT_EQ(special.shapes.radii, (std::vector<float>{2}));
    std::array<float, 3> reach{};
    for (const auto& end : view::unit_sphere()) {
        for (int k = 0; k < 3; ++k) reach[k] = std::max(reach[k], end[k]);
    }
    EXPECT_EQ(reach, (std::array<float, 3>{1, 1, 1}));
}

// Under "All subobjects" each detail level past the first and the debris get tints of their
// own, on the colours and on the texture alike; level 0 keeps its colours.
TEST(Picture, TintsDetailLevelsAndDebrisApart) {
    scene::Mesh level0, level1, level2, debris;
    level1.detail_level = 1;
    level2.detail_level = 2;
    debris.debris = true;
    EXPECT_EQ(scene::mesh_tint(level0), (std::array<float, 3>{1, 1, 1}));
    const std::set<std::array<float, 3>> tints{scene::mesh_tint(level0), scene::mesh_tint(level1),
                                               scene::mesh_tint(level2), scene::mesh_tint(debris)};
    EXPECT_EQ(tints.size(), 4u);
}

// A marker's direction and sphere, drawn from the shared shapes, give the same pixels as the
// same lines stored whole, in the same order after the segments before them; a marker near
// the edge of float range keeps its point and loses the lines that overflow.
TEST(Picture, ShapesDrawAsTheLinesTheyStandFor) {
    scene::Scene s;
    s.add_marker({scene::MarkerKind::Path, {0, 0, 0}, {}, 1.5f, {}, {}},
                 std::array<pof::Vec3, 2>{pof::Vec3{0, 0, 0}, pof::Vec3{3, 1, 0}});
    s.add_marker({scene::MarkerKind::Thruster, {3, 1, 0}, {0, 1, 0}, 0.75f, {}, {}}, {});
    s.add_marker({scene::MarkerKind::Gun, {1, 2, 1}, {1, 0, 0}, 0, {}, {}}, {});
    s.add_marker({scene::MarkerKind::Thruster, {3e38f, 0, 0}, {1, 0, 0}, 3e38f, {}, {}}, {});
    std::array<bool, scene::kMarkerKinds> shown{};
    shown.fill(true);
    const auto picture = scene::make_picture(s, shown);
    EXPECT_EQ(picture.shapes.ids, (std::vector<int>{0, 1, 2, 3}));  // every point

    // The same picture with every direction and sphere written out as lines, in marker order;
    // the points stay.
    view::Picture whole = picture;
    std::fill(whole.shapes.directions.begin(), whole.shapes.directions.end(), 0.0f);
    std::fill(whole.shapes.radii.begin(), whole.shapes.radii.end(), 0.0f);
    whole.lines = {};
    const auto line = [&whole](const pof::Vec3& a, const pof::Vec3& b, const std::uint8_t* c,
                               int id) {
        if (!pof::finite(a) || !pof::finite(b)) return;
        whole.lines.positions.insert(whole.lines.positions.end(), {a.x, a.y, a.z, b.x, b.y, b.z});
        whole.lines.colours.insert(whole.lines.colours.end(), {c[0], c[1], c[2], c[0], c[1], c[2]});
        whole.lines.ids.push_back(id);
    };
    const auto& sh = picture.shapes;
    for (std::size_t i = 0; i < sh.size(); ++i) {
        const int id = sh.ids[i];
        const std::uint8_t* colour = &sh.colours[i * 3];
        for (std::size_t l = 0; l < picture.lines.ids.size(); ++l) {
            if (picture.lines.ids[l] != id) continue;
            const float* p = &picture.lines.positions[l * 6];
            line({p[0], p[1], p[2]}, {p[3], p[4], p[5]}, colour, id);
        }
        const pof::Vec3 c{sh.centres[i * 3], sh.centres[i * 3 + 1], sh.centres[i * 3 + 2]};
        const pof::Vec3 d{sh.directions[i * 3], sh.directions[i * 3 + 1], sh.directions[i * 3 + 2]};
        if (d.x != 0 || d.y != 0 || d.z != 0) line(c, c + d, colour, id);
        const auto& unit = view::unit_sphere();
        for (std::size_t k = 0; sh.radii[i] > 0 && k < unit.size(); k += 2) {
            const pof::Vec3 a{unit[k][0], unit[k][1], unit[k][2]};
            const pof::Vec3 b{unit[k + 1][0], unit[k + 1][1], unit[k + 1][2]};
            line(c + a * sh.radii[i], c + b * sh.radii[i], colour, id);
        }
    }
    EXPECT_GT(whole.lines.ids.size(), 3u * 24 * 2);

    scene::Camera camera;
    camera.frame({1, 0.5f, 0}, 4);
    const scene::RenderOptions options{160, 120, false, true};
    const auto shaped = scene::render(picture, {}, {}, camera, options);
    const auto written = scene::render(whole, {}, {}, camera, options);
    EXPECT_EQ(shaped.rgba, written.rgba);
    EXPECT_NE(std::count(shaped.rgba.begin(), shaped.rgba.end(), std::uint8_t{255}), 0);
}

// A texture goes to the GL in bands of whole rows (whole rows of blocks when compressed), each
// within the bytes asked unless one row is more; a level short of its bytes sends nothing.
TEST(Picture, TexturesGoToTheGlInBandsOfWholeRows) {
    const std::vector<std::uint8_t> bytes(256);
    const auto level = [&](int w, int h, std::size_t size) {
        return view::TextureLevel{w, h, std::span(bytes).first(size), nullptr};
    };
    const view::TextureImage rgba{{level(4, 3, 48), level(2, 1, 8)}};
    const view::TextureImage dxt5{{level(8, 6, 64)}, view::TextureCoding::Dxt5};
    const view::TextureImage dxt1{{level(6, 9, 48)}, view::TextureCoding::Dxt1};
    const struct {
        const view::TextureImage& image;
        std::size_t most;
        std::vector<std::array<int, 4>> pieces;  // level, y, rows, bytes
    } cases[] = {
        {rgba, 32, {{0, 0, 2, 32}, {0, 2, 1, 16}, {1, 0, 1, 8}}},
        {rgba, 1, {{0, 0, 1, 16}, {0, 1, 1, 16}, {0, 2, 1, 16}, {1, 0, 1, 8}}},
        {dxt5, 40, {{0, 0, 4, 32}, {0, 4, 2, 32}}},
        {dxt1, 1000, {{0, 0, 9, 48}}},
        {view::TextureImage{{level(8, 8, 60)}, view::TextureCoding::Dxt5}, 1000, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::array<int, 4>> pieces;
        for (const view::TexturePiece& p : view::texture_pieces(c.image, c.most))
            pieces.push_back({p.level, p.y, p.rows, static_cast<int>(p.bytes.size())});
        EXPECT_EQ(pieces, c.pieces);
    }
}

// The software picture draws a texture the GL took compressed from its blocks decoded.
TEST(Picture, CompressedTexturesDecodeForTheSoftwarePicture) {
    const std::string hull = testing_pof::sample_textures()[0].bytes;  // DXT1, 128 x 128
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(hull.data()), hull.size());
    const view::TextureImage stored{
        {{128, 128, bytes.subspan(128), nullptr}}, view::TextureCoding::Dxt1, false, "hull"};
    const view::TextureImage rgba = scene::rgba_image(stored);
    const textures::DecodedImage decoded = textures::decode_image(bytes, textures::ImageKind::Dds);
    ASSERT_EQ(rgba.levels.size(), 1u);
    EXPECT_EQ(rgba.coding, view::TextureCoding::Rgba);
    EXPECT_EQ(rgba.status, "hull");
    EXPECT_TRUE(std::ranges::equal(rgba.levels[0].rgba, decoded.image.pixels()));
}

}  // namespace
