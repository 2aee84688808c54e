#include "task/FrameClock.h"

#include <algorithm>
#include <chrono>

namespace orb {

std::uint32_t FrameClock::nowMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

FrameClock::FrameClock() : last_(nowMilliseconds()) {}

double FrameClock::tick() {
  const std::uint32_t now = nowMilliseconds();
  // Unsigned difference: correct across the 49-day wrap of the 32-bit count.
  const double interval = static_cast<double>(static_cast<std::uint32_t>(now - last_)) / 1000.0;
  last_ = now;
  return interval;
}

float FrameClock::clampStep(double measured, float nominal) {
  return static_cast<float>(std::clamp(measured, static_cast<double>(nominal) / 2.0,
                                       static_cast<double>(nominal) * 2.0));
}

}  // namespace orb
