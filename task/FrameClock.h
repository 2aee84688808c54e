#pragma once
#include <cstdint>

namespace orb {

// Real time between frames, from a monotonic millisecond clock. The game root
// ticks it once per update and clamps the result, so a stall never makes the
// game jump and a fast frame never stalls it.
class FrameClock {
 public:
  FrameClock();
  // Seconds since the previous tick (or since construction), in whole milliseconds.
  double tick();
  // The step the game's tasks get: the measured interval clamped to [nominal/2, 2*nominal].
  static float clampStep(double measured, float nominal);

  static std::uint32_t nowMilliseconds();

 private:
  std::uint32_t last_;
};

}  // namespace orb
