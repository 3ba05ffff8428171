#include "ui/model_view_widget.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <optional>

#include "io/text.h"
#include "scene/texture_list.h"
#include "textures/png_write.h"
#include "ui/key_hints.h"

namespace ui {

namespace {

constexpr float kPitchLimit = scene::Camera::kPitchLimit;
constexpr float kPi = 3.14159265f;
// The pointer has rested this long when the item under it is looked up: drawing the frame of
// item ids costs as much as a frame, too much for every move over a large model.
constexpr int kRestMs = 120;
// The longest the window spends sending textures to the GL before it draws and answers again.
constexpr int kUploadMs = 8;

// A marker's shape is a shared unit shape (a line from 0 to 1 on every axis, or the unit
// sphere's rings), times the marker's direction or radius, placed at its centre; a zero
// direction or radius draws nothing.
const char* kVertexShader = R"(
attribute highp vec3 position;
attribute lowp vec3 colour;
attribute highp vec2 uv;
attribute highp vec3 centre;
attribute highp vec3 scale;
uniform highp mat4 mvp;
uniform float point_size;
uniform float shaped;
varying vec3 v_colour;
varying vec3 v_position;
varying vec2 v_uv;
void main() {
    vec3 p = position;
    bool hidden = false;
    if (shaped > 0.5) {
        vec3 s = shaped > 1.5 ? vec3(scale.x) : scale;
        hidden = dot(s, s) == 0.0;
        p = centre + position * s;
    }
    gl_Position = hidden ? vec4(0.0, 0.0, 2.0, 1.0) : mvp * vec4(p, 1.0);
    gl_PointSize = point_size;
    v_colour = colour;
    v_position = p;
    v_uv = uv;
})";

// Two-sided head-light shading, flat per triangle: the normal is the plane the fragment's
// neighbours span, so no normal travels with the corners and either winding is lit.
const char* kFragmentShader = R"(
varying vec3 v_colour;
varying vec3 v_position;
varying vec2 v_uv;
uniform vec3 light;
uniform float lit;
uniform float textured;
uniform float alpha;
uniform vec3 tint;
uniform sampler2D image;
void main() {
    vec4 c = vec4(v_colour, 1.0);
    if (textured > 0.5) c = texture2D(image, v_uv) * vec4(tint, 1.0);
    if (lit > 0.5) {
        vec3 n = cross(dFdx(v_position), dFdy(v_position));
        float l = length(n);
        float d = l > 0.0 ? abs(dot(n / l, light)) : 1.0;
        c.rgb *= 0.3 + 0.7 * d;
    }
    c.a *= alpha;
    gl_FragColor = c;
})";

// How much of a marker shows where the hull hides it, and of the hull in x-ray.
constexpr float kHiddenAlpha = 0.3f;
constexpr float kXrayAlpha = 0.25f;
// How far from the pointer an item is still found when the pointer itself is on background:
// lines are one pixel wide.
constexpr int kPickReach = 4;
// How wide points and lines are where items are looked up: wider than drawn, easier to hit.
constexpr float kPickPointSize = 13, kPickLineWidth = 3;

// The markers' shapes as plain lines, for a context that cannot draw instances: each
// direction and each ring segment stored whole, as the software renderer draws them.
void add_shape_lines(const view::MarkerShapes& shapes, view::LineBatch& lines) {
    const view::UnitSphere& sphere = view::unit_sphere();
    const auto segment = [&](const float* a, const float* b, std::size_t i) {
        lines.positions.insert(lines.positions.end(), {a[0], a[1], a[2], b[0], b[1], b[2]});
        for (int end = 0; end < 2; ++end) {
            lines.colours.insert(lines.colours.end(), shapes.colours.begin() + i * 3,
                                 shapes.colours.begin() + i * 3 + 3);
        }
        lines.ids.push_back(shapes.ids[i]);
    };
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const float* c = &shapes.centres[i * 3];
        const float* d = &shapes.directions[i * 3];
        if (d[0] != 0 || d[1] != 0 || d[2] != 0) {
            const std::array<float, 3> end{c[0] + d[0], c[1] + d[1], c[2] + d[2]};
            segment(c, end.data(), i);
        }
        const float r = shapes.radii[i];
        if (!(r > 0)) continue;
        for (std::size_t k = 0; k + 1 < sphere.size(); k += 2) {
            std::array<float, 3> a, b;
            for (int j = 0; j < 3; ++j) {
                a[j] = c[j] + sphere[k][j] * r;
                b[j] = c[j] + sphere[k + 1][j] * r;
            }
            segment(a.data(), b.data(), i);
        }
    }
}

// Item id + 1 in three bytes; 0 is the background.
void put_id(std::vector<std::uint8_t>& out, int id) {
    const auto n = static_cast<std::uint32_t>(id + 1);
    out.insert(out.end(),
               {static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>((n >> 8) & 0xFF),
                static_cast<std::uint8_t>((n >> 16) & 0xFF)});
}

// Picture coordinates are left-handed (z forward); the camera's world is right-handed.
QMatrix4x4 model_matrix() {
    return QMatrix4x4(scene::Camera::model().m.data());
}

// "640x480", "640 × 480" or "640" for a square; each side 1 to the renderer's limit.
std::optional<QSize> size_from(const std::string& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,5})\\s*(?:[x\u00d7X*]\\s*(\\d{1,5}))?\\s*$"));
    const auto match = pattern.match(QString::fromStdString(text));
    if (!match.hasMatch()) return std::nullopt;
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).isEmpty() ? width : match.captured(2).toInt();
    const auto fits = [](int side) { return side >= 1 && side <= scene::kMaxImageSide; };
    if (!fits(width) || !fits(height)) return std::nullopt;
    return QSize(width, height);
}

}  // namespace

ModelViewWidget::ModelViewWidget(view::PictureSource& source, QWidget* parent)
    : QOpenGLWidget(parent), source_(source) {
    setObjectName(QStringLiteral("modelViewWidget"));
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(240, 180);
    // Right button events come here whole: a right drag pans, a right click opens the menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    overlay_ = new QLabel(this);
    overlay_->setObjectName(QStringLiteral("lblViewName"));
    overlay_->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(0, 0, 0, 140); color: white; padding: 2px 6px; }"));
    overlay_->setAttribute(Qt::WA_TransparentForMouseEvents);
    overlay_->move(8, 8);
    make_actions();
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    take_arrived_.setSingleShot(true);
    take_arrived_.setInterval(0);
    connect(&take_arrived_, &QTimer::timeout, this, [this] { take_arrived(); });
    connect(&rest_, &QTimer::timeout, this, [this] { rested(); });
    connect(this, &QOpenGLWidget::frameSwapped, this, [this] { shown(); });
    // Once the batches are indexed the coarse copy for moving views is made from them, without
    // waiting for a frame to be drawn.
    indexed_poll_.setInterval(20);
    connect(&indexed_poll_, &QTimer::timeout, this, [this] {
        if (indexer_.take(solids_)) coarse_.make(solids_);
        if (!indexer_.running()) indexed_poll_.stop();
    });
}

// The frame is on the screen: what the first frame did not wait for starts now, the tree that
// finds the item under the pointer (ready long before the pointer has rested) and, on a thread
// of its own, the indexed form of the picture's batches.
void ModelViewWidget::shown() {
    source_.prepare_item_lookup();
    // The batches point into the picture they were made from: not once the source has a new one.
    if (uploaded_ == source_.picture_revision()) indexer_.start(solids_);
    if (indexer_.running()) indexed_poll_.start();
}

QAction* ModelViewWidget::add_action(const QString& text, const QKeySequence& key,
                                     std::function<void()> run) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    // Anywhere in the window: the keys work with the focus on a list or the chooser too.
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    addAction(action);
    return action;
}

void ModelViewWidget::make_actions() {
    orthographic_action_ = add_action(QStringLiteral("Orthographic"), Qt::Key_5, [this] {
        camera_.set_orthographic(orthographic_action_->isChecked());
        moved();
    });
    wireframe_action_ = add_action(QStringLiteral("Wireframe"), Qt::Key_W, [this] {
        wireframe_ = wireframe_action_->isChecked();
        redraw();
    });
    xray_action_ = add_action(QStringLiteral("X-ray"), Qt::Key_X, [this] {
        xray_ = xray_action_->isChecked();
        redraw();
    });
    textures_action_ = add_action(QStringLiteral("Textures"), Qt::Key_T,
                                  [this] { set_textures_shown(textures_action_->isChecked()); });
    for (QAction* a : {orthographic_action_, wireframe_action_, xray_action_, textures_action_})
        a->setCheckable(true);
    textures_action_->setChecked(true);
    QAction* fit_action = add_action(QStringLiteral("Fit"), Qt::Key_F, [this] { fit(); });
    fit_action->setShortcuts({Qt::Key_F, Qt::Key_Home});
    save_action_ = add_action(QStringLiteral("Save Picture\u2026"), Qt::CTRL | Qt::Key_S,
                              [this] { save_picture(); });
    save_action_->setObjectName(QStringLiteral("actSavePicture"));
    toolbar_actions_ = {orthographic_action_, wireframe_action_, xray_action_,
                        textures_action_,     fit_action,        save_action_};
    QAction* frame_action = add_action(QStringLiteral("Frame Selection"), Qt::SHIFT | Qt::Key_F,
                                       [this] { frame_highlight(); });
    QList<QAction*> view_keys;
    // The model's front faces +z.
    const struct {
        QString name;
        QKeySequence key;
        float yaw, pitch;
    } views[] = {
        {QStringLiteral("Front"), Qt::Key_1, kPi, 0},
        {QStringLiteral("Back"), Qt::CTRL | Qt::Key_1, 0, 0},
        {QStringLiteral("Right"), Qt::Key_3, kPi / 2, 0},
        {QStringLiteral("Left"), Qt::CTRL | Qt::Key_3, -kPi / 2, 0},
        {QStringLiteral("Top"), Qt::Key_7, kPi, kPitchLimit},
        {QStringLiteral("Bottom"), Qt::CTRL | Qt::Key_7, kPi, -kPitchLimit},
    };
    for (const auto& v : views) {
        view_keys << add_action(v.name, v.key, [this, v] { look_from(v.name, v.yaw, v.pitch); });
    }
    view_keys << fit_action << frame_action << orthographic_action_;
    show_keys_in_tooltips(toolbar_actions_ + view_keys);
    toolbar_actions_ << key_menu_action(QStringLiteral("Views"), view_keys, this);
}

QString ModelViewWidget::view_name() const {
    return view_name_ + QStringLiteral(" · ") +
           (camera_.orthographic() ? QStringLiteral("Orthographic")
                                   : QStringLiteral("Perspective"));
}

void ModelViewWidget::look_from(const QString& name, float yaw, float pitch) {
    look(yaw, pitch);
    view_name_ = name;
    moved();
}

ModelViewWidget::~ModelViewWidget() {
    loader_.reset();
    makeCurrent();
    drop_textures();
    id_frame_.reset();
    indexer_.clear();
    solids_.clear();
    ghost_.clear();
    coarse_.clear();
    id_solids_.clear();
    for (Buffers* b : {&lines_, &highlight_, &edges_}) {
        for (QOpenGLBuffer* buffer : {&b->positions, &b->colours, &b->ids}) buffer->destroy();
    }
    for (QOpenGLBuffer* buffer : shapes_.all()) buffer->destroy();
    program_.reset();
    doneCurrent();
}

void ModelViewWidget::initializeGL() {
    initializeOpenGLFunctions();
    program_ = std::make_unique<QOpenGLShaderProgram>();
    failed_ = !program_->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
              !program_->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) ||
              !program_->link();
    // Instances need OpenGL 3.3 or OpenGL ES 3.0; without them the shapes are drawn as lines.
    const QSurfaceFormat format = context()->format();
    instancing_ =
        format.majorVersion() > 3 ||
        (format.majorVersion() == 3 && (context()->isOpenGLES() || format.minorVersion() >= 3));
    glEnable(GL_DEPTH_TEST);
    glEnable(0x8642);  // GL_PROGRAM_POINT_SIZE: the shader sets the point size
    if (!kept_camera_) fit();
}

void ModelViewWidget::resizeGL(int, int) {
    frame_due_ = true;
    ids_valid_ = false;
}

// Redraws only when the picture or its highlight changed: naming the item under the pointer
// changes neither.
void ModelViewWidget::sync() {
    if (uploaded_ != source_.picture_revision() ||
        source_.highlight().positions != highlight_positions_)
        redraw();
}

void ModelViewWidget::upload_batch(Buffers& b, const std::vector<float>& positions,
                                   const std::vector<std::uint8_t>& colours,
                                   const std::vector<int>& ids, int per_primitive) {
    std::vector<std::uint8_t> id_colours;
    id_colours.reserve(ids.size() * 3 * per_primitive);
    for (const int id : ids) {
        for (int k = 0; k < per_primitive; ++k) put_id(id_colours, id);
    }
    const auto fill = [](QOpenGLBuffer& buffer, const auto& data) {
        if (!buffer.isCreated()) buffer.create();
        buffer.bind();
        buffer.allocate(data.data(), static_cast<int>(data.size() * sizeof(data[0])));
        buffer.release();
    };
    fill(b.positions, positions);
    fill(b.colours, colours);
    fill(b.ids, id_colours);
    b.vertices = static_cast<int>(positions.size() / 3);
}

std::unique_ptr<ModelViewWidget::Buffers> ModelViewWidget::upload_triangles(
    const view::TriangleBatch& t, const std::vector<int>& ids) {
    auto b = std::make_unique<Buffers>();
    upload_batch(*b, t.positions, t.colours, ids, 3);
    b->texture = t.texture;
    b->tint = QVector3D(t.tint[0], t.tint[1], t.tint[2]);
    b->xray = t.xray;
    if (t.texture >= 0) {
        b->uvs.create();
        b->uvs.bind();
        b->uvs.allocate(t.uvs.data(), static_cast<int>(t.uvs.size() * sizeof(float)));
        b->uvs.release();
    }
    return b;
}

// Once per picture change: one buffer set per triangle batch, one for lines, one for points.
void ModelViewWidget::upload() {
    const view::Picture& p = source_.picture();
    if (uploaded_ != source_.picture_revision()) {
        const bool first = uploaded_ == ~std::uint64_t{0};
        indexer_.clear();
        solids_ = upload_batches(p.solids);
        ghost_ = upload_batches(p.ghost);
        frames_since_upload_ = 0;
        coarse_.clear();
        id_solids_.clear();
        load_textures(p.textures);
        if (instancing_) {
            upload_batch(lines_, p.lines.positions, p.lines.colours, p.lines.ids, 2);
        } else {
            view::LineBatch lines = p.lines;
            add_shape_lines(p.shapes, lines);
            upload_batch(lines_, lines.positions, lines.colours, lines.ids, 2);
        }
        upload_shapes(p.shapes);
        uploaded_ = source_.picture_revision();
        if (first && !kept_camera_) fit();
        source_.picture_uploaded();
    }
    const view::LineBatch h = source_.highlight();
    upload_batch(highlight_, h.positions, h.colours, h.ids, 2);
    highlight_positions_ = h.positions;
}

// The position and colour attributes from these buffers, a value a vertex.
void ModelViewWidget::bind_vertices(QOpenGLBuffer& positions, QOpenGLBuffer& colours) {
    const int position = program_->attributeLocation("position");
    const int colour = program_->attributeLocation("colour");
    positions.bind();
    program_->enableAttributeArray(position);
    program_->setAttributeBuffer(position, GL_FLOAT, 0, 3);
    colours.bind();
    program_->enableAttributeArray(colour);
    glVertexAttribPointer(colour, 3, GL_UNSIGNED_BYTE, GL_TRUE, 0, nullptr);
}

void ModelViewWidget::draw(const Buffers& b, GLenum mode, bool lit, bool ids) {
    if (b.vertices == 0) return;
    const int uv = program_->attributeLocation("uv");
    auto& buffers = const_cast<Buffers&>(b);
    bind_vertices(buffers.positions, ids ? buffers.ids : buffers.colours);
    const GlTexture* texture = ids ? nullptr : texture_of(b.texture);
    if (texture) {
        buffers.uvs.bind();
        program_->enableAttributeArray(uv);
        program_->setAttributeBuffer(uv, GL_FLOAT, 0, 2);
        glBindTexture(GL_TEXTURE_2D, texture->id);
    } else {
        program_->disableAttributeArray(uv);
    }
    QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
    program_->setUniformValue("lit", lit && !ids ? 1.0f : 0.0f);
    program_->setUniformValue("textured", texture ? 1.0f : 0.0f);
    program_->setUniformValue("tint", b.tint);
    glDrawArrays(mode, 0, b.vertices);
    if (texture) glBindTexture(GL_TEXTURE_2D, 0);
}

// The unit shapes once, then each marker's centre, direction, radius, colour and id.
void ModelViewWidget::upload_shapes(const view::MarkerShapes& shapes) {
    const auto fill = [](QOpenGLBuffer& buffer, const auto& data) {
        if (!buffer.isCreated()) buffer.create();
        buffer.bind();
        buffer.allocate(data.data(), static_cast<int>(data.size() * sizeof(data[0])));
        buffer.release();
    };
    if (!shapes_.sphere.isCreated()) {
        fill(shapes_.sphere, view::unit_sphere());
        fill(shapes_.line, std::array<float, 6>{0, 0, 0, 1, 1, 1});
    }
    std::vector<std::uint8_t> ids;
    ids.reserve(shapes.ids.size() * 3);
    for (const int id : shapes.ids) put_id(ids, id);
    fill(shapes_.centres, shapes.centres);
    fill(shapes_.directions, shapes.directions);
    fill(shapes_.radii, shapes.radii);
    fill(shapes_.colours, shapes.colours);
    fill(shapes_.ids, ids);
    shapes_.count = static_cast<int>(shapes.size());
}

// Each marker's point: its centre, a square of the point size.
void ModelViewWidget::draw_points(bool ids) {
    if (shapes_.count == 0) return;
    program_->disableAttributeArray(program_->attributeLocation("uv"));
    program_->setUniformValue("lit", 0.0f);
    program_->setUniformValue("textured", 0.0f);
    bind_vertices(shapes_.centres, ids ? shapes_.ids : shapes_.colours);
    QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
    glDrawArrays(GL_POINTS, 0, shapes_.count);
}

// Each marker's direction line, then its sphere: the shared shape drawn once per marker.
// Without instances they are in the lines.
void ModelViewWidget::draw_shapes(bool ids) {
    if (shapes_.count == 0 || !instancing_) return;
    QOpenGLExtraFunctions* f = context()->extraFunctions();
    const int position = program_->attributeLocation("position");
    const int colour = program_->attributeLocation("colour");
    const int centre = program_->attributeLocation("centre");
    const int scale = program_->attributeLocation("scale");
    program_->disableAttributeArray(program_->attributeLocation("uv"));
    program_->setUniformValue("lit", 0.0f);
    program_->setUniformValue("textured", 0.0f);
    const auto attribute = [&](QOpenGLBuffer& buffer, int location, GLenum type, int size,
                               bool normalised, int divisor) {
        buffer.bind();
        program_->enableAttributeArray(location);
        glVertexAttribPointer(location, size, type, normalised ? GL_TRUE : GL_FALSE, 0, nullptr);
        f->glVertexAttribDivisor(location, divisor);
    };
    attribute(shapes_.centres, centre, GL_FLOAT, 3, false, 1);
    attribute(ids ? shapes_.ids : shapes_.colours, colour, GL_UNSIGNED_BYTE, 3, true, 1);
    const struct {
        QOpenGLBuffer& shape;
        int vertices;
        QOpenGLBuffer& scale;
        int scale_size;
        float shaped;
    } kinds[] = {
        {shapes_.line, 2, shapes_.directions, 3, 1.0f},
        {shapes_.sphere, static_cast<int>(view::unit_sphere().size()), shapes_.radii, 1, 2.0f}};
    for (const auto& k : kinds) {
        attribute(k.shape, position, GL_FLOAT, 3, false, 0);
        attribute(k.scale, scale, GL_FLOAT, k.scale_size, false, 1);
        program_->setUniformValue("shaped", k.shaped);
        f->glDrawArraysInstanced(GL_LINES, 0, k.vertices, shapes_.count);
    }
    QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
    program_->setUniformValue("shaped", 0.0f);
    // The divisors stay with the attribute locations: the other draws take one value a vertex.
    for (const int location : {colour, centre, scale}) f->glVertexAttribDivisor(location, 0);
    program_->disableAttributeArray(centre);
    program_->disableAttributeArray(scale);
}

const ModelViewWidget::GlTexture* ModelViewWidget::texture_of(int number) const {
    if (!textures_shown_ || number < 0) return nullptr;
    const auto it = gl_textures_.find(number);
    return it == gl_textures_.end() ? nullptr : &it->second;
}

// A new set of textures starts loading in the background; the textures of the one before are
// dropped, and so is what its thread still loads. A picture of the same model (another detail
// level) keeps what was loaded.
void ModelViewWidget::load_textures(const std::shared_ptr<const view::PictureTextures>& set) {
    if (loader_ && loader_->textures() == set.get()) return;
    loader_.reset();
    drop_textures();
    if (!set || set->entries.empty()) return;
    loader_ = std::make_unique<TextureLoader>(
        set, this,
        [this](int number, view::TextureImage image) { texture_ready(number, std::move(image)); },
        context()->hasExtension(QByteArrayLiteral("GL_EXT_texture_compression_s3tc")));
}

// Kept until the waiting events are handled, then sent to the GL a piece at a time.
void ModelViewWidget::texture_ready(int number, view::TextureImage image) {
    uploads_.add(number, std::move(image));
    if (!take_arrived_.isActive()) take_arrived_.start();
}

// Pieces of the textures that arrived sent for kUploadMs, then the window answers before the
// next turn; each texture whose pieces are all there is told to the picture's logic at once
// and drawn with the next frame due.
void ModelViewWidget::take_arrived() {
    const bool upload = !failed_ && context();
    if (upload) makeCurrent();
    std::vector<TextureUploads::Done> done = uploads_.run(upload ? context() : nullptr, kUploadMs);
    if (upload) doneCurrent();
    for (TextureUploads::Done& d : done) {
        source_.texture_loaded(d.number, d.image.status);
        if (d.id == 0) continue;
        gl_textures_[d.number] = {d.id, d.image.alpha};
        images_[d.number] = std::move(d.image);
    }
    if (!uploads_.empty()) take_arrived_.start();
    if (done.empty()) return;
    if (on_changed) on_changed();
    if (uploads_.draw_due()) redraw();
    for (const TextureUploads::Done& d : done) Q_EMIT texture_arrived(d.number);
}

void ModelViewWidget::drop_textures() {
    uploads_.clear(context());
    take_arrived_.stop();
    for (auto& [number, t] : gl_textures_) glDeleteTextures(1, &t.id);
    gl_textures_.clear();
    images_.clear();
}

void ModelViewWidget::set_textures_shown(bool shown) {
    textures_shown_ = shown;
    redraw();
}

void ModelViewWidget::redraw() {
    frame_due_ = true;
    update();
}

void ModelViewWidget::paintGL() {
    // Qt paints the widget again whenever the window is exposed or composed anew (a label
    // changed, the frame grabbed). The framebuffer keeps the last frame (partial updates), and
    // it stands while nothing it shows has changed: a million triangles are not drawn twice.
    if (!frame_due_ && uploaded_ == source_.picture_revision() &&
        source_.highlight().positions == highlight_positions_)
        return;
    frame_due_ = false;
    glClearColor(0.11f, 0.12f, 0.15f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (failed_) return;
    painting_ = true;
    upload();
    painting_ = false;
    program_->bind();
    program_->setUniformValue("mvp", projection() * view_matrix() * model_matrix());
    const QVector3D eye = eye_direction();
    program_->setUniformValue("light", QVector3D(eye.x(), eye.y(), -eye.z()));
    program_->setUniformValue("point_size", 7.0f);
    program_->setUniformValue("alpha", 1.0f);
    if (wireframe_) {
        draw_edges();
    } else {
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
        draw_solids();
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
    draw_markers();
    glDisable(GL_DEPTH_TEST);
    glLineWidth(2);
    draw(highlight_, GL_LINES, false, false);
    glLineWidth(1);
    draw_gizmo();
    glEnable(GL_DEPTH_TEST);
    program_->release();
}

// Lines and points where the hull hides them first, faded, then where nothing does.
void ModelViewWidget::draw_markers() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_GREATER);
    program_->setUniformValue("alpha", kHiddenAlpha);
    draw(lines_, GL_LINES, false, false);
    draw_shapes(false);
    draw_points(false);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    program_->setUniformValue("alpha", 1.0f);
    draw(lines_, GL_LINES, false, false);
    draw_shapes(false);
    draw_points(false);
}

// The stored polygons' edges, asked of the picture's logic once per picture while shown.
void ModelViewWidget::draw_edges() {
    if (edges_uploaded_ != source_.picture_revision()) {
        const view::LineBatch e = source_.polygon_edges();
        upload_batch(edges_, e.positions, e.colours, e.ids, 2);
        edges_uploaded_ = source_.picture_revision();
    }
    draw(edges_, GL_LINES, false, false);
}

// The opaque batches first (in x-ray the parts placed on the hull), then those whose texture
// has alpha (in x-ray the hull), blended over them without hiding what lies behind. While a
// drag moves the view a large picture is drawn coarser.
void ModelViewWidget::draw_solids() {
    indexer_.take(solids_);
    const GlBatches* coarse = moving_ ? coarse_.ready() : nullptr;
    const GlBatches& solids = coarse ? *coarse : solids_;
    const QMatrix4x4 mvp = projection() * view_matrix() * model_matrix();
    const QSize view = device_size();
    const auto draw_pass = [&](bool blended) {
        for (const auto& b : solids) {
            const GlTexture* t = texture_of(b->texture());
            // In x-ray only the hull is see-through: a turret stays solid even where its
            // texture has alpha, or it would fade to nothing behind the hull's layers.
            const bool see_through = xray_ ? b->xray() : t && t->alpha;
            if (see_through == blended) b->draw(*program_, *this, mvp, view, t ? t->id : 0);
        }
    };
    draw_pass(false);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    if (xray_) program_->setUniformValue("alpha", kXrayAlpha);
    draw_pass(true);
    // The other model of a comparison, over both, hidden where this model's hull is nearer.
    program_->setUniformValue("alpha", view::kGhostAlpha);
    for (const auto& b : ghost_) b->draw(*program_, *this, mvp, view, 0);
    program_->setUniformValue("alpha", 1.0f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    // Once the frame's work is given out. A picture drawn again before it is on the screen (a
    // grab) is indexed from then on.
    if (frames_since_upload_++ > 0) indexer_.start(solids_);
    if (indexer_.running() && !indexed_poll_.isActive()) indexed_poll_.start();
    coarse_.make(solids_);
}

// Three axes in the lower left corner, turned as the model is: x red, y green, z blue.
void ModelViewWidget::draw_gizmo() {
    const int side = static_cast<int>(90 * devicePixelRatioF());
    glViewport(0, 0, side, side);
    QMatrix4x4 turn;
    turn.lookAt(eye_direction() * 3, QVector3D(), QVector3D(0, 1, 0));
    QMatrix4x4 square;
    square.ortho(-1.3f, 1.3f, -1.3f, 1.3f, 0.1f, 10.0f);
    program_->setUniformValue("mvp", square * turn * model_matrix());
    const std::vector<float> ends{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    const std::vector<std::uint8_t> colours{255, 80,  80, 255, 80,  80,  80,  255, 80,
                                            80,  255, 80, 100, 130, 255, 100, 130, 255};
    Buffers axes;
    upload_batch(axes, ends, colours, {0, 1, 2}, 2);
    draw(axes, GL_LINES, false, false);
    for (QOpenGLBuffer* buffer : {&axes.positions, &axes.colours, &axes.ids}) buffer->destroy();
    const qreal ratio = devicePixelRatioF();
    glViewport(0, 0, static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
}

QVector3D ModelViewWidget::eye_direction() const {
    const pof::Vec3 eye = camera_.eye_direction();
    return {eye.x, eye.y, eye.z};
}

QMatrix4x4 ModelViewWidget::view_matrix() const {
    return QMatrix4x4(camera_.view().m.data());
}

QMatrix4x4 ModelViewWidget::projection() const {
    const float aspect =
        static_cast<float>(std::max(width(), 1)) / static_cast<float>(std::max(height(), 1));
    return QMatrix4x4(camera_.projection(aspect).m.data());
}

ModelViewWidget::Kept ModelViewWidget::kept() const {
    return {camera_, view_name_, wireframe_, xray_, textures_shown_};
}

void ModelViewWidget::restore(const Kept& kept) {
    camera_ = kept.camera;
    kept_camera_ = true;
    view_name_ = kept.view_name;
    orthographic_action_->setChecked(camera_.orthographic());
    wireframe_action_->setChecked(wireframe_ = kept.wireframe);
    xray_action_->setChecked(xray_ = kept.xray);
    textures_action_->setChecked(kept.textures);
    set_textures_shown(kept.textures);
    moved();
}

void ModelViewWidget::fit() {
    camera_.fit(source_.picture());
    moved();
}

bool ModelViewWidget::frame_highlight() {
    const std::vector<float> ends = source_.highlight().positions;
    QVector3D low, high;
    bool any = false;
    for (std::size_t i = 0; i + 2 < ends.size(); i += 3) {
        const QVector3D p(ends[i], ends[i + 1], -ends[i + 2]);
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || !std::isfinite(p.z())) continue;
        low = any ? QVector3D(std::min(low.x(), p.x()), std::min(low.y(), p.y()),
                              std::min(low.z(), p.z()))
                  : p;
        high = any ? QVector3D(std::max(high.x(), p.x()), std::max(high.y(), p.y()),
                               std::max(high.z(), p.z()))
                   : p;
        any = true;
    }
    if (!any) return false;
    // Three times the item's size: the item with some of what is around it.
    const QVector3D centre = (low + high) / 2;
    camera_.frame({centre.x(), centre.y(), centre.z()}, (high - low).length() * 1.5f);
    moved();
    return true;
}

// Zooms by wheel notches keeping the point under the pointer where it is.
void ModelViewWidget::zoom_at(const QPoint& at, float steps) {
    camera_.zoom_at(steps, static_cast<float>(at.x()) - static_cast<float>(width()) / 2,
                    static_cast<float>(height()) / 2 - static_cast<float>(at.y()), height());
    moved();
}

void ModelViewWidget::look(float yaw, float pitch) {
    camera_.look(yaw, pitch);
    moved();
}

void ModelViewWidget::moved() {
    ids_valid_ = false;
    // Only a new name repaints the label: each repaint composes the window anew.
    const QString name = view_name();
    if (overlay_->text() != name) {
        overlay_->setText(name);
        overlay_->adjustSize();
    }
    // A fit as the first picture is uploaded moves the camera before the frame is drawn from it:
    // a second frame would draw the same.
    if (!painting_) redraw();
}

QSize ModelViewWidget::device_size() const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(width() * ratio), static_cast<int>(height() * ratio)};
}

scene::RenderedImage ModelViewWidget::picture_image(int width, int height) const {
    scene::RenderOptions options;
    options.width = width;
    options.height = height;
    options.textured = textures_shown_;
    scene::TextureImages rgba;  // the GL's compressed textures decoded
    for (const auto& [number, image] : images_) rgba[number] = scene::rgba_image(image);
    // The markers' shapes from the picture's logic: uploaded, they are no longer in picture().
    scene::Renderer renderer(camera_, options, rgba);
    renderer.solids(source_.picture().solids);
    return renderer.finish(source_.picture().lines, source_.marker_shapes(), source_.highlight());
}

// The size first (the window's, to start from), then the file; nothing is written when
// either is cancelled.
void ModelViewWidget::save_picture() {
    if (!desktop_) return;
    const std::string initial = pof::integer_text(width()) + "\u00d7" + pof::integer_text(height());
    const auto typed =
        desktop_->ask_text("Save Picture", "Size in pixels (width \u00d7 height):", initial);
    if (!typed) return;
    const auto size = size_from(*typed);
    if (!size) {
        return desktop_->stop_message("\"" + *typed + "\" is no picture size: each side is 1 to " +
                                      pof::integer_text(scene::kMaxImageSide) + " pixels.");
    }
    const view::OpenFileResult file = desktop_->save_file(
        {"Save Picture", source_.picture_file(), "PNG pictures (*.png)", "png"});
    if (file.status != view::OpenFileResult::Status::Chosen) return;
    std::string bytes;
    {
        view::BusyCursor busy(*desktop_);
        const scene::RenderedImage image = picture_image(size->width(), size->height());
        bytes = textures::encode_png(image.width, image.height, image.rgba);
    }
    QSaveFile out(QFile::decodeName(QByteArray::fromStdString(file.path)));
    if (bytes.empty() || !out.open(QIODevice::WriteOnly) ||
        out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !out.commit()) {
        desktop_->stop_message("Cannot save " + file.path + ": " + out.errorString().toStdString());
    }
}

QPointF ModelViewWidget::project(const QVector3D& point) const {
    const QVector3D ndc = (projection() * view_matrix() * model_matrix()).map(point);
    return {(ndc.x() + 1) / 2 * width(), (1 - ndc.y()) / 2 * height()};
}

bool ModelViewWidget::ids_current() const {
    return ids_valid_ && ids_revision_ == source_.picture_revision() && ids_size_ == device_size();
}

// Draws every item in its id colour into a frame of its own and reads the whole frame back,
// so the pointer's moves look items up without drawing until the view changes.
void ModelViewWidget::draw_ids() {
    makeCurrent();
    const QSize size = device_size();
    if (!id_frame_ || id_frame_->size() != size) {
        id_frame_ =
            std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::Depth);
    }
    ids_size_ = QSize();  // until read back: nothing under the pointer
    if (!id_frame_->isValid() || !id_frame_->bind()) return doneCurrent();
    glViewport(0, 0, size.width(), size.height());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    upload();
    program_->bind();
    program_->setUniformValue("mvp", projection() * view_matrix() * model_matrix());
    program_->setUniformValue("point_size", kPickPointSize);
    program_->setUniformValue("alpha", 1.0f);
    if (id_solids_.empty()) {
        for (const view::TriangleBatch& t : source_.picture().solids)
            id_solids_.push_back(upload_triangles(t, t.ids));
    }
    for (const auto& b : id_solids_) draw(*b, GL_TRIANGLES, false, true);
    // Markers win over the hull they sit on or in, as they are drawn through it.
    glDisable(GL_DEPTH_TEST);
    glLineWidth(kPickLineWidth);
    draw(lines_, GL_LINES, false, true);
    draw_shapes(true);
    glLineWidth(1);
    draw_points(true);
    glEnable(GL_DEPTH_TEST);
    program_->release();
    ids_.resize(static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height()));
    glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, ids_.data());
    id_frame_->release();
    doneCurrent();
    answers_current(size);
    ++id_frames_;
}

// Items looked up from now on belong to this picture seen from this view.
void ModelViewWidget::answers_current(const QSize& size) {
    ids_size_ = size;
    if (ids_revision_ != source_.picture_revision()) hovered_ = -2;  // ids of another picture
    ids_revision_ = source_.picture_revision();
    ids_valid_ = true;
}

int ModelViewWidget::id_at(const QPoint& position) const {
    const qreal ratio = devicePixelRatioF();
    const int x = static_cast<int>(position.x() * ratio);
    const int y = ids_size_.height() - 1 - static_cast<int>(position.y() * ratio);
    // Red, green and blue bytes hold the id's low, middle and high byte.
    const auto id_of = [this](int px, int py) {
        if (px < 0 || py < 0 || px >= ids_size_.width() || py >= ids_size_.height()) return -1;
        const auto* pixel = reinterpret_cast<const std::uint8_t*>(
            &ids_[static_cast<std::size_t>(py) * ids_size_.width() + px]);
        return (pixel[0] | (pixel[1] << 8) | (pixel[2] << 16)) - 1;
    };
    // The pixel itself, else the nearest item within reach, ring by ring.
    for (int r = 0; r <= kPickReach; ++r) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
                const int id = id_of(x + dx, y + dy);
                if (id >= 0) return id;
            }
        }
    }
    return -1;
}

int ModelViewWidget::item_at(const QPoint& position) {
    if (failed_ || !isValid()) return -1;
    const QSize size = device_size();
    const qreal ratio = devicePixelRatioF();
    view::PickRequest request;
    (projection() * view_matrix() * model_matrix()).copyDataTo(request.transform.data());
    request.width = size.width();
    request.height = size.height();
    request.x = static_cast<int>(position.x() * ratio);
    request.y = size.height() - 1 - static_cast<int>(position.y() * ratio);
    request.point_size = kPickPointSize;
    request.line_width = kPickLineWidth;
    request.reach = kPickReach;
    if (const auto id = source_.item_at(request)) {
        if (!ids_current()) {
            answers_current(size);
            ids_.clear();  // drawn for another view, if at all
        }
        return *id;
    }
    return drawn_item_at(position);
}

int ModelViewWidget::drawn_item_at(const QPoint& position) {
    if (failed_ || !isValid()) return -1;
    if (!ids_current() || ids_.empty()) draw_ids();
    return id_at(position);
}

void ModelViewWidget::rested() {
    if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
    hovered(item_at(rest_at_));
}

void ModelViewWidget::hovered(int id) {
    if (id == hovered_) return;
    hovered_ = id;
    source_.item_hovered(id);
    if (on_changed) on_changed();
}

void ModelViewWidget::leaveEvent(QEvent* event) {
    rest_.stop();
    hovered(-1);
    QOpenGLWidget::leaveEvent(event);
}

void ModelViewWidget::mousePressEvent(QMouseEvent* event) {
    press_ = last_ = event->position().toPoint();
    pressed_ = event->button();
    dragged_ = false;
    rest_.stop();
}

void ModelViewWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QPoint delta = at - last_;
    last_ = at;
    if ((at - press_).manhattanLength() > 3) dragged_ = true;
    moving_ = dragged_ && event->buttons() != Qt::NoButton;
    if (event->buttons() & Qt::LeftButton) {
        look(camera_.yaw() - delta.x() * 0.01f, camera_.pitch() + delta.y() * 0.01f);
        view_name_ = QStringLiteral("Free");
        moved();
    } else if (event->buttons() & (Qt::RightButton | Qt::MiddleButton)) {
        camera_.pan(static_cast<float>(delta.x()), static_cast<float>(delta.y()), height());
        moved();
    } else if (ids_current()) {
        hovered(item_at(at));
    } else {
        rest_at_ = at;
        rest_.start();
    }
}

void ModelViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == pressed_ && !dragged_;
    pressed_ = Qt::NoButton;
    if (moving_) {
        moving_ = false;
        redraw();  // the whole picture again
    }
    if (!click) return;
    if (event->button() == Qt::RightButton) {
        // The window's own menu, as a right click anywhere else in it opens.
        QWidget* w = window();
        Q_EMIT w->customContextMenuRequested(w->mapFromGlobal(event->globalPosition().toPoint()));
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const int id = item_at(event->position().toPoint());
    if (id < 0) return;
    source_.item_clicked(id);
    if (on_changed) on_changed();
}

void ModelViewWidget::wheelEvent(QWheelEvent* event) {
    zoom_at(event->position().toPoint(), static_cast<float>(event->angleDelta().y()) / 120.0f);
}

}  // namespace ui
