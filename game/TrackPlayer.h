#pragma once
#include <picojson.h>

#include "gfx/KeyframeTrack.h"
#include "gfx/Vec2.h"

namespace orb {

// Plays one keyframe track from the parameter file against a running clock:
// the banners' (scale, alpha) and (offset, alpha) animations.
class TrackPlayer {
 public:
  // Replaces the track with keys (see buildTrack), segments eased by easing.
  void load(const picojson::value& keys, int easing);
  // Adds keys after the segments already loaded.
  void append(const picojson::value& keys, int easing);

  // Restarts the clock at time seconds into the track.
  void restart(float time = 0.0f);
  // Advances the clock by dt and evaluates the track; false once the clock has
  // passed the track's end (the value then holds the final pair).
  bool update(float dt);

  const Vec2<float>& value() const { return value_; }
  float total() const { return track_.total; }
  float time() const { return time_; }

 private:
  KeyframeTrack track_;
  Vec2<float> value_;
  float time_ = 0.0f;
};

}  // namespace orb
