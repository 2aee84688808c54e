#pragma once

namespace orb {

// All coordinate arithmetic is single precision with pi rounded to float, so
// that judged answers and recorded replays agree bit for bit everywhere.
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kDegToRad = kPi / 180.0f;
// 2^-23, below which slerp treats two orientations as the same.
constexpr float kFloatEpsilon = 1.1920929e-7f;

}  // namespace orb
