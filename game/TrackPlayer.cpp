#include "game/TrackPlayer.h"

namespace orb {

void TrackPlayer::load(const picojson::value& keys, int easing) {
  buildTrack(easing, keys, track_, false);
  if (!track_.segments.empty()) value_ = track_.segments.front().from;
}

void TrackPlayer::append(const picojson::value& keys, int easing) {
  const bool wasEmpty = track_.segments.empty();
  buildTrack(easing, keys, track_, true);
  if (wasEmpty && !track_.segments.empty()) value_ = track_.segments.front().from;
}

void TrackPlayer::restart(float time) {
  time_ = time;
  evaluateTrack(track_, value_, time_);
}

bool TrackPlayer::update(float dt) {
  time_ += dt;
  return evaluateTrack(track_, value_, time_);
}

}  // namespace orb
