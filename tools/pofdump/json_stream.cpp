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
void write_escaped(std::ostream& out, std::string_view piece) {
    const std::string quoted = nlohmann::json(std::string(piece))
                                   .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    out.write(quoted.data() + 1, static_cast<std::streamsize>(quoted.size() - 2));
}

}  // namespace

// A piece ends before a byte that starts a character (or stands for itself), so a character
// is never cut in two and an unfinished sequence before the cut is replaced as it would be
// in the whole text.
void write_json_string(std::ostream& out, std::string_view text, std::size_t piece_bytes) {
    out.put('"');
    write_json_string_body(out, text, piece_bytes);
    out.put('"');
}

void write_json_string_body(std::ostream& out, std::string_view text, std::size_t piece_bytes) {
    if (plain_ascii(text)) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    } else {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = std::min(text.size(), start + std::max<std::size_t>(piece_bytes, 1));
            while (end < text.size() && continuation_byte(text[end])) ++end;
            write_escaped(out, text.substr(start, end - start));
            start = end;
        }
    }
}

void JsonStream::next_member() {
    Frame& frame = frames_.back();
    out_ << (frame.members++ > 0 ? ",\n" : "\n");
    for (std::size_t i = 0; i < frames_.size(); ++i) out_ << "  ";
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
    write_json_string(out_, name);
    out_ << ": ";
    after_key_ = true;
}

void JsonStream::begin(char bracket, bool object) {
    before_value();
    out_.put(bracket);
    frames_.push_back(Frame{object});
}

void JsonStream::end(char bracket) {
    const bool had_members = frames_.back().members > 0;
    frames_.pop_back();
    if (had_members) {
        out_.put('\n');
        for (std::size_t i = 0; i < frames_.size(); ++i) out_ << "  ";
    }
    out_.put(bracket);
}

void JsonStream::string(std::string_view text) {
    before_value();
    write_json_string(out_, text);
}

void JsonStream::string_crlf(std::string_view text) {
    before_value();
    out_.put('"');
    for (;;) {
        const std::size_t lf = text.find('\n');
        write_json_string_body(out_, text.substr(0, lf));
        if (lf == std::string_view::npos) break;
        out_ << "\\r\\n";
        text.remove_prefix(lf + 1);
    }
    out_.put('"');
}

void JsonStream::number(std::int64_t n) {
    before_value();
    out_ << std::to_string(n);
}

void JsonStream::boolean(bool b) {
    before_value();
    out_ << (b ? "true" : "false");
}

void JsonStream::null() {
    before_value();
    out_ << "null";
}

}  // namespace pofdump
