#include "gfx/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "data/Json.h"
#include "gfx/MathConstants.h"

namespace orb {

Camera::Camera(int cameraKind) : kind(cameraKind) {}

void Camera::configure(const picojson::value& cameraParams, float aspectRatio) {
  fov = json::real(cameraParams, "angle") * kPi / 180.0f;
  near = json::real(cameraParams, "near");
  far = json::real(cameraParams, "far");
  distance = json::real(cameraParams, "dist");
  pitchMax = json::real(cameraParams, "pitch_max") * kPi / 180.0f;
  aspect = aspectRatio;
  updateExtents();
}

void Camera::setAspect(float aspectRatio) {
  aspect = aspectRatio;
  updateExtents();
}

void Camera::updateExtents() {
  const float h = std::tan(fov / 2.0f) * near;
  if (fovIsHorizontal) {
    halfWidth = h;
    halfHeight = h / aspect;
  } else {
    halfHeight = h;
    halfWidth = h * aspect;
  }
}

void Camera::apply() {
  if (kind == kPerspective) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(halfWidth, -halfWidth, -halfHeight, halfHeight, near, far);
    glMatrixMode(GL_MODELVIEW);
    // The frame's 2D pass leaves the identity here anyway; loading it makes
    // the globe independent of what was drawn before it.
    glLoadIdentity();
    glTranslated(0.0, 0.0, -static_cast<double>(distance));
    inverseRotation = Mat4::fromQuat(orientation);
    glMultMatrixd(inverseRotation.data());
    inverseRotation.invertRotation();
  } else if (kind == kOrtho2D) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-0.5 * halfWidth, 0.5 * halfWidth, 0.5 * halfHeight, -0.5 * halfHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView.data());
  glGetIntegerv(GL_VIEWPORT, viewport.data());
}

Vec3 Camera::project(const Vec3& p, const double* mv) const {
  double wx = 0, wy = 0, wz = 0;
  gluProject(p.x, p.y, p.z, mv, projection.data(), viewport.data(), &wx, &wy, &wz);
  return {static_cast<float>(wx), static_cast<float>(wy), static_cast<float>(wz)};
}

Vec3 Camera::unproject(const Vec2<float>& window, float depth, const double* mv) const {
  double ox = 0, oy = 0, oz = 0;
  gluUnProject(window.x, window.y, depth, mv, projection.data(), viewport.data(), &ox, &oy, &oz);
  return {static_cast<float>(ox), static_cast<float>(oy), static_cast<float>(oz)};
}

Ray Camera::screenRay(const Vec2<float>& window, const double* mv) const {
  Ray ray;
  ray.origin = unproject(window, 0.0f, mv);
  ray.direction = unproject(window, 1.0f, mv) - ray.origin;
  ray.direction.normalize();
  return ray;
}

bool pickSphere(Vec3& hit, const Vec2<float>& window, float radius, const Vec3& centre,
                const Camera& camera, const double* modelView) {
  const Ray ray = camera.screenRay(window, modelView);
  const Vec3& d = ray.direction;
  const float a = d.dot(d);
  if (a - 0.00001f <= 0.0f) return false;
  const Vec3 oc = ray.origin - centre;
  const float b = d.dot(oc);
  const float disc = b * b - a * (oc.dot(oc) - radius * radius);
  if (disc < 0.0f) return false;
  const float t = (-b - std::sqrt(disc)) / a;
  hit = ray.origin + d * t;
  return true;
}

}  // namespace orb
