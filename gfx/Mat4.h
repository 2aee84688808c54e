#pragma once
#include <array>

#include "gfx/Quat.h"
#include "gfx/Vec3.h"

namespace orb {

// Sixteen doubles in OpenGL column-major order: element c*4 + r is column c,
// row r, and the translation sits in elements 12 to 14. A new Mat4 is the
// identity. data() can go straight to glMultMatrixd / glLoadMatrixd.
struct Mat4 {
  std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  double& operator[](int i) { return m[static_cast<std::size_t>(i)]; }
  double operator[](int i) const { return m[static_cast<std::size_t>(i)]; }
  const double* data() const { return m.data(); }
  double* data() { return m.data(); }

  // The rotation matrix of q (expected to be a unit quaternion).
  static Mat4 fromQuat(const Quat& q);

  // Replaces this matrix by its adjugate (the inverse for a rotation, whose
  // determinant is 1). A singular matrix is left unchanged and gives false.
  bool invertRotation();

  // m * (v, 1) without the division by w.
  Vec3 transformPoint(const Vec3& v) const;
};

}  // namespace orb
