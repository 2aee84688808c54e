// Cost of judging a tap against the place with the most vertices, and of
// loading that place's outline file. Prints median microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/Place.h"
#include "game/PlaceDatabase.h"

namespace {

using Clock = std::chrono::steady_clock;

double medianMicros(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  const std::string root = GLOBARO_SOURCE_DIR;
  orb::JsonDocument params(root + "devdata/params.json");
  const picojson::value& game = orb::json::at(params.root(), "game");
  orb::JsonDocument places(root + orb::json::string(game, "places"));
  if (!places.loaded()) {
    std::fprintf(stderr, "places not loaded: %s\n", places.error().c_str());
    return 1;
  }
  orb::PlaceDatabase db(places.root(), root);

  std::string biggest;
  std::size_t most = 0;
  for (const auto& entry : orb::json::object(places.root())) {
    orb::Place p;
    if (!p.load(db.outlinePath(entry.first))) continue;
    std::size_t n = 0;
    for (const auto& poly : p.polygons()) n += poly.size();
    if (n > most) {
      most = n;
      biggest = entry.first;
    }
  }

  std::vector<double> loads;
  orb::Place place;
  for (int i = 0; i < 50; ++i) {
    const auto t0 = Clock::now();
    (void)place.load(db.outlinePath(biggest));
    loads.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
  }
  place.setRadius(orb::json::real(game, "touch_radius"));

  // Taps spread over the place's bounding box: on it, near it and between its
  // islands, where every nearby polygon's edges are walked.
  float minX = 1, minY = 1, maxX = -1, maxY = -1;
  for (const auto& poly : place.polygons()) {
    for (const auto& q : poly) {
      minX = std::min(minX, q.x);
      minY = std::min(minY, q.y);
      maxX = std::max(maxX, q.x);
      maxY = std::max(maxY, q.y);
    }
  }
  std::vector<double> hits;
  int inside = 0;
  constexpr int kTaps = 4000;
  for (int i = 0; i < kTaps; ++i) {
    const float fx = static_cast<float>((i * 37) % kTaps) / kTaps;
    const float fy = static_cast<float>((i * 53) % kTaps) / kTaps;
    const orb::Vec2<float> p(minX + (maxX - minX) * fx, minY + (maxY - minY) * fy);
    const auto t0 = Clock::now();
    inside += place.hitTest(p) ? 1 : 0;
    hits.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
  }
  std::printf("place with the most vertices: %s (%zu vertices)\n", biggest.c_str(), most);
  std::printf("hit test: median %.2f us, slowest %.2f us (%d of %d taps hit)\n", medianMicros(hits),
              *std::max_element(hits.begin(), hits.end()), inside, kTaps);
  std::printf("outline load: median %.1f us\n", medianMicros(loads));
  return 0;
}
