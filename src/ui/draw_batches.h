#pragma once
// The picture's triangle batches on the GPU, drawn indexed: each batch's distinct corners once
// in 16 bytes (position as floats, colour in four bytes), its texture coordinates beside them
// once the texture is drawn, and 32-bit indices, three a triangle; one draw per batch (a
// subobject's polygons of one texture). A batch whose bounds lie wholly outside the view is
// not drawn; of a large batch only the triangles that may colour a pixel are. A large picture also
// has a coarse copy, its vertices merged cell by cell, for the frames drawn while the view moves.

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QSize>
#include <QVector3D>
#include <chrono>
#include <future>
#include <memory>
#include <vector>

#include "scene/indexed_batch.h"
#include "view/picture.h"

namespace ui {

class GlBatch {
  public:
    // The source batch as the picture holds it, a vertex a corner, until it is given its
    // indexed form. The source is kept: the batch is indexed again with its texture
    // coordinates when it is first drawn textured.
    explicit GlBatch(const view::TriangleBatch& source);
    // A batch of its own, drawn textured only when it has texture coordinates.
    GlBatch(std::shared_ptr<const scene::IndexedBatch> indexed, int texture, QVector3D tint,
            bool xray);
    ~GlBatch();  // with the context current
    GlBatch(const GlBatch&) = delete;
    GlBatch& operator=(const GlBatch&) = delete;

    int texture() const { return texture_; }
    // Null until the batch is indexed.
    const std::shared_ptr<const scene::IndexedBatch>& indexed() const { return indexed_; }
    // Drawn from these from the next frame on, unless it was indexed meanwhile.
    void set_indexed(std::shared_ptr<const scene::IndexedBatch> indexed);
    const view::TriangleBatch* source() const { return source_; }
    QVector3D tint() const { return tint_; }
    // Part of the hull: see-through in x-ray, where the parts placed on it stay solid.
    bool xray() const { return xray_; }
    // Draws the triangles with the program's position, colour and uv attributes, lit, and
    // textured by that texture object unless it is 0, into a view of that many pixels.
    void draw(QOpenGLShaderProgram& program, QOpenGLFunctions& gl, const QMatrix4x4& mvp,
              QSize view, GLuint texture);

  private:
    void upload();
    int sort_visible(const QMatrix4x4& mvp, QSize view);
    void draw_corners(QOpenGLShaderProgram& program, QOpenGLFunctions& gl, const QMatrix4x4& mvp,
                      QSize view, GLuint texture);
    void bind(QOpenGLShaderProgram& program, QOpenGLFunctions& gl, QOpenGLBuffer* colours,
              GLuint texture);
    const view::TriangleBatch* source_ = nullptr;
    std::shared_ptr<const scene::IndexedBatch> indexed_;
    int texture_ = -1;
    QVector3D tint_{1, 1, 1};
    bool xray_ = false;
    QOpenGLBuffer vertices_{QOpenGLBuffer::VertexBuffer}, uvs_{QOpenGLBuffer::VertexBuffer},
        indices_{QOpenGLBuffer::IndexBuffer}, visible_{QOpenGLBuffer::IndexBuffer},
        colours_{QOpenGLBuffer::VertexBuffer};   // a colour a corner, before it is indexed
    std::array<float, 3> min_{1, 1, 1}, max_{};  // of the source's corners, once drawn
    bool uploaded_ = false;
};

using GlBatches = std::vector<std::unique_ptr<GlBatch>>;

// One batch per picture batch, drawn a vertex a corner until BatchIndexer has indexed it.
GlBatches upload_batches(const std::vector<view::TriangleBatch>& batches);

// Indexes the batches on a thread of its own, started once the first frame's draws are issued:
// that frame does not wait for the indexing of a large picture (a tenth of a second and more
// for a million triangles). The thread works on a copy of the corners, as the picture may change
// meanwhile.
class BatchIndexer {
  public:
    ~BatchIndexer() { clear(); }
    // Starts indexing the batches not yet indexed, unless they are being indexed.
    void start(const GlBatches& batches);
    // Gives the batches their indexed forms once made: true then.
    bool take(GlBatches& batches);
    bool running() const { return making_.valid(); }
    void clear();

  private:
    std::future<std::vector<std::shared_ptr<const scene::IndexedBatch>>> making_;
};

// A large picture's batches reduced to about 200,000 triangles in all, drawn while the view
// moves. Made on a thread of its own once the picture is drawn, and again once more of its
// batches are drawn textured than when it was made; a picture of no more than 300,000
// triangles has none.
class CoarseBatches {
  public:
    ~CoarseBatches();  // with the context current
    // Starts making the copy of the batches as they are drawn now, if needed.
    void make(const GlBatches& fine);
    bool making() const {
        return making_.valid() &&
               making_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
    }
    // The copy once it is made, else null.
    const GlBatches* ready();
    void clear();  // with the context current

  private:
    std::future<std::vector<scene::IndexedBatch>> making_;
    struct Look {
        int texture;
        QVector3D tint;
        bool xray;
    };
    std::vector<Look> looks_;  // each batch's texture, tint and x-ray part
    GlBatches made_;
    int textured_ = -1;  // batches drawn textured when the copy was started
};

}  // namespace ui
