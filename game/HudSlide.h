#pragma once
#include "gfx/Vec3.h"

namespace orb {

// The eased (x offset, y offset, alpha) triple a HUD panel rides on: it slides
// in when the panel is created and out when the game-over banner ends. Offsets
// are in 2D overlay units, alpha 0..1.
class HudSlide {
 public:
  // Curve 23 (quart out) is the motion of every HUD panel.
  static constexpr int kEasing = 23;

  // Starts easing value from `from` to `to` over duration seconds.
  void start(const Vec3& from, const Vec3& to, float duration, int easing = kEasing);
  // Advances by dt seconds; value reaches `to` exactly when the time is up.
  void update(float dt);
  bool finished() const { return elapsed_ >= duration_; }

  float x() const { return value_.x; }
  float y() const { return value_.y; }
  float alpha() const { return value_.z; }
  const Vec3& value() const { return value_; }

 private:
  Vec3 value_{0.0f, 0.0f, 1.0f};
  Vec3 from_{0.0f, 0.0f, 1.0f};
  Vec3 to_{0.0f, 0.0f, 1.0f};
  float elapsed_ = 0.0f;
  float duration_ = 0.0f;
  int easing_ = kEasing;
};

}  // namespace orb
