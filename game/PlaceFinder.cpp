#include "game/PlaceFinder.h"

#include <picojson.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/Json.h"
#include "game/PlaceDatabase.h"

namespace orb {

PlaceFinder::PlaceFinder(const picojson::value& places, const std::string& dataDir, float radius) {
  const PlaceDatabase database(places, dataDir);
  for (const auto& [key, entry] : json::object(places)) {
    if (!json::at(entry, "name").is<std::string>()) continue;
    const std::string path = database.outlinePath(key);
    if (path.empty()) continue;
    auto place = std::make_unique<Place>();
    if (!place->load(path) || place->polygons().empty()) continue;
    place->setRadius(radius);
    Entry e{key, nullptr, area(*place), 1e30f, 1e30f, -1e30f, -1e30f};
    for (const Place::Polygon& poly : place->polygons()) {
      for (const Vec2<float>& q : poly) {
        e.minX = std::min(e.minX, q.x - radius);
        e.minY = std::min(e.minY, q.y - radius);
        e.maxX = std::max(e.maxX, q.x + radius);
        e.maxY = std::max(e.maxY, q.y + radius);
      }
    }
    e.place = std::move(place);
    places_.push_back(std::move(e));
  }
}

float PlaceFinder::area(const Place& place) {
  double total = 0.0;
  for (const Place::Polygon& poly : place.polygons()) {
    double twice = 0.0;
    for (std::size_t i = 0, n = poly.size(); i < n; ++i) {
      const Vec2<float>& a = poly[i];
      const Vec2<float>& b = poly[(i + 1) % n];
      twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    total += std::abs(twice) / 2.0;
  }
  return static_cast<float>(total);
}

std::string PlaceFinder::find(const Vec2<float>& p) const {
  const Entry* inside = nullptr;
  const Entry* near = nullptr;
  for (const Entry& e : places_) {
    // The place's bounds first: most places are far from the point.
    if (p.x < e.minX || p.x > e.maxX || p.y < e.minY || p.y > e.maxY) continue;
    if (inside && e.area >= inside->area) continue;
    if (e.place->inside(p)) {
      inside = &e;
    } else if (!inside && (!near || e.area < near->area) && e.place->near(p)) {
      near = &e;
    }
  }
  if (inside) return inside->key;
  return near ? near->key : std::string();
}

}  // namespace orb
