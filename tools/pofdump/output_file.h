#pragma once
// A file pofdump writes (--obj and its materials): opened without waiting, so a FIFO with no
// reader is refused at once rather than blocking; only a regular file, or a new one, is
// written. Several are opened and checked before any is emptied, so a refusal writes nothing.

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace pofdump {

class OutputFile {
  public:
    // Opens path for writing; empty with why set when it is not a regular file or a new one.
    static std::unique_ptr<OutputFile> open(const std::string& path, std::string& why);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Empties the file; call once every file of the output is open.
    bool start(std::string& why);
    std::ostream& stream() { return stream_; }
    // Writes what is buffered; false with why when a write failed.
    bool finish(std::string& why);
    // Removes the file again if open() made it: another file of the output was refused.
    void discard();

  private:
    class Buffer : public std::streambuf {
      public:
        explicit Buffer(int fd);
        bool failed() const { return failed_; }
        int error() const { return error_; }

      protected:
        int_type overflow(int_type c) override;
        int sync() override;

      private:
        bool drain();
        int fd_;
        std::vector<char> bytes_;
        bool failed_ = false;
        int error_ = 0;
    };

    explicit OutputFile(int fd);
    int fd_;
    std::string created_path_;  // empty unless open() made the file
    Buffer buffer_;
    std::ostream stream_;
};

}  // namespace pofdump
