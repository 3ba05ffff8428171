#pragma once
// JSON written as it is made, laid out as nlohmann's dump with two-space indents: objects
// and arrays one member per line, empty ones as {} and []. Strings are escaped by nlohmann
// itself, piece by piece, so a text of megabytes never stands in memory twice over. Output
// goes to the stream in pieces of about 256 KiB, and whenever a value of the outermost array
// or the whole document is complete.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pofdump {

class JsonStream {
  public:
    explicit JsonStream(std::ostream& out) : out_(out) {}
    ~JsonStream();
    JsonStream(const JsonStream&) = delete;
    JsonStream& operator=(const JsonStream&) = delete;
    // Writes what waits in the buffer.
    void flush();

    void begin_object() { begin('{', true); }
    void end_object() { end('}'); }
    void begin_array() { begin('[', false); }
    void end_array() { end(']'); }
    // The member name of the next value.
    void key(std::string_view name);
    void string(std::string_view text);
    // text with each line feed written as a carriage return and a line feed.
    void string_crlf(std::string_view text);
    void number(std::int64_t n);
    void boolean(bool b);
    void null();

  private:
    struct Frame {
        bool object;
        std::size_t members = 0;
    };
    void begin(char bracket, bool object);
    void end(char bracket);
    // The line break, indent and comma before an array element or object member.
    void next_member();
    void new_line(bool comma);
    void body(std::string_view text);
    void before_value();

    std::ostream& out_;
    std::vector<Frame> frames_;
    bool after_key_ = false;
    std::string buffer_;
};

// text as a JSON string, quotes included, after out; bytes that are not UTF-8 become U+FFFD.
// Text that needs escapes is escaped in pieces of about piece_bytes.
void append_json_string(std::string& out, std::string_view text,
                        std::size_t piece_bytes = 64 * 1024);
// The same without the quotes.
void append_json_string_body(std::string& out, std::string_view text,
                             std::size_t piece_bytes = 64 * 1024);

}  // namespace pofdump
