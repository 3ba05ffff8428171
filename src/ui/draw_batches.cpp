#include "ui/draw_batches.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace ui {

namespace {

// A picture of more triangles than this is drawn coarser while the view moves: about
// kCoarseTriangles of them, so that orbiting stays fluid on a software renderer. The whole
// picture is drawn again once the button is let go.
constexpr std::size_t kCoarseAbove = 300000;
constexpr std::size_t kCoarseTriangles = 200000;
// A batch of more triangles than this is drawn with only those that may colour a pixel, when
// they are less than two thirds of it: the renderer then sets up fewer triangles.
constexpr std::size_t kSortAbove = 1000;

// True when the box lies wholly on the outer side of one of the view's six planes.
bool outside(const QMatrix4x4& mvp, const std::array<float, 3>& min,
             const std::array<float, 3>& max) {
    if (min[0] > max[0]) return true;  // no vertices
    std::array<int, 6> out{};
    for (int corner = 0; corner < 8; ++corner) {
        const QVector4D p =
            mvp.map(QVector4D(corner & 1 ? max[0] : min[0], corner & 2 ? max[1] : min[1],
                              corner & 4 ? max[2] : min[2], 1));
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const auto a = static_cast<int>(axis);
            out[2 * axis] += p[a] < -p.w();
            out[2 * axis + 1] += p[a] > p.w();
        }
    }
    return std::ranges::any_of(out, [](int n) { return n == 8; });
}

void fill(QOpenGLBuffer& buffer, const void* data, std::size_t bytes) {
    if (!buffer.isCreated()) buffer.create();
    buffer.bind();
    buffer.allocate(data, static_cast<int>(bytes));
    buffer.release();
}

}  // namespace

GlBatch::GlBatch(const view::TriangleBatch& source)
    : source_(&source),
      texture_(source.texture),
      tint_(source.tint[0], source.tint[1], source.tint[2]),
      xray_(source.xray) {}

GlBatch::GlBatch(std::shared_ptr<const scene::IndexedBatch> indexed, int texture, QVector3D tint,
                 bool xray)
    : indexed_(std::move(indexed)), texture_(texture), tint_(tint), xray_(xray) {}

GlBatch::~GlBatch() {
    for (QOpenGLBuffer* b : {&vertices_, &uvs_, &indices_, &visible_, &colours_}) b->destroy();
}

void GlBatch::set_indexed(std::shared_ptr<const scene::IndexedBatch> indexed) {
    if (indexed_ || !indexed) return;
    indexed_ = std::move(indexed);
    uploaded_ = false;
    colours_.destroy();
    uvs_.destroy();
}

void GlBatch::upload() {
    fill(vertices_, indexed_->vertices.data(),
         indexed_->vertices.size() * sizeof(scene::PackedVertex));
    if (!indexed_->uvs.empty())
        fill(uvs_, indexed_->uvs.data(), indexed_->uvs.size() * sizeof(float));
    fill(indices_, indexed_->indices.data(), indexed_->indices.size() * sizeof(std::uint32_t));
    uploaded_ = true;
}

// The indices of the triangles that may colour a pixel in the visible buffer, when they are
// few enough to be worth it; how many of them, or -1 to draw them all.
int GlBatch::sort_visible(const QMatrix4x4& mvp, QSize view) {
    if (indexed_->indices.size() / 3 <= kSortAbove || view.isEmpty()) return -1;
    // Shared by the batches, drawn one after the other.
    static std::vector<float> projected;
    static std::vector<std::uint32_t> kept;
    std::array<float, 16> m{};
    std::copy_n(mvp.constData(), 16, m.begin());
    scene::visible_triangles(*indexed_, m, view.width(), view.height(), projected, kept);
    if (kept.size() * 3 >= indexed_->indices.size() * 2) return -1;
    if (!kept.empty()) {
        if (!visible_.isCreated()) {
            visible_.create();
            visible_.setUsagePattern(QOpenGLBuffer::StreamDraw);
        }
        fill(visible_, kept.data(), kept.size() * sizeof(std::uint32_t));
    }
    return static_cast<int>(kept.size());
}

// The position and colour attributes from the vertex buffer (colours from their own buffer when
// given), the uv attribute and texture when drawn textured.
void GlBatch::bind(QOpenGLShaderProgram& program, QOpenGLFunctions& gl, QOpenGLBuffer* colours,
                   GLuint texture) {
    const int position = program.attributeLocation("position");
    const int colour = program.attributeLocation("colour");
    const int uv = program.attributeLocation("uv");
    const int stride = colours ? 0 : static_cast<int>(sizeof(scene::PackedVertex));
    vertices_.bind();
    program.enableAttributeArray(position);
    program.setAttributeBuffer(position, GL_FLOAT, 0, 3, stride);
    if (colours) colours->bind();
    program.enableAttributeArray(colour);
    gl.glVertexAttribPointer(
        colour, 3, GL_UNSIGNED_BYTE, GL_TRUE, stride,
        reinterpret_cast<const void*>(colours ? 0 : offsetof(scene::PackedVertex, colour)));
    if (texture != 0) {
        uvs_.bind();
        program.enableAttributeArray(uv);
        program.setAttributeBuffer(uv, GL_FLOAT, 0, 2);
        gl.glBindTexture(GL_TEXTURE_2D, texture);
    } else {
        program.disableAttributeArray(uv);
    }
    QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
    program.setUniformValue("lit", 1.0f);
    program.setUniformValue("textured", texture != 0 ? 1.0f : 0.0f);
    program.setUniformValue("tint", tint_);
}

// Before the batch is indexed: the picture's corners as they are, of a large batch only the
// triangles that may colour a pixel, the same triangles in the same order as indexed.
void GlBatch::draw_corners(QOpenGLShaderProgram& program, QOpenGLFunctions& gl,
                           const QMatrix4x4& mvp, QSize view, GLuint texture) {
    const std::vector<float>& positions = source_->positions;
    const std::size_t corners = positions.size() / 3;
    if (!uploaded_) {
        min_ = {1, 1, 1};
        max_ = {};
        for (std::size_t c = 0; c < corners; ++c) {
            for (std::size_t k = 0; k < 3; ++k) {
                const float v = positions[3 * c + k];
                min_[k] = c == 0 ? v : std::min(min_[k], v);
                max_[k] = c == 0 ? v : std::max(max_[k], v);
            }
        }
        fill(vertices_, positions.data(), positions.size() * sizeof(float));
        fill(colours_, source_->colours.data(), source_->colours.size());
        uploaded_ = true;
    }
    if (corners == 0 || outside(mvp, min_, max_)) return;
    if (texture != 0 && !uvs_.isCreated())
        fill(uvs_, source_->uvs.data(), source_->uvs.size() * sizeof(float));
    GLsizei count = static_cast<GLsizei>(corners);
    bool sorted = false;
    if (corners / 3 > kSortAbove && !view.isEmpty()) {
        static std::vector<float> projected;
        static std::vector<std::uint32_t> kept;
        std::array<float, 16> m{};
        std::copy_n(mvp.constData(), 16, m.begin());
        scene::visible_corners(positions, m, view.width(), view.height(), projected, kept);
        if (kept.empty()) return;
        if (kept.size() * 3 < corners * 2) {
            if (!visible_.isCreated()) {
                visible_.create();
                visible_.setUsagePattern(QOpenGLBuffer::StreamDraw);
            }
            fill(visible_, kept.data(), kept.size() * sizeof(std::uint32_t));
            count = static_cast<GLsizei>(kept.size());
            sorted = true;
        }
    }
    bind(program, gl, &colours_, texture);
    if (sorted) {
        visible_.bind();
        gl.glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_INT, nullptr);
        visible_.release();
    } else {
        gl.glDrawArrays(GL_TRIANGLES, 0, count);
    }
    if (texture != 0) gl.glBindTexture(GL_TEXTURE_2D, 0);
}

void GlBatch::draw(QOpenGLShaderProgram& program, QOpenGLFunctions& gl, const QMatrix4x4& mvp,
                   QSize view, GLuint texture) {
    if (!indexed_ && source_) {
        const std::size_t corners = source_->positions.size() / 3;
        if (texture != 0 && source_->uvs.size() < 2 * corners) texture = 0;
        // Colours short of the corners cannot be drawn as they are: the batch is indexed now.
        if (source_->colours.size() >= 3 * corners)
            return draw_corners(program, gl, mvp, view, texture);
        indexed_ = std::make_shared<const scene::IndexedBatch>(scene::index_batch(*source_, false));
        uploaded_ = false;
    }
    if (indexed_->indices.empty() || outside(mvp, indexed_->min, indexed_->max)) return;
    // Drawn textured for the first time: its corners told apart by their texture coordinates.
    if (texture != 0 && indexed_->uvs.empty() && source_) {
        indexed_ = std::make_shared<const scene::IndexedBatch>(scene::index_batch(*source_, true));
        uploaded_ = false;
    }
    if (texture != 0 && indexed_->uvs.empty()) texture = 0;
    if (!uploaded_) upload();
    const int visible = sort_visible(mvp, view);
    if (visible == 0) return;
    bind(program, gl, nullptr, texture);
    QOpenGLBuffer& indices = visible > 0 ? visible_ : indices_;
    indices.bind();
    gl.glDrawElements(GL_TRIANGLES,
                      visible > 0 ? visible : static_cast<GLsizei>(indexed_->indices.size()),
                      GL_UNSIGNED_INT, nullptr);
    indices.release();
    if (texture != 0) gl.glBindTexture(GL_TEXTURE_2D, 0);
}

GlBatches upload_batches(const std::vector<view::TriangleBatch>& batches) {
    GlBatches out;
    out.reserve(batches.size());
    for (const view::TriangleBatch& t : batches) out.push_back(std::make_unique<GlBatch>(t));
    return out;
}

void BatchIndexer::start(const GlBatches& batches) {
    if (making_.valid()) return;
    std::vector<view::TriangleBatch> corners(batches.size());
    bool any = false;
    for (std::size_t i = 0; i < batches.size(); ++i) {
        if (batches[i]->indexed() || !batches[i]->source()) continue;
        corners[i].positions = batches[i]->source()->positions;
        corners[i].colours = batches[i]->source()->colours;
        any = true;
    }
    if (!any) return;
    making_ = std::async(std::launch::async, [corners = std::move(corners)] {
        std::vector<std::shared_ptr<const scene::IndexedBatch>> indexed(corners.size());
        for (std::size_t i = 0; i < corners.size(); ++i) {
            if (!corners[i].positions.empty())
                indexed[i] = std::make_shared<const scene::IndexedBatch>(
                    scene::index_batch(corners[i], false));
        }
        return indexed;
    });
}

bool BatchIndexer::take(GlBatches& batches) {
    if (!making_.valid() || making_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return false;
    std::vector<std::shared_ptr<const scene::IndexedBatch>> indexed = making_.get();
    for (std::size_t i = 0; i < indexed.size() && i < batches.size(); ++i)
        batches[i]->set_indexed(std::move(indexed[i]));
    return true;
}

void BatchIndexer::clear() {
    if (making_.valid()) making_.wait();
    making_ = {};
}

CoarseBatches::~CoarseBatches() {
    clear();
}

void CoarseBatches::clear() {
    if (making_.valid()) making_.wait();
    making_ = {};
    made_.clear();
    looks_.clear();
    textured_ = -1;
}

void CoarseBatches::make(const GlBatches& fine) {
    int textured = 0;
    std::size_t triangles = 0;
    for (const auto& b : fine) {
        if (!b->indexed()) return;  // made once the picture is indexed
        textured += b->indexed()->uvs.empty() ? 0 : 1;
        triangles += b->indexed()->indices.size() / 3;
    }
    if (textured == textured_ || triangles <= kCoarseAbove) return;
    if (making_.valid()) making_.wait();
    textured_ = textured;
    looks_.clear();
    std::vector<std::shared_ptr<const scene::IndexedBatch>> batches;
    for (const auto& b : fine) {
        batches.push_back(b->indexed());
        looks_.push_back({b->texture(), b->tint(), b->xray()});
    }
    // The thread holds the batches it reduces: the picture may change meanwhile.
    making_ = std::async(std::launch::async, [batches = std::move(batches)] {
        std::vector<const scene::IndexedBatch*> all;
        for (const auto& b : batches) all.push_back(b.get());
        const float cell = scene::coarse_cell(all, kCoarseTriangles);
        return cell > 0 ? scene::reduce_batches(all, cell) : std::vector<scene::IndexedBatch>{};
    });
}

const GlBatches* CoarseBatches::ready() {
    if (making_.valid() && making_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        std::vector<scene::IndexedBatch> reduced = making_.get();
        made_.clear();
        for (std::size_t i = 0; i < reduced.size() && i < looks_.size(); ++i) {
            made_.push_back(std::make_unique<GlBatch>(
                std::make_shared<const scene::IndexedBatch>(std::move(reduced[i])),
                looks_[i].texture, looks_[i].tint, looks_[i].xray));
        }
    }
    return made_.empty() ? nullptr : &made_;
}

}  // namespace ui
