#pragma once
// The Model View's camera: it orbits a target at a distance, looking from a yaw and a pitch,
// in perspective or orthographic projection. The OpenGL window and the software renderer
// both take their matrices from here, so a picture written to a file shows what the window
// shows from the same camera.
//
// Picture coordinates are left-handed (z forward, as POF files store them); the camera's
// world is right-handed, so the model matrix mirrors z and the target lies in the camera's
// world.

#include <array>

#include "io/vec.h"
#include "view/picture.h"

namespace scene {

// A 4 x 4 matrix, row by row (element [row * 4 + column]).
struct Matrix {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float operator()(int row, int column) const { return m[row * 4 + column]; }
    float& operator()(int row, int column) { return m[row * 4 + column]; }
};
Matrix operator*(const Matrix& a, const Matrix& b);

// A point after a matrix, before the division by w.
struct Clip {
    float x = 0, y = 0, z = 0, w = 1;
};
Clip transform(const Matrix& matrix, const pof::Vec3& point);

class Camera {
  public:
    static constexpr float kHalfFov = 22.5f;  // degrees, of the height
    static constexpr float kPitchLimit = 1.56f;
    // The fitted three-quarter view from above and beside.
    static constexpr float kDefaultYaw = 2.6f, kDefaultPitch = 0.4f;

    // Frames what the picture draws: the target at its centre, far enough away that the
    // sphere around it fills the height. The angles stay.
    void fit(const view::Picture& picture);
    void look(float yaw, float pitch);
    // Moves the target across the view by a drag of (dx, dy) pixels in a view of that height.
    void pan(float dx, float dy, int height);
    // Moves closer (steps > 0) or away, as wheel notches do.
    void zoom(float steps);
    // Zooms keeping the point under the pointer (at the target's depth) where it is: the
    // pointer (dx, dy) pixels right of and above the centre of a view of that height.
    void zoom_at(float steps, float dx, float dy, int height);
    // Looks at centre (in the camera's world) from far enough that a sphere of radius fills
    // the height; the angles stay.
    void frame(const pof::Vec3& centre, float radius);
    void set_orthographic(bool orthographic) { orthographic_ = orthographic; }

    float yaw() const { return yaw_; }
    float pitch() const { return pitch_; }
    float distance() const { return distance_; }
    const pof::Vec3& target() const { return target_; }
    bool orthographic() const { return orthographic_; }
    // From the target towards the eye, unit length, in the camera's world.
    pof::Vec3 eye_direction() const;
    // The head-light in picture coordinates, as the shading takes it.
    pof::Vec3 light() const;

    static Matrix model();
    Matrix view() const;
    Matrix projection(float aspect) const;
    // Projection, view and model together, for a view of that width over height.
    Matrix transform(float aspect) const { return projection(aspect) * view() * model(); }

  private:
    pof::Vec3 target_;
    float distance_ = 10, radius_ = 1;
    float yaw_ = kDefaultYaw, pitch_ = kDefaultPitch;
    bool orthographic_ = false;
};

}  // namespace scene
