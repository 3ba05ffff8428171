#pragma once
// Loads a picture's textures on a thread of its own, one after the other in the picture's
// order, and hands each to the window's thread as it is ready: the model shows at once and
// its textures appear while the window keeps answering.

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "view/picture.h"

namespace ui {

class TextureLoader {
  public:
    using Ready = std::function<void(int number, view::TextureImage image)>;

    // ready runs on receiver's thread for each texture, while receiver lives.
    TextureLoader(std::shared_ptr<const view::PictureTextures> textures, QObject* receiver,
                  Ready ready);
    // Stops after the texture being loaded; nothing more reaches ready.
    ~TextureLoader();
    TextureLoader(const TextureLoader&) = delete;
    TextureLoader& operator=(const TextureLoader&) = delete;

    const view::PictureTextures* textures() const { return textures_.get(); }

  private:
    void run();

    std::shared_ptr<const view::PictureTextures> textures_;
    QObject* receiver_;
    std::shared_ptr<Ready> ready_;  // shared with the calls queued for the window's thread
    std::shared_ptr<std::atomic<bool>> stopped_;
    std::thread worker_;
};

}  // namespace ui
