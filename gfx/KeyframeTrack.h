#pragma once
#include <vector>

#include <picojson.h>

#include "gfx/Vec2.h"

namespace orb {

// One eased two-value segment of an animation read from the parameter file.
struct KeyframeSegment {
  int easing = 0;
  Vec2<float> from;
  Vec2<float> to;
  float duration = 0.0f;  // seconds
};

// A chain of segments played one after the other.
struct KeyframeTrack {
  std::vector<KeyframeSegment> segments;
  float total = 0.0f;  // sum of the segment durations, seconds
};

// Reads [[from.x, from.y, to.x, to.y, duration], ...] into track with one
// easing for all segments. Without append the track is emptied first.
// Elements that are not arrays of at least five numbers are skipped.
void buildTrack(int easing, const picojson::value& keys, KeyframeTrack& track, bool append);

// value = the track at time (clamped to [0, total]); an empty track leaves it
// unchanged. True while time <= total, i.e. the track is still running or has
// just reached its end.
bool evaluateTrack(const KeyframeTrack& track, Vec2<float>& value, float time);

}  // namespace orb
