#include "image_promises.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "textures/dds.h"
#include "textures/image_error.h"

namespace fuzzing {

namespace {

// A broken promise aborts, so libFuzzer keeps the input.
[[noreturn]] void broken(const char* promise, std::string_view detail = {}) {
    std::fprintf(stderr, "fuzz: broken promise: %s %.*s\n", promise,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

constexpr std::int64_t kMostPixelsDecoded = std::int64_t{1} << 20;

void check_refusal(const std::string& reason, std::string_view where) {
    if (reason.empty()) broken("a refusal without a reason in", where);
    if (reason.size() > 200) broken("a reason longer than a short sentence in", where);
}

}  // namespace

void check_image(std::span<const std::uint8_t> bytes, textures::ImageKind named) {
    using textures::Verdict;
    const auto header = bytes.first(std::min(bytes.size(), textures::kProbeBytes));
    const auto facts = textures::probe_image(header, bytes.size(), named);
    if (facts.verdict != Verdict::Ok) check_refusal(facts.reason, "the probe");
    if (facts.verdict == Verdict::Ok &&
        std::int64_t{facts.width} * facts.height > kMostPixelsDecoded) {
        return;
    }
    const auto decoded = textures::decode_image(bytes, named);
    if (decoded.verdict != Verdict::Ok) {
        check_refusal(decoded.reason, "the decode");
        if (!decoded.image.empty()) broken("a refused image has pixels");
        if (facts.verdict != Verdict::Ok && decoded.reason != facts.reason)
            broken("the probe and the decode refuse for different reasons:", decoded.reason);
        return;
    }
    if (facts.verdict != Verdict::Ok) broken("the probe refused what decodes:", facts.reason);
    const auto& image = decoded.image;
    if (image.empty() || image.width() > textures::kMaxSide || image.height() > textures::kMaxSide)
        broken("a decoded image of no size or past 8192");
    const bool size_known = facts.width != 0;  // a JPEG's may lie past the probe's bytes
    if (size_known && (image.width() != facts.width || image.height() != facts.height))
        broken("the decoded size is not the header's");
    if (decoded.has_alpha != textures::has_transparency(image))
        broken("has_alpha does not say whether some pixel is less than opaque");
}

void check_stored_dxt(std::span<const std::uint8_t> bytes) {
    std::optional<textures::StoredDxt> dxt;
    try {
        dxt = textures::stored_dxt(bytes);
    } catch (const textures::ImageError&) {
        return;  // refused as the decode refuses
    }
    if (!dxt) return;
    if (dxt->levels.empty()) broken("stored DXT levels without the largest");
    for (std::size_t i = 0; i < dxt->levels.size(); ++i) {
        const textures::StoredLevel& l = dxt->levels[i];
        if (l.offset > bytes.size() || l.bytes > bytes.size() - l.offset)
            broken("a stored DXT level past the file's end");
        if (i > 0 && (l.width != std::max(1, dxt->levels[i - 1].width / 2) ||
                      l.height != std::max(1, dxt->levels[i - 1].height / 2)))
            broken("a stored DXT mipmap not half the level before");
    }
}

}  // namespace fuzzing
