#pragma once
#include <string>
#include <vector>

namespace orb {

class SoundSystem;

// Starts sounds after a delay measured in game time: the shell calls update()
// once per frame with its nominal step of 1/60 s, so a delay is counted in
// frames and waits longer when frames run slow.
class SoundScheduler {
 public:
  explicit SoundScheduler(SoundSystem& sound) : sound_(sound) {}

  // delay in seconds; 0 plays at once, anything else is queued. A 0.25 s delay
  // plays on the 15th update() of 1/60 s after the request.
  void play(const std::string& name, float volume = 1.0f, float delay = 0.0f);

  // Counts every queued play down by dt seconds and starts those now due, in
  // the order they were requested.
  void update(float dt);

  // Stops every sound and forgets the queued plays.
  void clear();

  std::size_t pending() const { return delayed_.size(); }
  SoundSystem& sound() { return sound_; }

 private:
  struct Delayed {
    std::string name;
    float volume;
    float remaining;  // seconds
    bool done;
  };

  SoundSystem& sound_;
  std::vector<Delayed> delayed_;
};

}  // namespace orb
