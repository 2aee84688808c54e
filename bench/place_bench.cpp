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

  // Taps spread over the map, most of them misses that walk every edge.
  std::vector<double> hits;
  int inside = 0;
  for (int i = 0; i < 2000; ++i) {
    const orb::Vec2<float> p(-0.99f + 1.98f * static_cast<float>((i * 37) % 2000) / 2000.0f,
                             -0.99f + 1.98f * static_cast<float>((i * 53) % 2000) / 2000.0f);
    const auto t0 = Clock::now();
    inside += place.hitTest(p) ? 1 : 0;
    hits.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
  }
  std::printf("place with the most vertices: %s (%zu vertices)\n", biggest.c_str(), most);
  std::printf("hit test: median %.2f us (%d of 2000 taps hit)\n", medianMicros(hits), inside);
  std::printf("outline load: median %.1f us\n", medianMicros(loads));
  return 0;
}
