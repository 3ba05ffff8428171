#pragma once
// A 3-D picture for a window that draws: lit triangles in batches (one per part, uploaded
// once), lines and points, each primitive with the id of the item it shows. The binding draws
// it and tells the logic which id is under the pointer or was clicked; what an id means only
// the logic knows.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "view/controls.h"

namespace view {

// Colours are r g b bytes per corner or line end. Triangles carry no normals: the binding
// shades each by its own plane. A batch drawn with a texture has texture coordinates per
// corner; its colours stand for the texture while it is not shown.
struct TriangleBatch {
    std::vector<float> positions;       // x y z per corner, three corners per triangle
    std::vector<std::uint8_t> colours;  // per corner
    std::vector<int> ids;               // per triangle
    int texture = -1;                   // the picture's texture number; -1 for none
    std::vector<float> uvs;             // u v per corner, with a texture
    // Multiplies the texture's colours, so a batch told apart by its colours (a coarser detail
    // level) stays apart with its texture shown.
    std::array<float, 3> tint{1, 1, 1};
    // See-through in x-ray: the hull is; the parts placed on it (turrets) stay solid within.
    bool xray = true;
};

// A texture as the binding uploads it: level 0 (row 0 is where v = 0), then its mipmaps.
// A level's pixels are the decoder's own, shared, never copied: a texture costs its image
// and mipmaps once however many hold it. A compressed texture's levels are its file's DXT
// blocks as stored (the binding hands them to OpenGL as they are).
struct TextureLevel {
    int width = 0, height = 0;
    // 4 bytes a pixel, row by row; the DXT blocks of a compressed texture's level
    std::span<const std::uint8_t> rgba;
    std::shared_ptr<const void> owner;  // keeps rgba's bytes alive

    // A level that owns the bytes given.
    static TextureLevel of(int width, int height, std::vector<std::uint8_t> rgba) {
        auto bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(rgba));
        return {width, height, *bytes, bytes};
    }
};
enum class TextureCoding { Rgba, Dxt1, Dxt3, Dxt5 };
struct TextureImage {
    std::vector<TextureLevel> levels;  // empty when the texture cannot be shown
    TextureCoding coding = TextureCoding::Rgba;
    bool alpha = false;  // some pixel is less than opaque: blend it
    std::string status;  // for the window's list of textures
};

// The textures a picture's batches name. Loading one may take a while (reading, decoding):
// the binding calls load() off the window's thread, one texture after the other, in order.
// Once stop is requested the result is not wanted and load may return early with anything.
// A binding whose OpenGL takes DXT blocks calls load_stored instead, where it is set: it
// gives a DXT file's levels compressed as stored, any other file as load does.
struct PictureTextures {
    struct Entry {
        int number = 0;
        std::function<TextureImage(std::stop_token stop)> load;
        std::function<TextureImage(std::stop_token stop)> load_stored;
        // The load a binding calls: load_stored where its OpenGL takes DXT blocks and it is
        // set, else load.
        const std::function<TextureImage(std::stop_token stop)>& load_for(bool dxt) const {
            return dxt && load_stored ? load_stored : load;
        }
    };
    std::vector<Entry> entries;
};

struct LineBatch {
    std::vector<float> positions;  // x y z per line end, two per segment
    std::vector<std::uint8_t> colours;
    std::vector<int> ids;  // per segment
};

// The markers drawn at a point, each from shapes every marker shares rather than stored line
// by line: the point itself (a square of a few pixels), a line from it along its direction
// and a wire sphere of three rings round it. A million glow points cost a few bytes each.
struct MarkerShapes {
    std::vector<float> centres;  // x y z per marker: its point
    // The direction line's end less its start (x y z); zero for no line.
    std::vector<float> directions;
    std::vector<float> radii;  // zero for no sphere
    std::vector<std::uint8_t> colours;
    std::vector<int> ids;  // per marker
    std::size_t size() const { return ids.size(); }
};

// The sphere of radius 1 round the origin as line ends, two per segment: its rings round the
// x, y and z axis one after the other, kSphereSteps segments each. A marker's sphere is each
// end times the radius plus the centre.
inline constexpr int kSphereSteps = 24;
using UnitSphere = std::array<std::array<float, 3>, std::size_t{3} * kSphereSteps * 2>;
const UnitSphere& unit_sphere();

// How opaque a ghost's triangles are drawn.
inline constexpr float kGhostAlpha = 0.45f;

struct Picture {
    std::vector<TriangleBatch> solids;
    LineBatch lines;      // the markers' segments (path legs, faces, boxes)
    MarkerShapes shapes;  // the markers drawn at a point
    // Another model's hull drawn see-through over this one, in its batches' colours, never
    // textured nor picked: the model a comparison is made with.
    std::vector<TriangleBatch> ghost;
    // Shared by the pictures of one model: the binding loads them again only when it changes.
    std::shared_ptr<const PictureTextures> textures;
    std::array<float, 3> min{}, max{};  // of what is drawn; empty when min > max
    bool empty() const { return min[0] > max[0]; }
};

// A pixel of a view of the picture, for finding the item drawn there without drawing: the
// matrix from picture coordinates to clip space (row by row), the view's size and the pixel,
// counted from the bottom left as OpenGL counts. Points and lines count as wide as given, and
// when nothing is at the pixel itself the nearest item within reach pixels counts.
struct PickRequest {
    std::array<float, 16> transform{};
    int width = 0, height = 0;
    int x = 0, y = 0;
    float point_size = 13, line_width = 3;
    int reach = 4;
};

// Implemented by a viewer that has a picture to show beside its controls.
class PictureSource {
  public:
    virtual ~PictureSource() = default;
    virtual const Picture& picture() const = 0;
    // Changes whenever the picture does; the binding uploads it again only then.
    virtual std::uint64_t picture_revision() const = 0;
    // Lines drawn over everything: the item chosen in another window.
    virtual LineBatch highlight() const = 0;
    virtual void item_hovered(int id) = 0;  // -1: nothing under the pointer
    virtual void item_clicked(int id) = 0;
    // The picture's parts laid out around it in a window: a toolbar over it, a panel beside
    // it, a status line under both. Each part may be null; without a toolbar and a panel the
    // binding lays out the viewer's whole layout beside the picture.
    struct Parts {
        Control* toolbar = nullptr;
        Control* panel = nullptr;
        Value* status = nullptr;
    };
    virtual Parts parts() { return {}; }
    // The stored polygons' edges, for the wireframe; asked for only while it is shown.
    virtual LineBatch polygon_edges() const { return {}; }
    // A texture was loaded (or could not be) in the background; status says how.
    virtual void texture_loaded(int /*number*/, const std::string& /*status*/) {}
    // The file Save Picture proposes.
    virtual std::string picture_file() const { return "model.png"; }
    // The item drawn at a pixel (-1 for none), found without drawing: markers over the
    // triangles, else the nearest triangle. Nothing when the source cannot tell; the binding
    // then draws the ids to find it.
    virtual std::optional<int> item_at(const PickRequest& /*request*/) { return std::nullopt; }
    // The binding will look items up: the source makes ready what it looks them up in, once
    // per model rather than at the first look-up.
    virtual void prepare_item_lookup() {}
    // The binding has uploaded the picture and draws the markers' shapes from its own copy
    // until the picture changes: the source may let go of picture().shapes meanwhile (a
    // million glow points hold 35 MB there), and marker_shapes() makes them again for a
    // picture drawn in software.
    virtual void picture_uploaded() {}
    virtual MarkerShapes marker_shapes() const { return picture().shapes; }
};

}  // namespace view
