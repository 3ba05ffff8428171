#include "json_stream.h"

#include <algorithm>
#include <string>

#include <nlohmann/json.hpp>

namespace pofdump {

namespace {

bool plain_ascii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x20 && b < 0x7F && c != '"' && c != '\\';
    });
}

bool continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The piece escaped as nlohmann escapes it, without its quotes.
void append_escaped(std::string& out, std::string_view piece) {
    const std::string quoted = nlohmann::json(std::string(piece))
                                   .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    out.append(quoted, 1, quoted.size() - 2);
}

// Output waits in the stream's buffer until it holds about this much.
constexpr std::size_t kFlushBytes = std::size_t{256} * 1024;
constexpr std::size_t kPieceBytes = std::size_t{64} * 1024;

// A piece ends before a byte that starts a character (or stands for itself), so a character
// is never cut in two and an unfinished sequence before the cut is replaced as it would be
// in the whole text.
std::size_t piece_end(std::string_view text, std::size_t start, std::size_t piece_bytes) {
    std::size_t end = std::min(text.size(), start + std::max<std::size_t>(piece_bytes, 1));
    while (end < text.size() && continuation_byte(text[end])) ++end;
    return end;
}

}  // namespace

void append_json_string(std::string& out, std::string_view text, std::size_t piece_bytes) {
    out += '"';
    append_json_string_body(out, text, piece_bytes);
    out += '"';
}

void append_json_string_body(std::string& out, std::string_view text, std::size_t piece_bytes) {
    if (plain_ascii(text)) {
        out += text;
    } else {
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = piece_end(text, start, piece_bytes);
            append_escaped(out, text.substr(start, end - start));
            start = end;
        }
    }
}

// A long text goes out piece by piece, so it never stands in memory twice over.
void JsonStream::body(std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = piece_end(text, start, kPieceBytes);
        append_json_string_body(buffer_, text.substr(start, end - start));
        if (buffer_.size() >= kFlushBytes) flush();
        start = end;
    }
}

JsonStream::~JsonStream() {
    flush();
}

void JsonStream::flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

// A line break (after a comma when one is due) and the indent of the open frames.
void JsonStream::new_line(bool comma) {
    buffer_ += comma ? ",\n" : "\n";
    buffer_.append(2 * frames_.size(), ' ');
}

void JsonStream::next_member() {
    new_line(frames_.back().members++ > 0);
}

void JsonStream::before_value() {
    if (after_key_) {
        after_key_ = false;
    } else if (!frames_.empty()) {
        next_member();
    }
}

void JsonStream::key(std::string_view name) {
    next_member();
    append_json_string(buffer_, name);
    buffer_ += ": ";
    after_key_ = true;
}

void JsonStream::begin(char bracket, bool object) {
    before_value();
    buffer_ += bracket;
    frames_.push_back(Frame{object});
}

void JsonStream::end(char bracket) {
    const bool had_members = frames_.back().members > 0;
    frames_.pop_back();
    if (had_members) new_line(false);
    buffer_ += bracket;
    // A member of the outermost array (a finding of --check) goes out as soon as it is whole.
    if (frames_.size() <= 1 || buffer_.size() >= kFlushBytes) flush();
}

void JsonStream::string(std::string_view text) {
    before_value();
    buffer_ += '"';
    body(text);
    buffer_ += '"';
}

void JsonStream::string_crlf(std::string_view text) {
    before_value();
    buffer_ += '"';
    for (;;) {
        const std::size_t lf = text.find('\n');
        body(text.substr(0, lf));
        if (lf == std::string_view::npos) break;
        buffer_ += "\\r\\n";
        if (buffer_.size() >= kFlushBytes) flush();
        text.remove_prefix(lf + 1);
    }
    buffer_ += '"';
}

void JsonStream::number(std::int64_t n) {
    before_value();
    buffer_ += std::to_string(n);
}

void JsonStream::boolean(bool b) {
    before_value();
    buffer_ += b ? "true" : "false";
}

void JsonStream::null() {
    before_value();
    buffer_ += "null";
}

}  // namespace pofdump
