#include "scene/camera.h"

#include <algorithm>
#include <cmath>

namespace scene {

namespace {

using pof::Vec3;

constexpr float kPi = 3.14159265f;

float dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 normalised(const Vec3& a) {
    const float l = std::sqrt(dot(a, a));
    return l > 0 ? a * (1 / l) : a;
}
float tan_half_fov() {
    return std::tan(Camera::kHalfFov * kPi / 180);
}

}  // namespace

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix out;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a(r, k) * b(k, c);
            out(r, c) = sum;
        }
    }
    return out;
}

Clip transform(const Matrix& m, const Vec3& p) {
    const auto row = [&](int r) { return m(r, 0) * p.x + m(r, 1) * p.y + m(r, 2) * p.z + m(r, 3); };
    return {row(0), row(1), row(2), row(3)};
}

void Camera::fit(const view::Picture& p) {
    if (p.empty()) {
        target_ = {};
        radius_ = 1;
    } else {
        target_ = {(p.min[0] + p.max[0]) / 2, (p.min[1] + p.max[1]) / 2,
                   -(p.min[2] + p.max[2]) / 2};
        const Vec3 extent{p.max[0] - p.min[0], p.max[1] - p.min[1], p.max[2] - p.min[2]};
        radius_ = std::sqrt(dot(extent, extent)) / 2;
        if (!(radius_ > 0) || !std::isfinite(radius_)) radius_ = 1;
    }
    distance_ = radius_ / std::sin(kHalfFov * kPi / 180) * 1.05f;
}

void Camera::look(float yaw, float pitch) {
    yaw_ = yaw;
    pitch_ = std::clamp(pitch, -kPitchLimit, kPitchLimit);
}

void Camera::pan(float dx, float dy, int height) {
    const Matrix v = view();
    const Vec3 right{v(0, 0), v(0, 1), v(0, 2)}, up{v(1, 0), v(1, 1), v(1, 2)};
    const float scale = 2 * distance_ * tan_half_fov() / static_cast<float>(std::max(height, 1));
    target_ = target_ + (right * -dx + up * dy) * scale;
}

void Camera::zoom(float steps) {
    distance_ *= std::pow(0.88f, steps);
    distance_ = std::max(distance_, radius_ * 1e-4f);
}

void Camera::zoom_at(float steps, float dx, float dy, int height) {
    const Matrix v = view();
    const Vec3 right{v(0, 0), v(0, 1), v(0, 2)}, up{v(1, 0), v(1, 1), v(1, 2)};
    const float scale = 2 * distance_ * tan_half_fov() / static_cast<float>(std::max(height, 1));
    const Vec3 offset = right * (dx * scale) + up * (dy * scale);
    const float before = distance_;
    zoom(steps);
    target_ = target_ + offset * (1 - distance_ / before);
}

void Camera::frame(const Vec3& centre, float radius) {
    target_ = centre;
    distance_ = std::max(radius, radius_ * 1e-3f) / std::sin(kHalfFov * kPi / 180) * 1.05f;
}

Vec3 Camera::eye_direction() const {
    return {std::cos(pitch_) * std::sin(yaw_), std::sin(pitch_), std::cos(pitch_) * std::cos(yaw_)};
}

Vec3 Camera::light() const {
    const Vec3 eye = eye_direction();
    return {eye.x, eye.y, -eye.z};
}

Matrix Camera::model() {
    Matrix m;
    m(2, 2) = -1;
    return m;
}

// Looks from the eye at the target with y up: the rows are the view's right, up and back.
Matrix Camera::view() const {
    const Vec3 eye = target_ + eye_direction() * distance_;
    const Vec3 forward = normalised(target_ - eye);
    const Vec3 side = normalised(cross(forward, {0, 1, 0}));
    const Vec3 up = cross(side, forward);
    Matrix m;
    const Vec3 rows[3] = {side, up, forward * -1};
    for (int r = 0; r < 3; ++r) {
        m(r, 0) = rows[r].x;
        m(r, 1) = rows[r].y;
        m(r, 2) = rows[r].z;
        m(r, 3) = -dot(rows[r], eye);
    }
    return m;
}

Matrix Camera::projection(float aspect) const {
    Matrix m;
    const float far_plane = distance_ + radius_ * 4;
    if (orthographic_) {
        const float h = distance_ * tan_half_fov();
        const float near_plane = -far_plane;
        m(0, 0) = 1 / (h * aspect);
        m(1, 1) = 1 / h;
        m(2, 2) = -2 / (far_plane - near_plane);
        m(2, 3) = -(near_plane + far_plane) / (far_plane - near_plane);
    } else {
        const float near_plane = std::max(distance_ * 0.01f, 1e-4f);
        const float cotan = 1 / tan_half_fov();
        const float clip = far_plane - near_plane;
        m(0, 0) = cotan / aspect;
        m(1, 1) = cotan;
        m(2, 2) = -(near_plane + far_plane) / clip;
        m(2, 3) = -(2 * near_plane * far_plane) / clip;
        m(3, 2) = -1;
        m(3, 3) = 0;
    }
    return m;
}

}  // namespace scene
