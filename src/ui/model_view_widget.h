#pragma once
// Draws a picture in 3-D: lit triangles, lines and points with depth (where the hull hides
// them, faded through it), the highlighted item on top and a small axes gizmo. Left drag
// orbits, right or middle drag pans, the wheel zooms towards the pointer; a right click
// without a drag opens the window's menu. The view keys work wherever the focus is in the
// window: F or Home fits, Shift+F frames the highlighted item, 1/3/7 look from the front,
// right and top (Ctrl: the opposite side), 5 switches perspective and orthographic, W
// wireframe (the stored polygons' edges), X x-ray (the hull translucent), T textures on and
// off, Ctrl+S saves the view as a PNG picture (drawn by the software renderer). A corner label
// names the view. Textures load in the background and appear as they are
// ready. A click asks the picture's logic to show the item under the pointer, and the item
// the pointer rests on is named to it. Nothing about what the picture shows is known here.

#include <QAction>
#include <QLabel>
#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>
#include <QTimer>
#include <QVector3D>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "scene/camera.h"
#include "scene/render.h"
#include "ui/draw_batches.h"
#include "ui/texture_loader.h"
#include "ui/texture_upload.h"
#include "view/desktop.h"
#include "view/picture.h"

namespace ui {

class ModelViewWidget : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT

  public:
    explicit ModelViewWidget(view::PictureSource& source, QWidget* parent = nullptr);
    ~ModelViewWidget() override;

    // The picture or its highlight may have changed: upload again if needed and redraw.
    void sync();
    // Called after a click or hover changed the logic's state.
    std::function<void()> on_changed;

    // Fits the camera to what is drawn.
    void fit();
    // Orbits around the target by that angle, in radians, as a left drag does.
    void turn(float yaw) { look(camera_.yaw() + yaw, camera_.pitch()); }
    // The view as the software renderer draws it, at that size in pixels.
    scene::RenderedImage picture_image(int width, int height) const;
    // Save Picture (the toolbar button, Ctrl+S): asks for the size and the file through the
    // desktop, then writes the view as PNG. Says why in a message box when it cannot.
    void save_picture();
    // The desktop that asks for the size and the file; without one nothing is saved.
    void set_desktop(view::Desktop* desktop) { desktop_ = desktop; }
    // The action behind Save Picture.
    QAction* save_action() const { return save_action_; }
    // Where a point of the picture lands in the widget, in pixels from the top left.
    QPointF project(const QVector3D& point) const;
    // The item drawn at a widget position, or -1, as the picture's logic finds it without
    // drawing; from a logic that cannot, as drawn_item_at finds it.
    int item_at(const QPoint& position);
    // The item in the frame of item ids at a widget position, drawing the frame first when
    // the view or the picture changed since it was last drawn.
    int drawn_item_at(const QPoint& position);
    // How many times the frame of item ids was drawn.
    int id_frames() const { return id_frames_; }
    // The picture's batches are being indexed, or their coarse copy made, behind the frames
    // already drawn.
    bool preparing() const { return indexer_.running() || coarse_.making(); }
    bool drawing_failed() const { return failed_; }
    // Textures on the polygons, or each texture's tint (T).
    bool textures_shown() const { return textures_shown_; }
    void set_textures_shown(bool shown);
    int textures_loaded() const { return static_cast<int>(gl_textures_.size()); }
    const TextureUploads& texture_uploads() const { return uploads_; }
    // The actions a toolbar offers: projection, wireframe, x-ray, textures, fit, save.
    QList<QAction*> toolbar_actions() const { return toolbar_actions_; }
    // "Front · Orthographic", "Free · Perspective": the corner label's text.
    QString view_name() const;
    QVector3D target() const {
        const pof::Vec3 t = camera_.target();
        return {t.x, t.y, t.z};
    }
    // Frames the highlighted item; false when nothing is highlighted.
    bool frame_highlight();
    // What F5 keeps of the view: the camera, the name of the view and its toggles.
    struct Kept {
        scene::Camera camera;
        QString view_name;
        bool wireframe = false, xray = false, textures = true;
    };
    Kept kept() const;
    // The view as kept, in place of the fit a new view opens with.
    void restore(const Kept& kept);

  Q_SIGNALS:
    // A texture's load ended, shown or not (its status tells the picture's logic).
    void texture_arrived(int number);

  protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    struct Buffers {
        QOpenGLBuffer positions, colours, ids, uvs;
        int vertices = 0;
        int texture = -1;
        QVector3D tint{1, 1, 1};  // on the texture's colours
        bool xray = true;         // see-through in x-ray
    };
    struct GlTexture {
        GLuint id = 0;
        bool alpha = false;
    };
    // The markers: the unit line and sphere shared by all, and per marker its point,
    // direction, radius, colour and id colour; the points drawn as such, the directions and
    // spheres as instances of the shapes.
    struct Shapes {
        QOpenGLBuffer line, sphere;
        QOpenGLBuffer centres, directions, radii, colours, ids;
        int count = 0;
        std::array<QOpenGLBuffer*, 7> all() {
            return {&line, &sphere, &centres, &directions, &radii, &colours, &ids};
        }
    };
    void make_actions();
    void upload_shapes(const view::MarkerShapes& shapes);
    void draw_points(bool ids);
    void draw_shapes(bool ids);
    QAction* add_action(const QString& text, const QKeySequence& key, std::function<void()> run);
    void look_from(const QString& name, float yaw, float pitch);
    void zoom_at(const QPoint& at, float steps);
    void draw_markers();
    void draw_edges();
    void upload();
    std::unique_ptr<Buffers> upload_triangles(const view::TriangleBatch& t,
                                              const std::vector<int>& ids);
    void upload_batch(Buffers& b, const std::vector<float>& positions,
                      const std::vector<std::uint8_t>& colours, const std::vector<int>& ids,
                      int per_primitive);
    void bind_vertices(QOpenGLBuffer& positions, QOpenGLBuffer& colours);
    void draw(const Buffers& b, GLenum mode, bool lit, bool ids);
    void draw_gizmo();
    void draw_solids();
    const GlTexture* texture_of(int number) const;
    void load_textures(const std::shared_ptr<const view::PictureTextures>& set);
    void texture_ready(int number, view::TextureImage image);
    void take_arrived();
    void drop_textures();
    void draw_ids();
    bool ids_current() const;
    void answers_current(const QSize& size);
    int id_at(const QPoint& position) const;
    void rested();
    void hovered(int id);
    // The camera moved: redraw, and the frame of item ids no longer matches.
    void moved();
    QSize device_size() const;
    QMatrix4x4 view_matrix() const;
    QMatrix4x4 projection() const;
    QVector3D eye_direction() const;
    void look(float yaw, float pitch);

    view::PictureSource& source_;
    std::unique_ptr<QOpenGLShaderProgram> program_;
    GlBatches solids_;
    GlBatches ghost_;  // the picture's ghost: another model's hull
    // A coarser copy of solids_ for a large picture, drawn while a drag moves the view.
    CoarseBatches coarse_;
    BatchIndexer indexer_;  // indexes solids_ behind the first frames
    QTimer indexed_poll_;
    int frames_since_upload_ = 0;
    void shown();
    bool painting_ = false;  // within paintGL, which draws from the camera as it is
    bool frame_due_ = true;  // something the frame shows changed since it was drawn
    void redraw();           // the frame is due: drawn when Qt paints next
    // The triangles again, a corner each in its item's id colour: for the frame of item ids,
    // uploaded when it is first drawn.
    std::vector<std::unique_ptr<Buffers>> id_solids_;
    bool moving_ = false;
    Buffers lines_, highlight_, edges_;
    Shapes shapes_;
    bool instancing_ = false;
    std::uint64_t edges_uploaded_ = ~std::uint64_t{0};
    std::vector<float> highlight_positions_;  // as last uploaded
    std::uint64_t uploaded_ = ~std::uint64_t{0};
    bool failed_ = false, wireframe_ = false, xray_ = false;
    QString view_name_ = QStringLiteral("Free");  // of the axis looked along, or "Free"
    scene::Camera camera_;
    bool kept_camera_ = false;  // restored: not fitted when the view first draws
    QPoint press_, last_;
    bool dragged_ = false;
    Qt::MouseButton pressed_ = Qt::NoButton;
    QList<QAction*> toolbar_actions_;
    QAction *orthographic_action_ = nullptr, *wireframe_action_ = nullptr, *xray_action_ = nullptr,
            *textures_action_ = nullptr, *save_action_ = nullptr;
    QLabel* overlay_ = nullptr;
    // Item id + 1 per device pixel, bottom row first, read back from a frame of its own.
    std::vector<std::uint32_t> ids_;
    QSize ids_size_;
    std::uint64_t ids_revision_ = 0;
    bool ids_valid_ = false;
    int id_frames_ = 0;
    std::unique_ptr<QOpenGLFramebufferObject> id_frame_;
    QTimer rest_;  // runs out when the pointer has rested a moment
    QPoint rest_at_;
    int hovered_ = -1;  // the item last named; -2 when none was named for this picture
    bool textures_shown_ = true;
    std::map<int, GlTexture> gl_textures_;  // per texture number, as loaded
    std::unique_ptr<TextureLoader> loader_;
    // Textures loaded and not yet on the GL, in the order they arrived.
    TextureUploads uploads_;
    QTimer take_arrived_;
    // The loaded textures' pixels, kept for Save Picture.
    scene::TextureImages images_;
    view::Desktop* desktop_ = nullptr;
};

}  // namespace ui
