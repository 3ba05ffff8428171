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
// A picture of more triangle corners than this is indexed by two threads.
constexpr std::size_t kTwoThreadsAbove = 100000;

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

GlBatch::GlBatch(const view::TriangleBatch& source,
                 std::shared_ptr<const scene::IndexedBatch> indexed)
    : source_(&source),
      indexed_(std::move(indexed)),
      texture_(source.texture),
      tint_(source.tint[0], source.tint[1], source.tint[2]),
      xray_(source.xray) {}

GlBatch::GlBatch(std::shared_ptr<const scene::IndexedBatch> indexed, int texture, QVector3D tint,
                 bool xray)
    : indexed_(std::move(indexed)), texture_(texture), tint_(tint), xray_(xray) {}

GlBatch::~GlBatch() {
    for (QOpenGLBuffer* b : {&vertices_, &uvs_, &indices_, &visible_}) b->destroy();
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

void GlBatch::draw(QOpenGLShaderProgram& program, QOpenGLFunctions& gl, const QMatrix4x4& mvp,
                   QSize view, GLuint texture) {
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
    const int position = program.attributeLocation("position");
    const int colour = program.attributeLocation("colour");
    const int uv = program.attributeLocation("uv");
    constexpr int kStride = sizeof(scene::PackedVertex);
    vertices_.bind();
    program.enableAttributeArray(position);
    program.setAttributeBuffer(position, GL_FLOAT, 0, 3, kStride);
    program.enableAttributeArray(colour);
    gl.glVertexAttribPointer(colour, 3, GL_UNSIGNED_BYTE, GL_TRUE, kStride,
                             reinterpret_cast<const void*>(offsetof(scene::PackedVertex, colour)));
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
    QOpenGLBuffer& indices = visible > 0 ? visible_ : indices_;
    indices.bind();
    gl.glDrawElements(GL_TRIANGLES,
                      visible > 0 ? visible : static_cast<GLsizei>(indexed_->indices.size()),
                      GL_UNSIGNED_INT, nullptr);
    indices.release();
    if (texture != 0) gl.glBindTexture(GL_TEXTURE_2D, 0);
}

GlBatches upload_batches(const std::vector<view::TriangleBatch>& batches) {
    // A large picture's batches are indexed by two threads, every other batch each: the first
    // frame waits for all of them.
    std::vector<std::shared_ptr<const scene::IndexedBatch>> indexed(batches.size());
    const auto index = [&](std::size_t from, std::size_t step) {
        for (std::size_t i = from; i < batches.size(); i += step) {
            indexed[i] =
                std::make_shared<const scene::IndexedBatch>(scene::index_batch(batches[i], false));
        }
    };
    std::size_t corners = 0;
    for (const view::TriangleBatch& t : batches) corners += t.positions.size() / 3;
    if (corners > kTwoThreadsAbove && batches.size() > 1) {
        auto other = std::async(std::launch::async, index, 1, 2);
        index(0, 2);
        other.get();
    } else {
        index(0, 1);
    }
    GlBatches out;
    out.reserve(batches.size());
    for (std::size_t i = 0; i < batches.size(); ++i)
        out.push_back(std::make_unique<GlBatch>(batches[i], std::move(indexed[i])));
    return out;
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
