#pragma once
#include "gfx/Vec2.h"
#include "gfx/Vec3.h"

namespace orb {

// The 31 numbered easing curves (Penner's equations). Code and parameter
// tracks pick a curve by number:
//   0 linear; 1-3 back in/out/in-out; 4-6 bounce; 7-9 circ; 10-12 cubic;
//   13-15 elastic; 16-18 expo; 19-21 quad; 22-24 quart; 25-27 quint; 28-30 sine.
constexpr int kEaseCount = 31;

// The curves by name, for the places where the code itself picks one (numbers
// read from the parameter file index the same table).
enum Ease : int {
  kEaseLinear = 0,
  kEaseBackIn = 1, kEaseBackOut = 2, kEaseBackInOut = 3,
  kEaseBounceIn = 4, kEaseBounceOut = 5, kEaseBounceInOut = 6,
  kEaseCircIn = 7, kEaseCircOut = 8, kEaseCircInOut = 9,
  kEaseCubicIn = 10, kEaseCubicOut = 11, kEaseCubicInOut = 12,
  kEaseElasticIn = 13, kEaseElasticOut = 14, kEaseElasticInOut = 15,
  kEaseExpoIn = 16, kEaseExpoOut = 17, kEaseExpoInOut = 18,
  kEaseQuadIn = 19, kEaseQuadOut = 20, kEaseQuadInOut = 21,
  kEaseQuartIn = 22, kEaseQuartOut = 23, kEaseQuartInOut = 24,
  kEaseQuintIn = 25, kEaseQuintOut = 26, kEaseQuintInOut = 27,
  kEaseSineIn = 28, kEaseSineOut = 29, kEaseSineInOut = 30,
};
static_assert(kEaseSineInOut + 1 == kEaseCount, "one name per curve");

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
