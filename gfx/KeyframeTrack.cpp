#include "gfx/KeyframeTrack.h"

#include "data/Json.h"
#include "gfx/Easing.h"

namespace orb {

void buildTrack(int easing, const picojson::value& keys, KeyframeTrack& track, bool append) {
  if (!append) {
    track.segments.clear();
    track.total = 0.0f;
  }
  for (const picojson::value& key : json::array(keys)) {
    const picojson::array& k = json::array(key);
    if (k.size() < 5) continue;
    bool numbers = true;
    for (std::size_t i = 0; i < 5; ++i) numbers = numbers && k[i].is<double>();
    if (!numbers) continue;
    KeyframeSegment seg;
    seg.easing = easing;
    seg.from = {json::real(k[0]), json::real(k[1])};
    seg.to = {json::real(k[2]), json::real(k[3])};
    seg.duration = json::real(k[4]);
    track.segments.push_back(seg);
    track.total += seg.duration;
  }
}

bool evaluateTrack(const KeyframeTrack& track, Vec2<float>& value, float time) {
  const float t = time <= 0 ? 0.0f : (time >= track.total ? track.total : time);
  float start = 0.0f;
  for (const KeyframeSegment& seg : track.segments) {
    if (start + seg.duration >= t) {
      tween2(value, t - start, seg.from, seg.to, seg.duration, seg.easing);
      break;
    }
    start += seg.duration;
  }
  return time <= track.total;
}

}  // namespace orb
