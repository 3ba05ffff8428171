#include "view/picture.h"

#include <cmath>

namespace view {

// Each ring in the plane across its axis: an end is u cos t + v sin t, u and v two unit
// vectors across the axis (for x: z and -y; for y: -z and -x; for z: y and -x).
const UnitSphere& unit_sphere() {
    static const UnitSphere sphere = [] {
        using V = std::array<float, 3>;
        const std::array<std::array<V, 2>, 3> frames{
            {{V{0, 0, 1}, V{0, -1, 0}}, {V{0, 0, -1}, V{-1, 0, 0}}, {V{0, 1, 0}, V{-1, 0, 0}}}};
        UnitSphere out{};
        std::size_t n = 0;
        for (const auto& frame : frames) {
            const V& u = frame[0];
            const V& v = frame[1];
            const auto at = [&u, &v](int i) {
                const float t = 6.2831853f * static_cast<float>(i) / kSphereSteps;
                const float c = std::cos(t), s = std::sin(t);
                return V{u[0] * c + v[0] * s, u[1] * c + v[1] * s, u[2] * c + v[2] * s};
            };
            for (int i = 0; i < kSphereSteps; ++i) {
                out[n++] = at(i);
                out[n++] = at(i + 1);
            }
        }
        return out;
    }();
    return sphere;
}

}  // namespace view
