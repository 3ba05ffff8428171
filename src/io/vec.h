#pragma once

namespace pof {

// A point or direction as stored in POF files: three float32 x, y, z.
struct Vec3 {
    float x = 0, y = 0, z = 0;
    bool operator==(const Vec3&) const = default;
};

}  // namespace pof
