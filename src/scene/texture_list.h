#pragma once
// The Model View's list of textures: for each TXTR name the file found for it (where, its
// format and size) or why there is none, and the loaders the binding runs, one after the
// other in the background, to show them.

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
    // What loading it found: the format and size as shown, or why it is not.
    void loaded(int number, const std::string& status);

  private:
    struct Row {
        std::string name, file, status;
    };
    std::vector<Row> rows_;
    std::shared_ptr<const textures::ModelTextures> found_;
    std::shared_ptr<view::PictureTextures> loaders_;
};

}  // namespace scene
