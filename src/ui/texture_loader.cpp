#include "ui/texture_loader.h"

#include <QMetaObject>
#include <exception>

namespace ui {

TextureLoader::TextureLoader(std::shared_ptr<const view::PictureTextures> textures,
                             QObject* receiver, Ready ready)
    : textures_(std::move(textures)),
      receiver_(receiver),
      ready_(std::make_shared<Ready>(std::move(ready))),
      stopped_(std::make_shared<std::atomic<bool>>(false)),
      worker_([this] { run(); }) {}

TextureLoader::~TextureLoader() {
    stopped_->store(true);
    worker_.join();
}

void TextureLoader::run() {
    if (!textures_) return;
    for (const view::PictureTextures::Entry& entry : textures_->entries) {
        if (stopped_->load()) return;
        view::TextureImage image;
        try {
            image = entry.load();
        } catch (const std::exception& e) {
            // Memory for a huge texture, say: the texture shows its tint instead.
            image.status = std::string("unreadable: ") + e.what();
        }
        auto shared = std::make_shared<view::TextureImage>(std::move(image));
        QMetaObject::invokeMethod(
            receiver_,
            [ready = ready_, stopped = stopped_, number = entry.number, shared] {
                if (!stopped->load()) (*ready)(number, std::move(*shared));
            },
            Qt::QueuedConnection);
    }
}

}  // namespace ui
