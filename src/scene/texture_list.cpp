#include "scene/texture_list.h"

#include <algorithm>
#include <map>
#include <utility>

#include "io/text.h"
#include "textures/dxt.h"
#include "textures/load.h"
#include "textures/model_textures.h"
#include "textures/texture_file.h"

namespace scene {

namespace {

// The DXT codings as the decoders and the binding name them, in the decoders' order.
using Coding = std::pair<textures::DxtCoding, view::TextureCoding>;
constexpr Coding kCodings[] = {{textures::DxtCoding::Dxt1, view::TextureCoding::Dxt1},
                               {textures::DxtCoding::Dxt3, view::TextureCoding::Dxt3},
                               {textures::DxtCoding::Dxt5, view::TextureCoding::Dxt5}};

// The texture as the binding uploads it: the levels within the budget, their pixels shared.
view::TextureImage image_of(const textures::LoadedTexture& t) {
    view::TextureImage image;
    image.alpha = t.has_alpha;
    image.status = textures::texture_status(t);
    if (t.coding) {
        image.coding = kCodings[static_cast<int>(*t.coding)].second;
        for (const textures::StoredLevel& l : t.stored) {
            image.levels.push_back(
                {l.width, l.height, std::span(*t.file).subspan(l.offset, l.bytes), t.file});
        }
        return image;
    }
    image.levels.reserve(t.levels.size());
    for (const textures::Image& level : t.levels) {
        image.levels.push_back(
            {level.width(), level.height(), level.pixels(), level.shared_pixels()});
    }
    return image;
}

constexpr const char* kNotLoaded = "found, not loaded yet";

// What a name that shares the file of texture first shows.
std::string shared_status(int first, const std::string& status) {
    return "same file as texture " + pof::integer_text(first) + ": " + status;
}

}  // namespace

TextureList::TextureList(const pof::ModelStore& store)
    : loaders_(std::make_shared<view::PictureTextures>()) {
    std::vector<std::string> names;
    for (int t = 0; t < store.txtr.texture_rows(); ++t)
        names.push_back(store.txtr.textures[t].name);
    auto found = std::make_shared<textures::ModelTextures>(
        textures::ModelLocation{store.source.path, store.source.member}, store.texture_folders,
        names);
    // One budget for the model's textures, taken in TXTR order by the loaders.
    auto budget = std::make_shared<textures::TextureBudget>();
    // The first texture to find each file: the archive's folder (none for a loose file) and
    // the file's name there, or its path.
    std::map<std::pair<const void*, std::string>, int> first_of;
    for (std::size_t t = 0; t < names.size(); ++t) {
        Row row{pof::text8(names[t]), "", ""};
        const textures::TextureLookup* lookup =
            found->searched() ? &found->search().textures[t] : nullptr;
        if (!lookup) {
            row.file = "not looked for";
            row.status = "the model has no folder";
        } else if (!lookup->found) {
            row.file = "missing";
            row.status = "looked in " + textures::places_text(found->search().places);
        } else if (const auto [first, added] =
                       first_of.try_emplace({lookup->found->archive,
                                             lookup->found->archive ? lookup->found->file_name
                                                                    : lookup->found->path.string()},
                                            static_cast<int>(t));
                   !added) {
            row.file = lookup->found->shown_path;
            row.loaded_as = first->second;
            row.status = shared_status(first->second, rows_[first->second].status);
        } else {
            row.file = lookup->found->shown_path;
            row.loaded_as = static_cast<int>(t);
            // The file is opened once, by its loader; until the decode arrives the row says so.
            row.status = kNotLoaded;
            const auto loader = [found, budget, file = *lookup->found](textures::TextureForm form) {
                return [found, budget, file, form](const std::stop_token& stop) {
                    const textures::LoadedTexture loaded =
                        textures::load_texture(file, *budget, stop, form);
                    return stop.stop_requested() ? view::TextureImage{} : image_of(loaded);
                };
            };
            loaders_->entries.push_back({static_cast<int>(t),
                                         loader(textures::TextureForm::Decoded),
                                         loader(textures::TextureForm::Stored)});
        }
        rows_.push_back(std::move(row));
    }
    found_ = std::move(found);
}

TextureList::~TextureList() = default;

view::TextureImage rgba_image(const view::TextureImage& image) {
    if (image.coding == view::TextureCoding::Rgba) return image;
    const auto coding = std::ranges::find(kCodings, image.coding, &Coding::second)->first;
    view::TextureImage out{{}, view::TextureCoding::Rgba, image.alpha, image.status};
    for (const view::TextureLevel& l : image.levels) {
        auto decoded = std::make_shared<textures::Image>(l.width, l.height);
        textures::decode_dxt(coding, l.rgba, *decoded);
        out.levels.push_back({l.width, l.height, decoded->pixels(), decoded});
    }
    return out;
}

view::Table::Cells TextureList::cells(std::size_t row) const {
    const Row& r = rows_[row];
    return {pof::integer_text(static_cast<std::int64_t>(row)), r.name, r.file, r.status};
}

void TextureList::loaded(int number, const std::string& status) {
    if (number < 0 || number >= static_cast<int>(rows_.size())) return;
    rows_[number].status = status;
    for (std::size_t t = number + 1; t < rows_.size(); ++t) {
        if (rows_[t].loaded_as == number) rows_[t].status = shared_status(number, status);
    }
}

void TextureList::share_files(std::vector<view::TriangleBatch>& batches) const {
    for (view::TriangleBatch& batch : batches) {
        if (batch.texture < 0 || batch.texture >= static_cast<int>(rows_.size())) continue;
        const int loaded_as = rows_[batch.texture].loaded_as;
        if (loaded_as >= 0) batch.texture = loaded_as;
    }
}

}  // namespace scene
