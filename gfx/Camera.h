#pragma once
#include <array>

#include <picojson.h>

#include "gfx/Mat4.h"
#include "gfx/Quat.h"
#include "gfx/Vec2.h"
#include "gfx/Vec3.h"

namespace orb {

// A ray in the frame of the model-view matrix it was built with.
struct Ray {
  Vec3 origin;     // on the near plane
  Vec3 direction;  // unit length, towards the far plane
};

// Everything the fixed-function pipeline needs to look at the scene, plus the
// matrices of the last apply() kept for picking. The game owns a perspective
// camera for the globe and a 2D camera for the overlays.
class Camera {
 public:
  static constexpr int kPerspective = 0;
  static constexpr int kOrtho2D = 1;

  explicit Camera(int kind);

  // Reads the "camera" parameter object: "angle" and "pitch_max" in degrees,
  // "near", "far", "dist" in globe units, then recomputes the extents for
  // aspect (window width / height). Perspective cameras only.
  void configure(const picojson::value& cameraParams, float aspect);

  // aspect = viewport width / height; recomputes the frustum extents.
  void setAspect(float aspectRatio);
  // halfWidth/halfHeight from fov, aspect and near.
  void updateExtents();

  // Loads this camera's projection and model-view matrices into GL and saves
  // them (with the viewport) for project/unproject/picking.
  // Perspective: a frustum mirrored left-to-right (the sphere's winding and the
  // earth texture's orientation rely on it), then translate by -distance and
  // rotate by orientation; inverseRotation becomes the inverse rotation.
  // 2D: origin at the viewport centre, x right, y down, one unit per 2D pixel,
  // halfWidth x halfHeight units in all. Other kinds touch no matrix.
  void apply();

  // gluProject of p with modelView and the saved projection and viewport:
  // window x, y (GL window coordinates, origin bottom-left) and depth.
  Vec3 project(const Vec3& p, const double* modelView) const;
  // gluUnProject of the window point (GL window coordinates) at depth 0..1.
  Vec3 unproject(const Vec2<float>& window, float depth, const double* modelView) const;
  // The ray through a window point (GL window coordinates, y up: a tap at y
  // from the top is passed as windowHeight - y), in modelView's model frame.
  Ray screenRay(const Vec2<float>& window, const double* modelView) const;

  int kind;
  int fovIsHorizontal = 0;     // 0: fov spans the height, 1: the width
  float fov = 0.5235988f;      // radians, full angle
  float aspect = 1.0f;         // width / height
  float near = 1.0f;           // clip distances
  float far = 10.0f;
  Quat orientation;            // rotation applied to the world
  float distance = 1.0f;       // eye to world origin
  float halfWidth = 320.0f;    // perspective: half frustum width at near; 2D: full width
  float halfHeight = 160.0f;   // perspective: half frustum height at near; 2D: full height
  float pitchMax = 3.1415927f; // radians, largest allowed tilt
  std::array<double, 16> projection{};  // saved by apply()
  std::array<double, 16> modelView{};   // saved by apply()
  std::array<int, 4> viewport{};        // saved by apply(): x, y, width, height
  Mat4 inverseRotation;                 // after a perspective apply(): inverse of the orientation
};

// Nearest intersection of the ray through a window point (GL window
// coordinates) with the sphere (centre, radius), in modelView's model frame.
// The smaller root is taken even when it lies behind the near plane. A miss
// or a degenerate ray gives false and leaves hit untouched.
bool pickSphere(Vec3& hit, const Vec2<float>& window, float radius, const Vec3& centre,
                const Camera& camera, const double* modelView);

}  // namespace orb
