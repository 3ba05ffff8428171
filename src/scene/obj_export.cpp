#include "scene/obj_export.h"

#include <array>
#include <charconv>
#include <set>
#include <sstream>
#include <vector>

#include "io/text.h"

namespace scene {

namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

// Shortest text that reads back as the same float; no locale.
void put_number(std::ostream& out, float value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    out.write(buffer.data(), end - buffer.data());
}

void put_coordinates(std::ostream& out, const pof::Vec3& p) {
    put_number(out, p.x);
    out << ' ';
    put_number(out, p.y);
    out << ' ';
    put_number(out, p.z);
}

void put_escaped(std::string& out, unsigned char byte) {
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

// A material name that reads back as the bytes stored: one word, no comment sign.
std::string material_word(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || byte == '.' || byte == '_' ||
                           byte == '-';
        if (plain) {
            out += c;
        } else {
            put_escaped(out, byte);
        }
    }
    return out;
}

// An object name as the windows show it, on one line and without a comment sign: control
// characters, U+0085, U+2028 and U+2029 (line breaks to some readers), "#" and "%" as %XX.
std::string object_name(std::string_view bytes) {
    const std::string text = pof::text8(bytes);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::string_view rest = std::string_view(text).substr(i);
        if (rest.starts_with("\xC2\x85")) {
            put_escaped(out, 0xC2);
            put_escaped(out, 0x85);
            ++i;
        } else if (rest.starts_with("\xE2\x80\xA8") || rest.starts_with("\xE2\x80\xA9")) {
            for (int k = 0; k < 3; ++k) put_escaped(out, static_cast<unsigned char>(text[i + k]));
            i += 2;
        } else if (byte < 0x20 || byte == 0x7F || byte == '#' || byte == '%') {
            put_escaped(out, byte);
        } else {
            out += text[i];
        }
    }
    return out;
}

// What the scene places but OBJ cannot hold: vertices that are not finite once placed, and the
// polygons on them.
struct Unplaceable {
    std::int64_t vertices = 0, polygons = 0;
};

bool placed_finite(const Mesh& m, std::size_t v) {
    return m.vertex_finite[v] && pof::finite(m.vertices[v] + m.placement);
}

Unplaceable unplaceable(const Scene& scene) {
    Unplaceable out;
    for (const Mesh& m : scene.meshes) {
        for (std::size_t v = 0; v < m.vertices.size(); ++v) out.vertices += !placed_finite(m, v);
        for (const Polygon& p : m.polygons) {
            for (const Corner& c : m.corners_of(p)) {
                if (!placed_finite(m, static_cast<std::size_t>(c.vertex))) {
                    ++out.polygons;
                    break;
                }
            }
        }
    }
    return out;
}

class ObjWriter {
  public:
    ObjWriter(const records::TxtrRecord& textures, const std::vector<std::string>& files,
              std::ostream& obj, std::ostream& mtl)
        : textures_(textures), files_(files), obj_(obj), mtl_(mtl) {}

    void mesh(const Mesh& m) {
        obj_ << "o "
             << (m.name.empty() || m.name.find_first_not_of('\0') == std::string::npos
                     ? "subobject " + pof::integer_text(m.subobject)
                     : object_name(m.name))
             << '\n';
        // Each vertex's number in the file, 0 for one left out.
        numbers_.assign(m.vertices.size(), 0);
        for (std::size_t v = 0; v < m.vertices.size(); ++v) {
            if (!placed_finite(m, v)) continue;
            numbers_[v] = ++vertices_;
            obj_ << "v ";
            put_coordinates(obj_, m.vertices[v] + m.placement);
            obj_ << '\n';
        }
        for (const Polygon& p : m.polygons) polygon(m, p);
    }

  private:
    void polygon(const Mesh& m, const Polygon& p) {
        const auto corners = m.corners_of(p);
        for (const Corner& c : corners) {
            if (numbers_[static_cast<std::size_t>(c.vertex)] == 0) return;
        }
        use(p.textured ? texture_material(p.texture) : colour_material(p.colour));
        face_.assign("f");
        for (const Corner& c : corners) {
            face_ += ' ' + pof::integer_text(numbers_[static_cast<std::size_t>(c.vertex)]);
            if (!p.textured) continue;
            obj_ << "vt ";
            put_number(obj_, c.u);
            obj_ << ' ';
            put_number(obj_, c.v);
            obj_ << '\n';
            face_ += '/' + pof::integer_text(++uvs_);
        }
        obj_ << face_ << '\n';
    }

    void use(const std::string& material) {
        if (material == current_) return;
        current_ = material;
        obj_ << "usemtl " << material << '\n';
    }

    std::string texture_material(std::int32_t texture) {
        const bool named = texture >= 0 && texture < textures_.texture_rows() &&
                           !textures_.textures[texture].name.empty();
        const std::string name = named ? material_word(textures_.textures[texture].name)
                                       : "@texture_" + pof::integer_text(texture);
        if (defined_.insert(name).second) {
            mtl_ << "newmtl " << name << "\nKd 0.8 0.8 0.8\n";
            const bool filed = texture >= 0 && static_cast<std::size_t>(texture) < files_.size() &&
                               !files_[texture].empty();
            if (filed) {
                mtl_ << "map_Kd " << object_name(files_[texture]) << '\n';
            } else if (named) {
                mtl_ << "map_Kd " << name << '\n';
            }
            mtl_ << '\n';
        }
        return name;
    }

    std::string colour_material(const std::array<std::uint8_t, 3>& rgb) {
        std::string name = "@flat_";
        for (const std::uint8_t c : rgb) {
            name += kHex[c >> 4];
            name += kHex[c & 15];
        }
        if (defined_.insert(name).second) {
            mtl_ << "newmtl " << name << "\nKd ";
            put_number(mtl_, rgb[0] / 255.0f);
            mtl_ << ' ';
            put_number(mtl_, rgb[1] / 255.0f);
            mtl_ << ' ';
            put_number(mtl_, rgb[2] / 255.0f);
            mtl_ << "\n\n";
        }
        return name;
    }

    const records::TxtrRecord& textures_;
    const std::vector<std::string>& files_;
    std::ostream& obj_;
    std::ostream& mtl_;
    std::set<std::string> defined_;
    std::string current_, face_;
    std::vector<std::int64_t> numbers_;
    std::int64_t vertices_ = 0, uvs_ = 0;
};

}  // namespace

bool mtl_name_fits(std::string_view name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return name.find("\xC2\x85") == std::string_view::npos &&
           name.find("\xE2\x80\xA8") == std::string_view::npos &&
           name.find("\xE2\x80\xA9") == std::string_view::npos;
}

void write_obj(const Scene& scene, const records::TxtrRecord& textures, std::string_view mtl_name,
               std::ostream& obj, std::ostream& mtl,
               const std::vector<std::string>& texture_files) {
    obj << "# pofscope Model View\n";
    const Unplaceable left = unplaceable(scene);
    if (left.vertices > 0) {
        obj << "# " << pof::integer_text(left.vertices)
            << " vertices that are not finite numbers once placed are left out, with the "
            << pof::integer_text(left.polygons) << " polygons on them\n";
    }
    obj << "mtllib " << mtl_name << '\n';
    ObjWriter writer(textures, texture_files, obj, mtl);
    for (const Mesh& m : scene.meshes) writer.mesh(m);
}

ObjFiles obj_files(const Scene& scene, const records::TxtrRecord& textures,
                   std::string_view mtl_name) {
    std::ostringstream obj, mtl;
    write_obj(scene, textures, mtl_name, obj, mtl);
    return {std::move(obj).str(), std::move(mtl).str()};
}

}  // namespace scene
