#include "io/block_reads.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "io/pof_file.h"

namespace pof {

BlockReads::~BlockReads() {
    try {
        finish();
    } catch (const std::exception&) {
        // The reader that owned these blocks has ended; what it did not ask for stays unsaid.
    }
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void BlockReads::add(std::shared_ptr<char> memory, char* dest, std::int64_t offset,
                     std::int64_t n) {
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back({std::move(memory), dest, offset, n});
    }
    changed_.notify_all();
    if (!worker_.joinable()) {
        try {
            worker_ = std::thread(&BlockReads::work, this);
        } catch (const std::exception&) {
            // No second thread now: finish() does every read on the reader's own.
        }
    }
}

// Takes the next read: the second core from the front, the reader from the back, so the two
// meet in the middle.
bool BlockReads::next(Read& read, bool from_back) {
    if (waiting_.empty()) return false;
    read = from_back ? waiting_.back() : waiting_.front();
    if (from_back) {
        waiting_.pop_back();
    } else {
        waiting_.pop_front();
    }
    ++running_;
    return true;
}

void BlockReads::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        Read read{};
        if (!next(read, false)) return;  // stopping
        lock.unlock();
        run(read);
        read.memory.reset();
        lock.lock();
        --running_;
        changed_.notify_all();
    }
}

void BlockReads::finish() {
    std::unique_lock lock(mutex_);
    for (Read read{}; next(read, true);) {
        lock.unlock();
        run(read);
        read.memory.reset();
        lock.lock();
        --running_;
    }
    changed_.wait(lock, [this] { return running_ == 0; });
    if (failed_at_ < 0) return;
    const std::int64_t at = std::exchange(failed_at_, -1);
    throw ReadError(at, std::exchange(failure_, {}));
}

void BlockReads::run(const Read& read) {
    std::int64_t done = 0;
    std::string failure;
    while (done < read.n) {
        const ssize_t got = ::pread(fd_, read.dest + done, static_cast<std::size_t>(read.n - done),
                                    static_cast<off_t>(read.offset + done));
        if (got > 0) {
            done += got;
        } else if (got == 0) {
            failure = "the file ends early at byte " + std::to_string(read.offset + done);
            break;
        } else if (errno != EINTR) {
            failure = "the file could not be read at byte " + std::to_string(read.offset + done) +
                      ": " + std::strerror(errno);
            break;
        }
    }
    if (failure.empty()) return;
    const std::lock_guard lock(mutex_);
    if (failed_at_ < 0 || read.offset + done < failed_at_) {
        failed_at_ = read.offset + done;
        failure_ = std::move(failure);
    }
}

}  // namespace pof
