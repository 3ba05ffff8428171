#pragma once
// The Model View's list of textures: for each TXTR name the file found for it (where, its
// format and size) or why there is none, and the loaders the binding runs, one after the
// other in the background, to show them. A file that several names find is loaded once, by
// the first of them; the others say whose file they share, and the picture's batches of
// theirs draw with that texture.

#include <memory>
#include <string>
#include <vector>

#include "pof/global_data.h"
#include "view/controls.h"
#include "view/picture.h"

namespace textures {
class ModelTextures;
}

namespace scene {

class TextureList {
  public:
    // Looks the store's TXTR names up where its model lies, reading each file's header only.
    explicit TextureList(const pof::ModelStore& store);
    ~TextureList();

    std::size_t size() const { return rows_.size(); }
    // Texture, Name, File, Format (or why it shows none).
    view::Table::Cells cells(std::size_t row) const;
    std::shared_ptr<const view::PictureTextures> loaders() const { return loaders_; }
    // What loading it found: the format and size as shown, or why it is not; the names that
    // share its file say it too.
    void loaded(int number, const std::string& status);
    // Each batch of a name that shares another's file takes that name's texture number, the
    // one its loader loads.
    void share_files(std::vector<view::TriangleBatch>& batches) const;

  private:
    struct Row {
        std::string name, file, status;
        int loaded_as = -1;  // the texture whose loader loads its file; -1 for none
    };
    std::vector<Row> rows_;
    std::shared_ptr<const textures::ModelTextures> found_;
    std::shared_ptr<view::PictureTextures> loaders_;
};

// The image with its DXT levels decoded to RGBA, as the software picture draws it; an RGBA
// image is shared as it is.
view::TextureImage rgba_image(const view::TextureImage& image);

}  // namespace scene
