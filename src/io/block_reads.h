#pragma once
// Large byte blocks (a model's BSP data) read from the file on a second core while the reader
// goes on through the chunks: the copy out of the file and the system's clearing of the fresh
// memory it goes to are most of a read's time, and they split over two cores.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace pof {

class BlockReads {
  public:
    explicit BlockReads(int fd) : fd_(fd) {}
    BlockReads(const BlockReads&) = delete;
    BlockReads& operator=(const BlockReads&) = delete;
    // Finishes every read still waiting, so the blocks handed out hold their bytes.
    ~BlockReads();

    // Reads n bytes from the file at offset into dest, which lies in memory, now or soon.
    void add(std::shared_ptr<char> memory, char* dest, std::int64_t offset, std::int64_t n);
    // Does the reads still waiting, waits for the second core, and throws the ReadError of
    // the first byte a read could not get (the file shrank or failed while it was read).
    void finish();

  private:
    struct Read {
        std::shared_ptr<char> memory;  // kept until the read is done, whoever drops its blocks
        char* dest;
        std::int64_t offset;
        std::int64_t n;
    };
    void work();
    void run(const Read& read);
    bool next(Read& read, bool from_back);

    const int fd_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Read> waiting_;
    int running_ = 0;
    bool stopping_ = false;
    std::int64_t failed_at_ = -1;  // the first byte a read could not get
    std::string failure_;
    std::thread worker_;
};

}  // namespace pof
