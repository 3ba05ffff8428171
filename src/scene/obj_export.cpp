#include "scene/obj_export.h"

#include <array>
#include <charconv>
#include <cmath>
#include <set>

#include "io/text.h"

namespace scene {

namespace {

// Shortest text that reads back as the same float; no locale.
std::string number(float value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

std::string coordinates(const pof::Vec3& p) {
    return number(p.x) + ' ' + number(p.y) + ' ' + number(p.z);
}

// Names stay on their line and keep no blanks, so every OBJ reader takes them whole.
std::string one_word(std::string_view text) {
    std::string out = pof::text8(text);
    for (char& c : out) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') c = '_';
    }
    return out.empty() ? "_" : out;
}

std::string one_line(std::string_view text) {
    std::string out = pof::text8(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

std::string hex(std::uint8_t byte) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 15]};
}

class ObjWriter {
  public:
    explicit ObjWriter(const records::TxtrRecord& textures) : textures_(textures) {}

    void mesh(const Mesh& m) {
        out_.obj += "o " +
                    (m.name.empty() || m.name.find_first_not_of('\0') == std::string::npos
                         ? "subobject " + pof::integer_text(m.subobject)
                         : one_line(m.name)) +
                    '\n';
        const std::int64_t first = vertices_ + 1;
        for (std::size_t v = 0; v < m.vertices.size(); ++v) {
            // Polygons on a vertex that is not finite were left out; it keeps its number.
            const pof::Vec3 p = m.vertex_finite[v] ? pof::Vec3{m.vertices[v].x + m.placement.x,
                                                               m.vertices[v].y + m.placement.y,
                                                               m.vertices[v].z + m.placement.z}
                                                   : pof::Vec3{};
            out_.obj += "v " + coordinates(p) + '\n';
        }
        vertices_ += static_cast<std::int64_t>(m.vertices.size());
        for (const Polygon& p : m.polygons) polygon(m, p, first);
    }

    ObjFiles done() { return std::move(out_); }
    std::string& obj() { return out_.obj; }

  private:
    void polygon(const Mesh& m, const Polygon& p, std::int64_t first_vertex) {
        use(p.textured ? texture_material(p.texture) : colour_material(p.colour));
        std::string face = "f";
        for (const Corner& c : m.corners_of(p)) {
            face += ' ' + pof::integer_text(first_vertex + c.vertex);
            if (p.textured) {
                out_.obj += "vt " + number(c.u) + ' ' + number(c.v) + '\n';
                face += '/' + pof::integer_text(++uvs_);
            }
        }
        out_.obj += face + '\n';
    }

    void use(const std::string& material) {
        if (material == current_) return;
        current_ = material;
        out_.obj += "usemtl " + material + '\n';
    }

    std::string texture_material(std::int32_t texture) {
        const bool named =
            texture >= 0 && texture < static_cast<std::int32_t>(textures_.textures.size());
        const std::string name = named ? one_word(textures_.textures[texture].name)
                                       : "texture_" + pof::integer_text(texture);
        if (defined_.insert(name).second) {
            out_.mtl += "newmtl " + name + "\nKd 0.8 0.8 0.8\n";
            if (named) out_.mtl += "map_Kd " + name + '\n';
            out_.mtl += '\n';
        }
        return name;
    }

    std::string colour_material(const std::array<std::uint8_t, 3>& rgb) {
        const std::string name = "flat_" + hex(rgb[0]) + hex(rgb[1]) + hex(rgb[2]);
        if (defined_.insert(name).second) {
            out_.mtl += "newmtl " + name + "\nKd " + number(rgb[0] / 255.0f) + ' ' +
                        number(rgb[1] / 255.0f) + ' ' + number(rgb[2] / 255.0f) + "\n\n";
        }
        return name;
    }

    const records::TxtrRecord& textures_;
    ObjFiles out_;
    std::set<std::string> defined_;
    std::string current_;
    std::int64_t vertices_ = 0, uvs_ = 0;
};

}  // namespace

ObjFiles obj_files(const Scene& scene, const records::TxtrRecord& textures,
                   std::string_view mtl_name) {
    ObjWriter writer(textures);
    writer.obj() = "# pofscope Model View\nmtllib " + std::string(mtl_name) + '\n';
    for (const Mesh& m : scene.meshes) writer.mesh(m);
    return writer.done();
}

}  // namespace scene
