#pragma once
// Which place lies under a point of the map: every outline of the places
// document, loaded once, for the explore mode. Places overlap (a division
// lies inside its country, a sea inside an ocean's outline), so the most
// specific one wins: of the places holding the point, the one with the
// smallest area. A point inside no outline takes the smallest place whose
// edge passes within the tap radius, so small islands can still be named.
#include <memory>
#include <string>
#include <vector>

#include "game/Place.h"
#include "gfx/Vec2.h"

namespace picojson {
class value;
}

namespace orb {

class PlaceFinder {
 public:
  // places: the places document's root; dataDir: prefix of devdata/.
  // radius: the tap tolerance, map units. Entries without a name or an
  // outline that loads are left out (their loading says why on stderr).
  PlaceFinder(const picojson::value& places, const std::string& dataDir, float radius);

  // The key of the most specific place at map point p, "" when none.
  std::string find(const Vec2<float>& p) const;

  std::size_t size() const { return places_.size(); }

  // Area of a place's polygons in square map units (even-odd holes ignored).
  static float area(const Place& place);

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<Place> place;
    float area;
    float minX, minY, maxX, maxY;  // bounds of every polygon, grown by the radius
  };

  std::vector<Entry> places_;
};

}  // namespace orb
