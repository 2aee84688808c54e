#pragma once
#include "gfx/Easing.h"
#include "gfx/Vec3.h"

namespace orb {

// The eased (x offset, y offset, alpha) triple a panel rides on: it slides in
// when the panel is created and out when the panel leaves. Offsets are in 2D
// overlay units, alpha 0..1. Used like OverlayFade: `leave()` once, and retire
// the panel when `update()` says the slide-out is over.
class HudSlide {
 public:
  // Curve 23 (quart out) is the motion of every HUD panel.
  static constexpr int kEasing = kEaseQuartOut;

  // Starts easing value from `from` to `to` over duration seconds.
  void start(const Vec3& from, const Vec3& to, float duration, int easing = kEasing);
  // Starts the slide-out from wherever the panel stands; a second call changes
  // nothing, so a panel told to leave twice does not restart its exit.
  void leave(const Vec3& to, float duration, int easing = kEasing);
  // Advances by dt seconds (value reaches `to` exactly when the time is up);
  // false once a slide-out has finished.
  bool update(float dt);
  bool finished() const { return elapsed_ >= duration_; }
  bool leaving() const { return leaving_; }

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
  bool leaving_ = false;
};

}  // namespace orb
