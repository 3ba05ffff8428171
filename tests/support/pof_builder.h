#pragma once
// Writes POF bytes field by field, little-endian, so a test states the layout it feeds in.
//
//   Bytes body = Bytes().i32(2).vec(1, 2, 3);
//   std::string file = PofBuilder(2117).chunk("ACEN", body).str();

#include <bit>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace testing_pof {

class Bytes {
  public:
    Bytes& u8(std::uint8_t v) {
        data_ += static_cast<char>(v);
        return *this;
    }
    Bytes& i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) data_ += static_cast<char>((u >> shift) & 0xFF);
        return *this;
    }
    Bytes& i16(std::int16_t v) {
        const auto u = static_cast<std::uint16_t>(v);
        return u8(static_cast<std::uint8_t>(u & 0xFF)).u8(static_cast<std::uint8_t>(u >> 8));
    }
    Bytes& f32(float v) { return i32(std::bit_cast<std::int32_t>(v)); }
    Bytes& vec(float x, float y, float z) { return f32(x).f32(y).f32(z); }
    Bytes& raw(std::string_view bytes) {
        data_ += bytes;
        return *this;
    }
    Bytes& raw(const Bytes& other) { return raw(other.str()); }
    // A length-prefixed string: its byte count, then the bytes.
    Bytes& text(std::string_view s) { return i32(static_cast<std::int32_t>(s.size())).raw(s); }

    const std::string& str() const { return data_; }
    std::size_t size() const { return data_.size(); }
    std::int32_t size32() const { return static_cast<std::int32_t>(data_.size()); }

  private:
    std::string data_;
};

// A whole file: the magic, the version, then chunks.
class PofBuilder {
  public:
    explicit PofBuilder(std::int32_t version, std::string_view magic = "PSPO") {
        bytes_.raw(magic).i32(version);
    }
    // A chunk whose declared size is its body's size.
    PofBuilder& chunk(std::string_view id, const Bytes& body) {
        return chunk(id, body.size32(), body);
    }
    // A chunk that declares a size of its own, whatever its body holds.
    PofBuilder& chunk(std::string_view id, std::int32_t declared_size, const Bytes& body) {
        bytes_.raw(id).i32(declared_size).raw(body);
        return *this;
    }
    PofBuilder& raw(std::string_view bytes) {
        bytes_.raw(bytes);
        return *this;
    }
    const std::string& str() const { return bytes_.str(); }
    void write(const std::string& path) const {
        std::ofstream(path, std::ios::binary) << bytes_.str();
    }

  private:
    Bytes bytes_;
};

}  // namespace testing_pof
