#include "ui/texture_loader.h"

#include <QMetaObject>
#include <atomic>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace ui {

struct TextureLoader::Shared {
    std::shared_ptr<const view::PictureTextures> textures;
    // The receiver's thread alone reads and writes these two.
    Ready ready;
    bool dropped = false;  // the loader is gone: results still queued are not wanted
    bool dxt = false;      // DXT files as stored
    // The thread queues a call on the receiver only under the lock, so once the loader has
    // set it to null no call is queued on a receiver that may be gone.
    std::mutex mutex;
    QObject* receiver = nullptr;
    std::atomic<bool> finished = false;
};

namespace {

using Shared = TextureLoader::Shared;

void deliver(const std::shared_ptr<Shared>& shared, int number, view::TextureImage image) {
    auto moved = std::make_shared<view::TextureImage>(std::move(image));
    const std::lock_guard lock(shared->mutex);
    if (!shared->receiver) return;
    QMetaObject::invokeMethod(
        shared->receiver,
        [shared, number, moved = std::move(moved)] {
            if (!shared->dropped) shared->ready(number, std::move(*moved));
        },
        Qt::QueuedConnection);
}

void run(const std::stop_token& stop, const std::shared_ptr<Shared>& shared) {
    for (const view::PictureTextures::Entry& entry : shared->textures->entries) {
        if (stop.stop_requested()) break;
        view::TextureImage image;
        try {
            image = entry.load_for(shared->dxt)(stop);
        } catch (const std::exception& e) {
            // Memory for a huge texture, say: the texture shows its tint instead.
            image.status = std::string("unreadable: ") + e.what();
        }
        if (stop.stop_requested()) break;
        deliver(shared, entry.number, std::move(image));
    }
    shared->finished = true;
}

// The threads of the loaders gone, until they have finished. Only the window's thread
// retires threads; the lock keeps that an accident and not a rule.
class Stopped {
  public:
    ~Stopped() { join(false); }

    void add(std::jthread thread, std::shared_ptr<const Shared> shared) {
        join(true);
        const std::lock_guard lock(mutex_);
        threads_.push_back({std::move(thread), std::move(shared)});
    }

    // Joins the threads that have finished, or all of them.
    void join(bool finished_only) {
        std::vector<Thread> done;
        {
            const std::lock_guard lock(mutex_);
            for (auto t = threads_.begin(); t != threads_.end();) {
                if (finished_only && !t->shared->finished) {
                    ++t;
                    continue;
                }
                done.push_back(std::move(*t));
                t = threads_.erase(t);
            }
        }
        for (Thread& t : done) t.thread.join();
    }

  private:
    struct Thread {
        std::jthread thread;
        std::shared_ptr<const Shared> shared;
    };
    std::mutex mutex_;
    std::vector<Thread> threads_;
};

Stopped& stopped_threads() {
    static Stopped threads;
    return threads;
}

}  // namespace

TextureLoader::TextureLoader(std::shared_ptr<const view::PictureTextures> textures,
                             QObject* receiver, Ready ready, bool dxt)
    : shared_(std::make_shared<Shared>()) {
    shared_->dxt = dxt;
    shared_->textures = std::move(textures);
    shared_->ready = std::move(ready);
    shared_->receiver = receiver;
    if (!shared_->textures) {
        shared_->finished = true;
        return;
    }
    worker_ = std::jthread([shared = shared_](const std::stop_token& stop) { run(stop, shared); });
}

TextureLoader::~TextureLoader() {
    worker_.request_stop();
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->receiver = nullptr;
    }
    shared_->dropped = true;
    if (worker_.joinable()) stopped_threads().add(std::move(worker_), shared_);
}

const view::PictureTextures* TextureLoader::textures() const {
    return shared_->textures.get();
}

void TextureLoader::join_stopped() {
    stopped_threads().join(false);
}

}  // namespace ui
