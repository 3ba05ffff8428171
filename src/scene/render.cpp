#include "scene/render.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace scene {

namespace {

using pof::Vec3;
using Rgba = std::array<float, 4>;

constexpr float kPointSize = 7;  // pixels, as the window draws points
constexpr Rgba kBackground{0.11f, 0.12f, 0.15f, 1.0f};

// A corner after the projection: clip coordinates and what is interpolated across.
struct Corner {
    Clip clip;
    Rgba colour{};
    float u = 0, v = 0;
};

// A corner on the screen: pixels from the top left, depth in -1 ... 1, 1 / w for
// perspective-correct interpolation.
struct ScreenCorner {
    float x = 0, y = 0, z = 0, inv_w = 1;
    Rgba colour{};
    float u = 0, v = 0;
};

Corner lerp(const Corner& a, const Corner& b, float t) {
    Corner c;
    c.clip = {a.clip.x + (b.clip.x - a.clip.x) * t, a.clip.y + (b.clip.y - a.clip.y) * t,
              a.clip.z + (b.clip.z - a.clip.z) * t, a.clip.w + (b.clip.w - a.clip.w) * t};
    for (int k = 0; k < 4; ++k) c.colour[k] = a.colour[k] + (b.colour[k] - a.colour[k]) * t;
    c.u = a.u + (b.u - a.u) * t;
    c.v = a.v + (b.v - a.v) * t;
    return c;
}

bool finite(const Clip& c) {
    return std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z) && std::isfinite(c.w);
}

// How far inside the near (-w <= z) and far (z <= w) planes a corner lies.
float near_side(const Corner& c) {
    return c.clip.z + c.clip.w;
}
float far_side(const Corner& c) {
    return c.clip.w - c.clip.z;
}

// Cuts a convex polygon by one plane, keeping where side() >= 0.
template <typename Side>
int clip_polygon(const Corner* in, int count, Corner* out, Side side) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const Corner& a = in[i];
        const Corner& b = in[(i + 1) % count];
        const float da = side(a), db = side(b);
        if (da >= 0) out[n++] = a;
        if ((da >= 0) != (db >= 0)) out[n++] = lerp(a, b, da / (da - db));
    }
    return n;
}

Rgba rgba_of(const std::uint8_t* rgb) {
    return {rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f, 1.0f};
}

std::uint8_t byte_of(float channel) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255));
}

// Bilinear sampling of one mipmap level; texture coordinates repeat.
class Sampler {
  public:
    explicit Sampler(const view::TextureLevel& level) : level_(level) {}
    Rgba at(float u, float v) const {
        const float x = u * static_cast<float>(level_.width) - 0.5f;
        const float y = v * static_cast<float>(level_.height) - 0.5f;
        const float fx = std::floor(x), fy = std::floor(y);
        const float tx = x - fx, ty = y - fy;
        const int x0 = wrap(fx, level_.width), y0 = wrap(fy, level_.height);
        const int x1 = (x0 + 1) % level_.width, y1 = (y0 + 1) % level_.height;
        Rgba c{};
        for (int k = 0; k < 4; ++k) {
            const float top = texel(x0, y0, k) + (texel(x1, y0, k) - texel(x0, y0, k)) * tx;
            const float bottom = texel(x0, y1, k) + (texel(x1, y1, k) - texel(x0, y1, k)) * tx;
            c[k] = (top + (bottom - top) * ty) / 255.0f;
        }
        return c;
    }

  private:
    static int wrap(float coordinate, int size) {
        const float m = std::fmod(coordinate, static_cast<float>(size));
        if (!std::isfinite(m)) return 0;
        const int i = static_cast<int>(m < 0 ? m + static_cast<float>(size) : m);
        return std::clamp(i, 0, size - 1);
    }
    float texel(int x, int y, int k) const {
        return level_.rgba[(static_cast<std::size_t>(y) * level_.width + x) * 4 + k];
    }
    const view::TextureLevel& level_;
};

bool level_usable(const view::TextureLevel& level) {
    return level.width > 0 && level.height > 0 &&
           level.rgba.size() >= static_cast<std::size_t>(level.width) * level.height * 4;
}

}  // namespace

class Raster {
  public:
    Raster(const Camera& camera, const RenderOptions& options)
        : width_(options.width),
          height_(options.height),
          matrix_(camera.transform(static_cast<float>(options.width) /
                                   static_cast<float>(options.height))),
          light_(camera.light()),
          line_bias_(depth_bias(camera, options)),
          image_{options.width, options.height, {}},
          depth_(static_cast<std::size_t>(options.width) * options.height, 2.0f) {
        const Rgba background = options.transparent ? Rgba{0, 0, 0, 0} : kBackground;
        image_.rgba.resize(depth_.size() * 4);
        for (std::size_t p = 0; p < depth_.size(); ++p) {
            for (int k = 0; k < 4; ++k) image_.rgba[p * 4 + k] = byte_of(background[k]);
        }
    }

    // Draws the batch's triangles; blended ones test depth but leave it as it was.
    void triangles(const view::TriangleBatch& batch, const view::TextureImage* texture,
                   bool blended, float alpha = 1) {
        texture_ = texture;
        alpha_ = alpha;
        tint_ = batch.tint;
        blended_ = blended;
        const std::size_t count =
            std::min({batch.positions.size() / 9, batch.colours.size() / 9, batch.ids.size()});
        const bool with_uvs = texture && batch.uvs.size() >= count * 6;
        if (texture && !with_uvs) texture_ = nullptr;
        for (std::size_t t = 0; t < count; ++t) {
            std::array<Vec3, 3> p;
            std::array<Corner, 3> c;
            for (int k = 0; k < 3; ++k) {
                const float* at = &batch.positions[(t * 3 + k) * 3];
                p[k] = {at[0], at[1], at[2]};
                c[k].clip = transform(matrix_, p[k]);
                c[k].colour = rgba_of(&batch.colours[(t * 3 + k) * 3]);
                if (with_uvs) {
                    c[k].u = batch.uvs[(t * 3 + k) * 2];
                    c[k].v = batch.uvs[(t * 3 + k) * 2 + 1];
                }
            }
            triangle(c, shade(p));
        }
    }

    void lines(const view::LineBatch& batch, bool depth_tested) {
        lines(batch, 0, line_count(batch), depth_tested);
    }

    static std::size_t line_count(const view::LineBatch& batch) {
        return std::min(batch.positions.size() / 6, batch.colours.size() / 6);
    }

    // Segments first to last - 1 of the batch.
    void lines(const view::LineBatch& batch, std::size_t first, std::size_t last,
               bool depth_tested) {
        for (std::size_t s = first; s < last; ++s) {
            std::array<Corner, 2> c;
            for (int k = 0; k < 2; ++k) {
                const float* at = &batch.positions[(s * 2 + k) * 3];
                c[k].clip = transform(matrix_, {at[0], at[1], at[2]});
                c[k].colour = rgba_of(&batch.colours[(s * 2 + k) * 3]);
            }
            line(c[0], c[1], depth_tested);
        }
    }

    // The segments and the shapes, each marker's shapes after the segments of ids up to its.
    void markers(const view::LineBatch& lines_batch, const view::MarkerShapes& shapes) {
        const std::size_t segments = std::min(line_count(lines_batch), lines_batch.ids.size());
        const std::size_t count =
            std::min({shapes.centres.size() / 3, shapes.directions.size() / 3, shapes.radii.size(),
                      shapes.colours.size() / 3, shapes.ids.size()});
        std::size_t next = 0;
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t last = next;
            while (last < segments && lines_batch.ids[last] <= shapes.ids[i]) ++last;
            lines(lines_batch, next, last, true);
            next = last;
            shape(shapes, i);
        }
        lines(lines_batch, next, line_count(lines_batch), true);
    }

    // A marker's direction line and its sphere; a line with an end past the float range is
    // left out.
    void shape(const view::MarkerShapes& shapes, std::size_t i) {
        const Vec3 centre{shapes.centres[i * 3], shapes.centres[i * 3 + 1],
                          shapes.centres[i * 3 + 2]};
        const Rgba colour = rgba_of(&shapes.colours[i * 3]);
        const auto segment = [&](const Vec3& a, const Vec3& b) {
            if (!pof::finite(a) || !pof::finite(b)) return;
            Corner ca, cb;
            ca.clip = transform(matrix_, a);
            cb.clip = transform(matrix_, b);
            ca.colour = cb.colour = colour;
            line(ca, cb, true);
        };
        const Vec3 direction{shapes.directions[i * 3], shapes.directions[i * 3 + 1],
                             shapes.directions[i * 3 + 2]};
        if (direction.x != 0 || direction.y != 0 || direction.z != 0)
            segment(centre, centre + direction);
        const float radius = shapes.radii[i];
        if (!(radius > 0)) return;
        const view::UnitSphere& sphere = view::unit_sphere();
        const auto end = [&](std::size_t k) {
            return centre + Vec3{sphere[k][0], sphere[k][1], sphere[k][2]} * radius;
        };
        for (std::size_t k = 0; k + 1 < sphere.size(); k += 2) segment(end(k), end(k + 1));
    }

    // The markers' points, after every line, in marker order.
    void points(const view::MarkerShapes& shapes) {
        const std::size_t count = std::min(shapes.centres.size() / 3, shapes.colours.size() / 3);
        for (std::size_t i = 0; i < count; ++i) {
            const float* at = &shapes.centres[i * 3];
            point(transform(matrix_, {at[0], at[1], at[2]}), rgba_of(&shapes.colours[i * 3]));
        }
    }

    RenderedImage take() { return std::move(image_); }

  private:
    // How much nearer a line or point is taken than the surface it lies on: the depth a
    // thousandth of the camera's distance makes at the target, as the window's polygon offset
    // pushes the surfaces back.
    static float depth_bias(const Camera& camera, const RenderOptions& options) {
        const Matrix p = camera.projection(static_cast<float>(options.width) /
                                           static_cast<float>(options.height));
        const auto depth_at = [&](float d) {
            const Clip c = transform(p, {0, 0, -d});
            return c.z / c.w;
        };
        const float bias = depth_at(camera.distance()) - depth_at(camera.distance() * 0.999f);
        return std::isfinite(bias) && bias > 0 ? bias : 1e-5f;
    }

    // The head-light on the triangle's plane, the same from either side.
    float shade(const std::array<Vec3, 3>& p) const {
        const Vec3 a = p[1] - p[0], b = p[2] - p[0];
        const Vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        const float l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        const float d = l > 0 && std::isfinite(l)
                            ? std::abs((n.x * light_.x + n.y * light_.y + n.z * light_.z) / l)
                            : 1.0f;
        return 0.3f + 0.7f * std::min(d, 1.0f);
    }

    ScreenCorner to_screen(const Corner& c) const {
        const float inv_w = 1 / c.clip.w;
        ScreenCorner s;
        s.x = (c.clip.x * inv_w + 1) * 0.5f * static_cast<float>(width_);
        s.y = (1 - c.clip.y * inv_w) * 0.5f * static_cast<float>(height_);
        s.z = c.clip.z * inv_w;
        s.inv_w = inv_w;
        s.colour = c.colour;
        s.u = c.u;
        s.v = c.v;
        return s;
    }

    void triangle(const std::array<Corner, 3>& c, float shade) {
        for (const Corner& corner : c) {
            if (!finite(corner.clip)) return;
        }
        const bool inside = std::all_of(c.begin(), c.end(), [](const Corner& k) {
            return near_side(k) >= 0 && far_side(k) >= 0 && k.clip.w > 0;
        });
        if (inside) return fill(to_screen(c[0]), to_screen(c[1]), to_screen(c[2]), shade);
        Corner first[5], second[5];
        int n = clip_polygon(c.data(), 3, first, near_side);
        n = clip_polygon(first, n, second, far_side);
        for (int k = 1; k + 1 < n; ++k) {
            if (second[0].clip.w <= 0 || second[k].clip.w <= 0 || second[k + 1].clip.w <= 0)
                continue;
            fill(to_screen(second[0]), to_screen(second[k]), to_screen(second[k + 1]), shade);
        }
    }

    // The pixel centres inside the triangle, shared edges counted once (top-left rule).
    void fill(ScreenCorner a, ScreenCorner b, ScreenCorner c, float shade) {
        float area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (!(std::abs(area) > 0) || !std::isfinite(area)) return;
        if (area < 0) {
            std::swap(b, c);
            area = -area;
        }
        const auto bound = [](float v, int limit) {
            return static_cast<int>(std::clamp(v, 0.0f, static_cast<float>(limit)));
        };
        const int x0 = bound(std::floor(std::min({a.x, b.x, c.x})), width_);
        const int x1 = bound(std::ceil(std::max({a.x, b.x, c.x})), width_);
        const int y0 = bound(std::floor(std::min({a.y, b.y, c.y})), height_);
        const int y1 = bound(std::ceil(std::max({a.y, b.y, c.y})), height_);
        if (x0 >= x1 || y0 >= y1) return;
        const Edge e0(b, c), e1(c, a), e2(a, b);
        const int level = texture_ ? level_for(a, b, c, area) : 0;
        const float inv_area = 1 / area;
        for (int y = y0; y < y1; ++y) {
            const float py = static_cast<float>(y) + 0.5f;
            for (int x = x0; x < x1; ++x) {
                const float px = static_cast<float>(x) + 0.5f;
                const float w0 = e0.at(px, py), w1 = e1.at(px, py), w2 = e2.at(px, py);
                if (!e0.covers(w0) || !e1.covers(w1) || !e2.covers(w2)) continue;
                const float l0 = w0 * inv_area, l1 = w1 * inv_area, l2 = w2 * inv_area;
                const float z = a.z * l0 + b.z * l1 + c.z * l2;
                const std::size_t at = static_cast<std::size_t>(y) * width_ + x;
                if (!(z < depth_[at])) continue;
                // Perspective-correct weights for the colours and texture coordinates.
                float p0 = l0 * a.inv_w, p1 = l1 * b.inv_w, p2 = l2 * c.inv_w;
                const float sum = p0 + p1 + p2;
                p0 /= sum;
                p1 /= sum;
                p2 /= sum;
                Rgba colour;
                if (texture_) {
                    colour =
                        Sampler(texture_->levels[level])
                            .at(a.u * p0 + b.u * p1 + c.u * p2, a.v * p0 + b.v * p1 + c.v * p2);
                    for (int k = 0; k < 3; ++k) colour[k] *= tint_[k];
                } else {
                    for (int k = 0; k < 4; ++k)
                        colour[k] = a.colour[k] * p0 + b.colour[k] * p1 + c.colour[k] * p2;
                }
                for (int k = 0; k < 3; ++k) colour[k] *= shade;
                colour[3] *= alpha_;
                if (blended_) {
                    blend(at, colour);
                } else {
                    depth_[at] = z;
                    write(at, colour);
                }
            }
        }
    }

    // The edge from a to b; positive on the inside of a triangle wound as fill() winds it.
    struct Edge {
        Edge(const ScreenCorner& a, const ScreenCorner& b)
            : dx(b.x - a.x),
              dy(b.y - a.y),
              ax(a.x),
              ay(a.y),
              top_left(dy < 0 || (dy == 0 && dx > 0)) {}
        float at(float px, float py) const { return dx * (py - ay) - dy * (px - ax); }
        bool covers(float w) const { return w > 0 || (w == 0 && top_left); }
        float dx, dy, ax, ay;
        bool top_left;
    };

    // The mipmap level whose texels are about the size of the triangle's pixels.
    int level_for(const ScreenCorner& a, const ScreenCorner& b, const ScreenCorner& c,
                  float area) const {
        const view::TextureLevel& base = texture_->levels[0];
        const float texels = std::abs((b.u - a.u) * (c.v - a.v) - (b.v - a.v) * (c.u - a.u)) *
                             static_cast<float>(base.width) * static_cast<float>(base.height);
        const float ratio = texels / area;
        int level = ratio > 1 ? static_cast<int>(std::floor(0.5f * std::log2(ratio))) : 0;
        const int last = static_cast<int>(texture_->levels.size()) - 1;
        level = std::clamp(level, 0, last);
        while (level > 0 && !level_usable(texture_->levels[level])) --level;
        return level;
    }

    void write(std::size_t at, const Rgba& c) {
        for (int k = 0; k < 4; ++k) image_.rgba[at * 4 + k] = byte_of(c[k]);
    }

    // Over what is there: over a transparent background the colour keeps its own tone.
    void blend(std::size_t at, const Rgba& src) {
        std::uint8_t* dst = &image_.rgba[at * 4];
        const float sa = std::clamp(src[3], 0.0f, 1.0f);
        const float da = dst[3] / 255.0f;
        const float out_a = sa + da * (1 - sa);
        if (!(out_a > 0)) return;
        for (int k = 0; k < 3; ++k) {
            dst[k] = byte_of((src[k] * sa + dst[k] / 255.0f * da * (1 - sa)) / out_a);
        }
        dst[3] = byte_of(out_a);
    }

    void plot(int x, int y, float z, const Rgba& colour, bool depth_tested) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        const std::size_t at = static_cast<std::size_t>(y) * width_ + x;
        if (depth_tested) {
            if (!(z - line_bias_ < depth_[at])) return;
            depth_[at] = z - line_bias_;
        }
        write(at, colour);
    }

    // One pixel wide, from end to end; cut to the near and far planes, then to the image, so
    // that an end far outside costs no steps.
    void line(Corner a, Corner b, bool depth_tested) {
        if (!finite(a.clip) || !finite(b.clip)) return;
        for (const auto side : {near_side, far_side}) {
            const float da = side(a), db = side(b);
            if (da < 0 && db < 0) return;
            if (da < 0) a = lerp(a, b, da / (da - db));
            if (db < 0) b = lerp(b, a, db / (db - da));
        }
        if (a.clip.w <= 0 || b.clip.w <= 0) return;
        ScreenCorner s = to_screen(a), e = to_screen(b);
        if (!cut_to_image(s, e)) return;
        const float dx = e.x - s.x, dy = e.y - s.y;
        const int steps = static_cast<int>(std::ceil(std::max(std::abs(dx), std::abs(dy))));
        for (int i = 0; i <= steps; ++i) {
            const float t = steps ? static_cast<float>(i) / static_cast<float>(steps) : 0;
            Rgba colour;
            for (int k = 0; k < 4; ++k) colour[k] = s.colour[k] + (e.colour[k] - s.colour[k]) * t;
            plot(static_cast<int>(std::floor(s.x + dx * t)),
                 static_cast<int>(std::floor(s.y + dy * t)), s.z + (e.z - s.z) * t, colour,
                 depth_tested);
        }
    }

    // Liang-Barsky against the image's rectangle (one pixel of margin).
    bool cut_to_image(ScreenCorner& s, ScreenCorner& e) const {
        float t0 = 0, t1 = 1;
        const float dx = e.x - s.x, dy = e.y - s.y;
        const float lo_x = -1, hi_x = static_cast<float>(width_) + 1;
        const float lo_y = -1, hi_y = static_cast<float>(height_) + 1;
        const std::array<std::array<float, 2>, 4> sides{
            {{-dx, s.x - lo_x}, {dx, hi_x - s.x}, {-dy, s.y - lo_y}, {dy, hi_y - s.y}}};
        for (const auto& [p, q] : sides) {
            if (p == 0) {
                if (q < 0) return false;
                continue;
            }
            const float r = q / p;
            if (p < 0)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
            if (t0 > t1) return false;
        }
        const ScreenCorner start = s;
        const auto at = [&](float t) {
            ScreenCorner c = start;
            c.x = start.x + dx * t;
            c.y = start.y + dy * t;
            c.z = start.z + (e.z - start.z) * t;
            for (int k = 0; k < 4; ++k)
                c.colour[k] = start.colour[k] + (e.colour[k] - start.colour[k]) * t;
            return c;
        };
        const ScreenCorner end = at(t1);
        s = at(t0);
        e = end;
        return std::isfinite(s.x) && std::isfinite(e.x) && std::isfinite(s.y) && std::isfinite(e.y);
    }

    // A square of kPointSize pixels around the point, as the window draws it.
    void point(const Clip& clip, const Rgba& colour) {
        if (!finite(clip) || clip.w <= 0 || clip.z < -clip.w || clip.z > clip.w) return;
        Corner c;
        c.clip = clip;
        const ScreenCorner s = to_screen(c);
        const float half = kPointSize / 2;
        const auto first = [](float v) { return std::ceil(v - 0.5f); };
        const float x0 = std::max(first(s.x - half), -1.0f),
                    y0 = std::max(first(s.y - half), -1.0f);
        const float x1 = std::min(first(s.x + half), static_cast<float>(width_));
        const float y1 = std::min(first(s.y + half), static_cast<float>(height_));
        for (float y = y0; y < y1; ++y) {
            for (float x = x0; x < x1; ++x)
                plot(static_cast<int>(x), static_cast<int>(y), s.z, colour, true);
        }
    }

    int width_, height_;
    Matrix matrix_;
    Vec3 light_;
    float line_bias_;
    RenderedImage image_;
    std::vector<float> depth_;
    const view::TextureImage* texture_ = nullptr;
    std::array<float, 3> tint_{1, 1, 1};  // on the texture's colours, as the window tints them
    bool blended_ = false;
    float alpha_ = 1;
};

bool size_fits(const RenderOptions& options) {
    return options.width >= 1 && options.height >= 1 && options.width <= kMaxImageSide &&
           options.height <= kMaxImageSide;
}

TextureImages load_textures(const view::PictureTextures* set) {
    TextureImages images;
    if (!set) return images;
    for (const auto& entry : set->entries) images[entry.number] = entry.load({});
    return images;
}

Renderer::Renderer(const Camera& camera, const RenderOptions& options,
                   const TextureImages& textures)
    : options_(options), textures_(textures) {
    if (size_fits(options)) raster_ = std::make_unique<Raster>(camera, options);
}

Renderer::~Renderer() = default;

const view::TextureImage* Renderer::texture_of(const view::TriangleBatch& batch) const {
    if (!options_.textured || batch.texture < 0) return nullptr;
    const auto it = textures_.find(batch.texture);
    if (it == textures_.end() || it->second.levels.empty() || !level_usable(it->second.levels[0]))
        return nullptr;
    return &it->second;
}

void Renderer::solids(const std::vector<view::TriangleBatch>& batches) {
    if (!raster_) return;
    for (const view::TriangleBatch& batch : batches) {
        const view::TextureImage* t = texture_of(batch);
        if (!t || !t->alpha) {
            raster_->triangles(batch, t, false);
        } else {
            blended_.push_back(batch);
        }
    }
}

void Renderer::ghost(const std::vector<view::TriangleBatch>& batches) {
    ghost_ = &batches;
}

RenderedImage Renderer::finish(const view::LineBatch& lines, const view::MarkerShapes& shapes,
                               const view::LineBatch& highlight) {
    if (!raster_) return {};
    for (const view::TriangleBatch& batch : blended_)
        raster_->triangles(batch, texture_of(batch), true);
    blended_.clear();
    if (ghost_) {
        for (const view::TriangleBatch& batch : *ghost_)
            raster_->triangles(batch, nullptr, true, view::kGhostAlpha);
    }
    raster_->markers(lines, shapes);
    raster_->points(shapes);
    raster_->lines(highlight, false);
    RenderedImage image = raster_->take();
    raster_.reset();
    return image;
}

RenderedImage render(const view::Picture& picture, const view::LineBatch& highlight,
                     const TextureImages& textures, const Camera& camera,
                     const RenderOptions& options) {
    Renderer renderer(camera, options, textures);
    renderer.solids(picture.solids);
    renderer.ghost(picture.ghost);
    return renderer.finish(picture.lines, picture.shapes, highlight);
}

}  // namespace scene
