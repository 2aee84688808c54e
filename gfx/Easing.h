#pragma once
#include "gfx/Vec2.h"
#include "gfx/Vec3.h"

namespace orb {

// The 31 numbered easing curves (Penner's equations). Code and parameter
// tracks pick a curve by number:
//   0 linear; 1-3 back in/out/in-out; 4-6 bounce; 7-9 circ; 10-12 cubic;
//   13-15 elastic; 16-18 expo; 19-21 quad; 22-24 quart; 25-27 quint; 28-30 sine.
constexpr int kEaseCount = 31;

// Curve `index` at time t of d seconds, from b by change c (end = b + c).
// t should already lie in [0, d]. A duration <= 0 gives the end value, and an
// unknown index eases linearly.
float ease(int index, float t, float b, float c, float d);

// value = curve(clamp(time, 0, duration)) from start to end.
void tween(float& value, float time, float start, float end, float duration, int index);
// The same for each component of a 2D or 3D value, with one curve.
void tween2(Vec2<float>& value, float time, const Vec2<float>& start, const Vec2<float>& end,
            float duration, int index);
void tween3(Vec3& value, float time, const Vec3& start, const Vec3& end, float duration,
            int index);

// Convenience forms returning the value.
inline float tweened(float time, float start, float end, float duration, int index) {
  float v = start;
  tween(v, time, start, end, duration, index);
  return v;
}

}  // namespace orb
