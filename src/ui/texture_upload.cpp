#include "ui/texture_upload.h"

#include <QElapsedTimer>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <algorithm>
#include <utility>

namespace ui {

namespace {

// A piece's bytes: a band of a 2048 x 2048 RGBA level of 128 rows, of a DXT5 level of 256.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// EXT_texture_compression_s3tc; DXT1 with its transparent pixels, as the decoder reads it.
constexpr GLenum kDxt1 = 0x83F1, kDxt3 = 0x83F2, kDxt5 = 0x83F3;
constexpr GLenum kMaxLevel = 0x813D;  // GL_TEXTURE_MAX_LEVEL

// The storage for all levels is made at once where the context can (OpenGL 4.2 or ES 3):
// specifying level after level makes some drivers copy the levels made so far again.
bool has_storage(const QOpenGLContext& context) {
    const QSurfaceFormat format = context.format();
    return format.version() >= qMakePair(4, 2) ||
           (context.isOpenGLES() && format.majorVersion() >= 3);
}

}  // namespace

GLenum TextureUploads::compressed_format(view::TextureCoding coding) {
    switch (coding) {
        case view::TextureCoding::Rgba:
            return 0;
        case view::TextureCoding::Dxt1:
            return kDxt1;
        case view::TextureCoding::Dxt3:
            return kDxt3;
        case view::TextureCoding::Dxt5:
            return kDxt5;
    }
    return 0;
}

void TextureUploads::add(int number, view::TextureImage image) {
    Pending p{number, std::move(image), {}, 0, 0};
    p.pieces = view::texture_pieces(p.image, kPieceBytes);
    if (p.pieces.empty()) p.image.levels.clear();
    queue_.push_back(std::move(p));
}

// The texture made, its levels' storage with it where the context can; the levels run down
// as far as the file's mipmaps do.
void TextureUploads::begin(Pending& p, QOpenGLContext& context) {
    QOpenGLFunctions& f = *context.functions();
    f.glGenTextures(1, &p.id);
    f.glBindTexture(GL_TEXTURE_2D, p.id);
    const auto levels = static_cast<GLsizei>(p.image.levels.size());
    const GLenum compressed = compressed_format(p.image.coding);
    if (has_storage(context)) {
        context.extraFunctions()->glTexStorage2D(GL_TEXTURE_2D, levels,
                                                 compressed ? compressed : GL_RGBA8,
                                                 p.image.levels[0].width, p.image.levels[0].height);
    }
    f.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    f.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    f.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    f.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    f.glTexParameteri(GL_TEXTURE_2D, kMaxLevel, levels - 1);
}

// One band of rows; the level's storage made with its first band where it was not at once.
void TextureUploads::send(Pending& p, QOpenGLContext& context) {
    QOpenGLFunctions& f = *context.functions();
    const view::TexturePiece& piece = p.pieces[p.next++];
    const view::TextureLevel& l = p.image.levels[static_cast<std::size_t>(piece.level)];
    const GLenum compressed = compressed_format(p.image.coding);
    f.glBindTexture(GL_TEXTURE_2D, p.id);
    if (piece.y == 0 && !has_storage(context)) {
        if (compressed) {
            f.glCompressedTexImage2D(GL_TEXTURE_2D, piece.level, compressed, l.width, l.height, 0,
                                     static_cast<GLsizei>(l.rgba.size()), nullptr);
        } else {
            f.glTexImage2D(GL_TEXTURE_2D, piece.level, GL_RGBA, l.width, l.height, 0, GL_RGBA,
                           GL_UNSIGNED_BYTE, nullptr);
        }
    }
    if (compressed) {
        f.glCompressedTexSubImage2D(GL_TEXTURE_2D, piece.level, 0, piece.y, l.width, piece.rows,
                                    compressed, static_cast<GLsizei>(piece.bytes.size()),
                                    piece.bytes.data());
    } else {
        f.glTexSubImage2D(GL_TEXTURE_2D, piece.level, 0, piece.y, l.width, piece.rows, GL_RGBA,
                          GL_UNSIGNED_BYTE, piece.bytes.data());
    }
}

std::vector<TextureUploads::Done> TextureUploads::run(QOpenGLContext* context, int ms) {
    QElapsedTimer spent;
    spent.start();
    std::vector<Done> done;
    for (bool first = true;
         !queue_.empty() && (first || spent.nsecsElapsed() < std::int64_t{ms} * 1000000);
         first = false) {
        Pending& p = queue_.front();
        if (context && !p.image.levels.empty()) {
            // Making a texture's storage costs most (the driver's fresh memory): a turn does
            // it first or leaves it to the next.
            if (p.id == 0 && !first) break;
            if (p.id == 0) begin(p, *context);
            send(p, *context);
            if (p.next < p.pieces.size()) continue;
            context->functions()->glBindTexture(GL_TEXTURE_2D, 0);
        } else {
            p.image.levels.clear();
        }
        done.push_back({p.number, p.id, std::move(p.image)});
        queue_.pop_front();
    }
    longest_turn_ms_ = std::max(longest_turn_ms_, static_cast<double>(spent.nsecsElapsed()) / 1e6);
    return done;
}

bool TextureUploads::draw_due() {
    if (!queue_.empty() && drawn_.isValid() && drawn_.elapsed() < kDrawMs) return false;
    drawn_.start();
    return true;
}

void TextureUploads::clear(QOpenGLContext* context) {
    for (const Pending& p : queue_) {
        if (context && p.id) context->functions()->glDeleteTextures(1, &p.id);
    }
    queue_.clear();
}

}  // namespace ui
