#pragma once
// A file pofdump writes (--obj and its materials, --png, --thumbnail): written beside its
// target under a temporary name and renamed into place only once complete, so a write that
// fails part way (a full disk, a file-size limit) leaves neither a cut file nor a clobbered
// old one. Only a regular file (through a symbolic link, the file it names) or a new one is
// written; a FIFO is refused at once rather than opened. Several are made and finished before
// any is renamed, so a refusal writes nothing.

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace pofdump {

class OutputFile {
  public:
    // Makes the temporary file beside path; empty with why set when path is not a regular
    // file or a new one, or nothing can be made beside it.
    static std::unique_ptr<OutputFile> open(const std::string& path, std::string& why);
    // Removes the temporary file unless it was renamed into place.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& stream() { return stream_; }
    // Writes what is buffered and closes the temporary file; false with why when a write
    // failed (the temporary file is gone then).
    bool finish(std::string& why);
    // Renames the finished file into place; false with why when it could not be.
    bool commit(std::string& why);
    // Removes the temporary file: another file of the output was refused.
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

    OutputFile(int fd, std::string temporary, std::string target);
    int fd_;
    std::string temporary_, target_;  // temporary_ empty once renamed or removed
    Buffer buffer_;
    std::ostream stream_;
};

}  // namespace pofdump
