#pragma once
// Textures loaded for display, within a memory budget per model.
//
// The budget policy: a model's decoded textures, each with its mipmaps, may take at most
// kTextureBudget bytes together (256 MiB: sixteen 2048 x 2048 textures at full size). They
// are taken in the order loaded (the TXTR order, when the caller loads them so). A texture
// that does not fit in what is left is halved, again and again, until it fits; one whose
// 1 x 1 level does not fit is left out. What was done is said in its status.
//
// Decoding memory: the decoders write rows straight into the decoded 8-bit image, and a
// texture's levels are handed on shared, never copied. While one texture is decoded it takes,
// beside the budget, its decoded image and mipmaps (over the budget: its image and the halved
// level's mipmaps), the file's bytes and a few rows (a progressive JPEG: its coefficients).
// Measured in pofdump --png: any 8192 x 8192 texture (16- or 8-bit PNG, TGA, DXT1, JPEG)
// adds 317 MiB to the process's peak, a 4096 x 8192 one 170 MiB (image and mipmaps); a file
// as large as its image adds its size once more (an uncoded 32-bit 8192 x 8192 TGA: a peak
// of 517 MiB).
//
// A window whose OpenGL takes DXT blocks asks for the stored form: a DXT file's levels then
// stay as the file holds them (the mipmaps it has, no others made), and the budget counts
// their stored bytes; when they do not fit, the largest levels are left out while smaller
// ones remain, and past the smallest the texture is decoded and halved as above. Every other
// file, and every file in the decoded form (the software picture), is decoded.
//
// Loading keeps no state beyond the TextureBudget passed in, which any thread may take from:
// a worker thread may load a model's textures one after the other. A load asked to stop
// returns early, before and after the decoding, between the halvings and before the mipmaps
// (a decoder itself runs to its end), with nothing to show.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "textures/dds.h"
#include "textures/decode.h"
#include "textures/image.h"
#include "textures/search.h"

namespace textures {

inline constexpr std::size_t kTextureBudget = std::size_t{256} << 20;

// Bytes an image of width x height takes with its mipmap levels down to 1 x 1.
std::size_t bytes_with_mipmaps(int width, int height);

// The mipmap levels under an image: half its size each, as halve() makes them, down to
// 1 x 1. Empty for a 1 x 1 image.
std::vector<Image> mipmaps(const Image& image);

// The bytes a model's textures may still take. Bytes are only taken, by any thread, each
// take whole or not at all; they are given back with the budget, when the model's textures go.
class TextureBudget {
  public:
    explicit TextureBudget(std::size_t limit = kTextureBudget) : left_(limit) {}
    TextureBudget(const TextureBudget&) = delete;
    TextureBudget& operator=(const TextureBudget&) = delete;

    // Takes the bytes if that many are left; says whether it did.
    bool take(std::size_t bytes);
    std::size_t left() const { return left_.load(); }

  private:
    std::atomic<std::size_t> left_;
};

struct LoadedTexture {
    Verdict verdict = Verdict::Unreadable;
    std::string reason;  // why not Ok
    std::string format;
    int width = 0;  // as stored in the file
    int height = 0;
    bool has_alpha = false;
    // Level 0 as shown (halved `halvings` times when over the budget), then its mipmaps down
    // to 1 x 1. Empty when not Ok or left out.
    std::vector<Image> levels;
    int halvings = 0;
    bool left_out = false;  // Ok, but not even its 1 x 1 level fitted in the budget
    // The stored form: the DXT levels shown (the file's largest less `halvings`), as stored
    // in `file`; `levels` is then empty.
    std::optional<DxtCoding> coding;
    std::vector<StoredLevel> stored;
    std::shared_ptr<const std::vector<std::uint8_t>> file;
};

enum class TextureForm {
    Decoded,  // RGBA levels, the mipmaps made from the largest
    Stored,   // DXT levels as the file holds them; other files decoded
};

// Fits a decoded image into the budget, making its mipmaps.
LoadedTexture fit_texture(DecodedImage decoded, TextureBudget& budget,
                          const std::stop_token& stop = {});

// Reads, decodes and fits one found texture.
LoadedTexture load_texture(const FoundTexture& found, TextureBudget& budget,
                           const std::stop_token& stop = {},
                           TextureForm form = TextureForm::Decoded);

// A stored DXT file's levels within the budget, or nullopt when not even its smallest fits.
std::optional<LoadedTexture> fit_stored(StoredDxt dxt, std::vector<std::uint8_t> file,
                                        TextureBudget& budget);

// One line for a texture list: "DDS DXT5, 2048 × 2048"; with ", shown at 512 × 512 (over the
// texture budget)" or ", left out (over the texture budget)" when the budget cut it; then
// ", compressed, 12 levels" for the stored form; or
// "unreadable: REASON", "not supported: REASON".
std::string texture_status(const LoadedTexture& texture);

}  // namespace textures
