#pragma once
// Loads a picture's textures on a thread of its own, one after the other in the picture's
// order, and hands each to the window's thread as it is ready: the model shows at once and
// its textures appear while the window keeps answering.
//
// Closing or reloading never waits for a decode: the loader's destructor asks the thread to
// stop and returns at once. The thread stops at its texture's next stage (the decoders
// themselves run to their end), its result is dropped, and the thread is joined once it has
// finished: when a later loader goes, or at exit.

#include <QObject>
#include <functional>
#include <memory>
#include <thread>

#include "view/picture.h"

namespace ui {

class TextureLoader {
  public:
    using Ready = std::function<void(int number, view::TextureImage image)>;

    // ready runs on receiver's thread for each texture, while the loader and receiver live.
    // The receiver must outlive the loader. With `dxt` (the receiver's OpenGL takes DXT
    // blocks) DXT files come as stored, compressed.
    TextureLoader(std::shared_ptr<const view::PictureTextures> textures, QObject* receiver,
                  Ready ready, bool dxt = false);
    // Returns at once; nothing more reaches ready.
    ~TextureLoader();
    TextureLoader(const TextureLoader&) = delete;
    TextureLoader& operator=(const TextureLoader&) = delete;

    const view::PictureTextures* textures() const;

    // Waits for the threads of the loaders gone to finish.
    static void join_stopped();

    struct Shared;  // between the loader, its thread and the calls queued for the receiver

  private:
    std::shared_ptr<Shared> shared_;
    std::jthread worker_;
};

}  // namespace ui
