#include "audio/SoundScheduler.h"

#include <algorithm>

#include "audio/SoundSystem.h"

namespace orb {

namespace {

// Delays are whole numbers of 1/60 s frames in practice, but 1/60 is not exact
// in float: 0.25 minus fifteen steps leaves a few nanoseconds, which would
// push the play to the 16th frame. Anything within this of zero is due.
constexpr float kDueTolerance = 1.0e-4f;  // seconds, far below one frame

}  // namespace

void SoundScheduler::play(const std::string& name, float volume, float delay) {
  if (delay != 0.0f) {
    delayed_.push_back(Delayed{name, volume, delay, false});
  } else {
    sound_.play(name, volume);
  }
}

void SoundScheduler::update(float dt) {
  // Index loop: a play may not add to the list, but stay safe if it ever does.
  for (std::size_t i = 0; i < delayed_.size(); ++i) {
    Delayed& d = delayed_[i];
    d.remaining -= dt;
    if (d.remaining <= kDueTolerance) {
      sound_.play(d.name, d.volume);
      d.done = true;
    }
  }
  delayed_.erase(std::remove_if(delayed_.begin(), delayed_.end(), [](const Delayed& d) { return d.done; }),
                 delayed_.end());
}

void SoundScheduler::clear() {
  sound_.stopAll();
  delayed_.clear();
}

}  // namespace orb
