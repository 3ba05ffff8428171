#pragma once
// The texture files pofscope reads, by extension: the one table the texture search tries names
// with, the archive window calls textures and the decoders are chosen by.

#include <array>
#include <optional>
#include <string_view>

#include "io/text.h"

namespace pof {

// The kinds of image file a texture may be.
enum class ImageKind { Dds, Tga, Png, Jpg, Pcx };

struct TextureExtension {
    std::string_view extension;  // lowercase, with its dot
    ImageKind kind;
};

// In the order the texture search tries them on a name that has none of them.
inline constexpr std::array<TextureExtension, 6> kTextureExtensions{{
    {".dds", ImageKind::Dds},
    {".tga", ImageKind::Tga},
    {".png", ImageKind::Png},
    {".jpg", ImageKind::Jpg},
    {".jpeg", ImageKind::Jpg},
    {".pcx", ImageKind::Pcx},
}};

// The kind a name's extension gives ("hull.DDS", "maps/x.jpeg", ".png"), compared without
// regard to ASCII case; nullopt for a name without one of the table's extensions.
inline std::optional<ImageKind> texture_kind(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string extension = lower_ascii(name.substr(dot));
    for (const auto& e : kTextureExtensions) {
        if (e.extension == extension) return e.kind;
    }
    return std::nullopt;
}

}  // namespace pof
