#pragma once
// The textures that arrived from the loader, handed to OpenGL a piece at a time (a band of
// rows of one level) over the window's frames: a turn sends pieces for a few milliseconds and
// the window draws and answers between turns, so a large texture never holds a frame up. DXT
// levels go compressed, as stored; a texture is drawn only once all its levels are there.

#include <QElapsedTimer>
#include <QOpenGLContext>
#include <cstddef>
#include <deque>
#include <vector>

#include "view/picture.h"
#include "view/texture_pieces.h"

namespace ui {

class TextureUploads {
  public:
    // A texture whose pieces have all been sent; id 0 when it has nothing to show.
    struct Done {
        int number = 0;
        GLuint id = 0;
        view::TextureImage image;
    };

    // Queued behind those that arrived before it.
    void add(int number, view::TextureImage image);
    bool empty() const { return queue_.empty(); }
    // Sends pieces, at least one, until `ms` milliseconds have passed or nothing is left; the
    // context current, or null when nothing is drawn (the textures then end unshown).
    std::vector<Done> run(QOpenGLContext* context, int ms);
    // Drops what is queued, deleting the textures begun; the context current or null.
    void clear(QOpenGLContext* context);

    // Whether the window should draw the textures done so far: when none is left to send, and
    // otherwise every kDrawMs at most (a frame of a large textured model costs more than a
    // turn, and the textures come in faster while it is not drawn).
    bool draw_due();
    static constexpr int kDrawMs = 100;

    // The longest a call of run() took, in milliseconds.
    double longest_turn_ms() const { return longest_turn_ms_; }

    // The OpenGL compressed format of a DXT coding; 0 for RGBA.
    static GLenum compressed_format(view::TextureCoding coding);

  private:
    struct Pending {
        int number = 0;
        view::TextureImage image;
        std::vector<view::TexturePiece> pieces;
        std::size_t next = 0;
        GLuint id = 0;
    };
    void begin(Pending& p, QOpenGLContext& context);
    void send(Pending& p, QOpenGLContext& context);

    std::deque<Pending> queue_;
    double longest_turn_ms_ = 0;
    QElapsedTimer drawn_;
};

}  // namespace ui
