#include "gfx/Easing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "gfx/MathConstants.h"

namespace orb {
namespace {

using Curve = float (*)(float t, float b, float c, float d);

constexpr float kBack = 1.70158f;
constexpr float kBackInOut = 2.5949094f;  // kBack * 1.525

float bounceOut(float t, float b, float c, float d) {
  float p = t / d;
  if (p < 0.36363636f) return b + c * 7.5625f * p * p;
  if (p < 0.72727273f) {
    p -= 0.54545455f;
    return b + c * (7.5625f * p * p + 0.75f);
  }
  if (p < 0.90909091f) {
    p -= 0.81818182f;
    return b + c * (7.5625f * p * p + 0.9375f);
  }
  p -= 0.95454545f;
  return b + c * (7.5625f * p * p + 0.984375f);
}

float linear(float t, float b, float c, float d) { return b + c * (t / d); }

float backIn(float t, float b, float c, float d) {
  const float p = t / d;
  return b + c * p * p * ((kBack + 1) * p - kBack);
}
float backOut(float t, float b, float c, float d) {
  const float q = t / d - 1;
  return b + c * (q * q * ((kBack + 1) * q + kBack) + 1);
}
float backInOut(float t, float b, float c, float d) {
  float h = t / (d / 2);
  if (h < 1) return b + c / 2 * (h * h * ((kBackInOut + 1) * h - kBackInOut));
  h -= 2;
  return b + c / 2 * (h * h * ((kBackInOut + 1) * h + kBackInOut) + 2);
}

float bounceIn(float t, float b, float c, float d) { return b + c - bounceOut(d - t, 0, c, d); }
float bounceOutCurve(float t, float b, float c, float d) { return bounceOut(t, b, c, d); }
float bounceInOut(float t, float b, float c, float d) {
  if (t < d / 2) return b + (c - bounceOut(d - 2 * t, 0, c, d)) * 0.5f;
  return b + bounceOut(2 * t - d, 0, c, d) * 0.5f + c * 0.5f;
}

float circIn(float t, float b, float c, float d) {
  const float p = t / d;
  return b - c * (std::sqrt(1 - p * p) - 1);
}
float circOut(float t, float b, float c, float d) {
  const float q = t / d - 1;
  return b + c * std::sqrt(1 - q * q);
}
float circInOut(float t, float b, float c, float d) {
  float h = t / (d / 2);
  if (h < 1) return b - c / 2 * (std::sqrt(1 - h * h) - 1);
  h -= 2;
  return b + c / 2 * (std::sqrt(1 - h * h) + 1);
}

float cubicIn(float t, float b, float c, float d) {
  const float p = t / d;
  return b + c * p * p * p;
}
float cubicOut(float t, float b, float c, float d) {
  const float q = t / d - 1;
  return b + c * (q * q * q + 1);
}
float cubicInOut(float t, float b, float c, float d) {
  float h = t / (d / 2);
  if (h < 1) return b + c / 2 * h * h * h;
  h -= 2;
  return b + c / 2 * (h * h * h + 2);
}

// Elastic curves swing with amplitude c; s = period / 4.
float elasticIn(float t, float b, float c, float d) {
  if (t == 0) return b;
  const float p = t / d;
  if (p == 1) return b + c;
  const float q = p - 1;
  const float period = 0.3f * d;
  return b - c * std::pow(2.0f, 10 * q) * std::sin((d * q - period / 4) * kTwoPi / period);
}
float elasticOut(float t, float b, float c, float d) {
  if (t == 0) return b;
  const float p = t / d;
  if (p == 1) return b + c;
  const float period = 0.3f * d;
  return b + c + c * std::pow(2.0f, -10 * p) * std::sin((d * p - period / 4) * kTwoPi / period);
}
float elasticInOut(float t, float b, float c, float d) {
  if (t == 0) return b;
  const float h = t / (d / 2);
  if (h == 2) return b + c;
  const float q = h - 1;
  const float period = 0.45f * d;
  const float wave = std::sin((d * q - period / 4) * kTwoPi / period);
  if (h < 1) return b - 0.5f * c * std::pow(2.0f, 10 * q) * wave;
  return b + c + 0.5f * c * std::pow(2.0f, -10 * q) * wave;
}

float expoIn(float t, float b, float c, float d) {
  return t == 0 ? b : b + c * std::pow(2.0f, 10 * (t / d - 1));
}
float expoOut(float t, float b, float c, float d) {
  return t == d ? b + c : b + c * (1 - std::pow(2.0f, -10 * t / d));
}
float expoInOut(float t, float b, float c, float d) {
  if (t == 0) return b;
  if (t == d) return b + c;
  const float h = t / (d / 2);
  if (h < 1) return b + c / 2 * std::pow(2.0f, 10 * (h - 1));
  return b + c / 2 * (2 - std::pow(2.0f, -10 * (h - 1)));
}

float quadIn(float t, float b, float c, float d) {
  const float p = t / d;
  return b + c * p * p;
}
float quadOut(float t, float b, float c, float d) {
  const float p = t / d;
  return b - c * p * (p - 2);
}
float quadInOut(float t, float b, float c, float d) {
  float h = t / (d / 2);
  if (h < 1) return b + c / 2 * h * h;
  h -= 1;
  return b - c / 2 * (h * (h - 2) - 1);
}

float quartIn(float t, float b, float c, float d) {
  const float p = t / d;
  return b + c * p * p * p * p;
}
float quartOut(float t, float b, float c, float d) {
  const float q = t / d - 1;
  return b - c * (q * q * q * q - 1);
}
float quartInOut(float t, float b, float c, float d) {
  float h = t / (d / 2);
  if (h < 1) return b + c / 2 * h * h * h * h;
  h -= 2;
  return b - c / 2 * (h * h * h * h - 2);
}

float quintIn(float t, float b, float c, float d) {
  const float p = t / d;
  return b + c * p * p * p * p * p;
}
float quintOut(float t, float b, float c, float d) {
  const float q = t / d - 1;
  return b + c * (q * q * q * q * q + 1);
}
float quintInOut(float t, float b, float c, float d) {
  float h = t / (d / 2);
  if (h < 1) return b + c / 2 * h * h * h * h * h;
  h -= 2;
  return b + c / 2 * (h * h * h * h * h + 2);
}

float sineIn(float t, float b, float c, float d) {
  return b + c - c * std::cos(t / d * kHalfPi);
}
float sineOut(float t, float b, float c, float d) { return b + c * std::sin(t / d * kHalfPi); }
float sineInOut(float t, float b, float c, float d) {
  return b - c / 2 * (std::cos(kPi * t / d) - 1);
}

constexpr std::array<Curve, kEaseCount> kCurves = {
    linear,    backIn,    backOut,    backInOut,  bounceIn,   bounceOutCurve, bounceInOut,
    circIn,    circOut,   circInOut,  cubicIn,    cubicOut,   cubicInOut,     elasticIn,
    elasticOut, elasticInOut, expoIn, expoOut,    expoInOut,  quadIn,         quadOut,
    quadInOut, quartIn,   quartOut,   quartInOut, quintIn,    quintOut,       quintInOut,
    sineIn,    sineOut,   sineInOut};
static_assert(kCurves.size() == 31, "one entry per numbered curve");

}  // namespace

float ease(int index, float t, float b, float c, float d) {
  if (!(d > 0)) return b + c;
  const Curve curve = index >= 0 && index < kEaseCount ? kCurves[static_cast<std::size_t>(index)]
                                                       : linear;
  return curve(t, b, c, d);
}

void tween(float& value, float time, float start, float end, float duration, int index) {
  const float t = time <= 0 ? 0.0f : (time >= duration ? duration : time);
  value = ease(index, t, start, end - start, duration);
}

void tween2(Vec2<float>& value, float time, const Vec2<float>& start, const Vec2<float>& end,
            float duration, int index) {
  tween(value.x, time, start.x, end.x, duration, index);
  tween(value.y, time, start.y, end.y, duration, index);
}

void tween3(Vec3& value, float time, const Vec3& start, const Vec3& end, float duration,
            int index) {
  tween(value.x, time, start.x, end.x, duration, index);
  tween(value.y, time, start.y, end.y, duration, index);
  tween(value.z, time, start.z, end.z, duration, index);
}

}  // namespace orb
