#include "picture_file.h"

#include "io/text.h"
#include "output_file.h"
#include "textures/png_write.h"

namespace pofdump {

std::optional<std::string> refuse_size(std::string_view width, std::string_view height) {
    const auto fits = [](std::string_view side) {
        return side.size() <= 4 && side != "0" &&
               std::stoi(std::string(side)) <= scene::kMaxImageSide;
    };
    if (fits(width) && fits(height)) return std::nullopt;
    return "a picture of " + std::string(width) + " \u00d7 " + std::string(height) +
           " pixels cannot be drawn: each side is 1 to " + pof::integer_text(scene::kMaxImageSide) +
           " pixels";
}

std::optional<std::string> write_png(const std::string& path,
                                     const std::function<scene::RenderedImage()>& draw) {
    std::string why;
    const auto file = OutputFile::open(path, why);
    if (!file) return "cannot write " + path + ": " + why;
    const scene::RenderedImage image = draw();
    const std::string bytes = image.rgba.empty()
                                  ? std::string()
                                  : textures::encode_png(image.width, image.height, image.rgba);
    if (bytes.empty()) {
        file->discard();
        return "cannot write " + path + ": the picture could not be encoded";
    }
    file->stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file->finish(why) || !file->commit(why)) return "cannot write " + path + ": " + why;
    return std::nullopt;
}

}  // namespace pofdump
