// Golden pictures: the sample ship drawn by the software renderer with its textures, compared
// with the PNG files in pictures/ within a small tolerance. A pixel differs when one of its
// channels is off by more than 16; at most 16 pixels of 128 x 128 (a tenth of a percent) may
// differ. One build draws the same pixels on every run, so the allowance only absorbs
// rounding at triangle edges between compilers and flags; a point marker (7 x 7 pixels) moved
// by two pixels changes 28, and a texture mirrored or misplaced changes far more. Rewrite
// them with the update_golden target and look at the pictures before committing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "golden_models.h"
#include "picture_file.h"
#include "scene/frmModelView.h"
#include "../support/session.h"  // the test session; pofdump has a session.h too
#include "textures/decode.h"
#include "textures/png_write.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSide = 128;
constexpr int kChannelTolerance = 16;
constexpr int kPixelsAllowed = 16;
constexpr float kPi = 3.14159265f;

// The sample and its textures in a folder of their own, read as File > Open reads it.
class SampleView {
  public:
    SampleView()
        : folder_(fs::temp_directory_path() / ("pofscope_pictures_" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        const golden::Model& sample = golden::sample_model();
        write(folder_ / "sample.pof", sample.bytes);
        for (const auto& [name, bytes] : sample.beside) write(folder_ / name, bytes);
        session_.desktop.next_dialog_result = {
            view::OpenFileResult::Status::Chosen, (folder_ / "sample.pof").string(), {}};
        session_.form.open();
        session_.form.menu_command(pof::kViewWindows[0].menu_name);
    }
    ~SampleView() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    SampleView(const SampleView&) = delete;
    SampleView& operator=(const SampleView&) = delete;

    scene::frmModelView& model_view() {
        return static_cast<scene::frmModelView&>(
            *session_.windows.find(scene::frmModelView::kName));
    }
    scene::RenderedImage draw(const scene::Camera& camera) {
        const view::Picture& picture = model_view().picture();
        scene::RenderOptions options;
        options.width = options.height = kSide;
        return scene::render(picture, model_view().highlight(),
                             scene::load_textures(picture.textures.get()), camera, options);
    }

  private:
    static void write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path folder_;
    testing_pof::Session session_;
};

scene::Camera fitted(const view::Picture& picture, float yaw, float pitch) {
    scene::Camera camera;
    camera.look(yaw, pitch);
    camera.fit(picture);
    return camera;
}

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void compare_with_golden(const std::string& name, const scene::RenderedImage& drawn) {
    const fs::path path = fs::path(POFSCOPE_GOLDEN_DIR) / "pictures" / (name + ".png");
    if (std::getenv("POFSCOPE_UPDATE_GOLDEN")) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            << textures::encode_png(drawn.width, drawn.height, drawn.rgba);
        return;
    }
    const std::string bytes = file_bytes(path);
    const auto golden =
        textures::decode_image({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                               textures::ImageKind::Png);
    ASSERT_EQ(golden.verdict, textures::Verdict::Ok) << path << ": " << golden.reason;
    ASSERT_EQ(golden.image.width(), drawn.width);
    ASSERT_EQ(golden.image.height(), drawn.height);
    const auto expected = golden.image.pixels();
    int differ = 0;
    for (std::size_t p = 0; p < drawn.rgba.size(); p += 4) {
        bool off = false;
        for (std::size_t k = 0; k < 4; ++k)
            off |= std::abs(int{expected[p + k]} - int{drawn.rgba[p + k]}) > kChannelTolerance;
        differ += off;
    }
    EXPECT_LE(differ, kPixelsAllowed)
        << name << ": " << differ << " pixels differ from " << path
        << "; if the change is meant, run the update_golden target and look at the picture";
}

TEST(GoldenPictures, FittedView) {
    SampleView view;
    const auto& picture = view.model_view().picture();
    compare_with_golden("sample-fitted", view.draw(fitted(picture, scene::Camera::kDefaultYaw,
                                                          scene::Camera::kDefaultPitch)));
}

// From the front (the 1 key), every kind of marker shown: boxes, shield and all.
TEST(GoldenPictures, FrontViewWithEveryMarker) {
    SampleView view;
    for (int kind = 0; kind < scene::kMarkerKinds; ++kind) {
        const auto k = static_cast<scene::MarkerKind>(kind);
        if (!view.model_view().shown(k)) view.model_view().toggle(k);
    }
    compare_with_golden("sample-front-markers",
                        view.draw(fitted(view.model_view().picture(), kPi, 0)));
}

TEST(GoldenPictures, DetailLevel1) {
    SampleView view;
    view.model_view().levels.choose(1);
    const auto& picture = view.model_view().picture();
    compare_with_golden("sample-level1", view.draw(fitted(picture, scene::Camera::kDefaultYaw,
                                                          scene::Camera::kDefaultPitch)));
}

}  // namespace
