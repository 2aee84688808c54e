#include "globe/LimbView.h"

#include <cmath>

namespace orb {

LimbView::LimbView(const Vec3& centre, float radius) : view_(centre) {
  const float distance = centre.length();
  outside_ = view_.normalize() && distance > radius;
  if (!outside_) return;
  limbDepth_ = distance - radius * radius / distance;
  coneCos_ = std::sqrt(distance * distance - radius * radius) / distance;
}

float LimbView::inFront(const Vec3& p) const { return limbDepth_ - p.dot(view_); }

bool LimbView::hides(const Vec3& p) const {
  if (!outside_ || inFront(p) >= 0.0f) return false;
  return p.dot(view_) > coneCos_ * p.length();
}

}  // namespace orb
