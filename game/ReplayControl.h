#pragma once
#include <cstdint>

namespace orb {

// What a game needs from the demonstration replay: the recorded game's seed
// and the switch for playing the recorded camera and touches back. The replay
// itself lives above the game layer; it implements this seam.
class ReplayControl {
 public:
  virtual ~ReplayControl() = default;
  virtual std::uint32_t seed() const = 0;
  virtual void startPlayback() = 0;
  virtual void stopPlayback() = 0;
};

}  // namespace orb
