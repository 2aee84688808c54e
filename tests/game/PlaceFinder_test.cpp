#include "game/PlaceFinder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "data/JsonDocument.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

// The shipped places, loaded once for every case.
const PlaceFinder& shippedPlaces() {
  static JsonDocument doc(test::sourceDir() + "devdata/places.json");
  static PlaceFinder finder(doc.root(), test::sourceDir(), 0.004f);
  return finder;
}

// Map point of a longitude and latitude in degrees, through the outline grid.
Vec2<float> at(float lonDeg, float latDeg) {
  return Place::mapFromGrid((lonDeg + 180.0f) / 1.8f, (latDeg + 90.0f) / 1.8f);
}

struct Row {
  const char* name;
  float lon, lat;
  const char* expected;
};

TEST(PlaceFinderShipped, TheMostSpecificPlaceUnderTheFingerIsNamed) {
  const PlaceFinder& finder = shippedPlaces();
  ASSERT_GT(finder.size(), 500u);
  const Row rows[] = {
      {"a division before its country (Texas in the United States)", -99.5f, 31.0f, "us_tx"},
      {"a division before its country (Western Australia)", 117.0f, -28.0f, "au_wa"},
      {"a sea before its ocean (the Caribbean in the Atlantic)", -75.0f, 15.0f, "s_caribbean"},
      {"an ocean where no sea lies (mid-Pacific)", -150.0f, 0.0f, "o_pacific"},
      {"a country whose divisions are not asked (Algeria)", 2.0f, 27.0f, "c_dza"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.expected, finder.find(at(row.lon, row.lat))) << row.name;
}

TEST(PlaceFinderShipped, ALookupTakesFarLessThanAFrame) {
  const PlaceFinder& finder = shippedPlaces();
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  constexpr int kLookups = 2000;
  const auto start = std::chrono::steady_clock::now();
  int named = 0;
  for (int i = 0; i < kLookups; ++i) named += finder.find({u(gen), u(gen)}).empty() ? 0 : 1;
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GT(named, kLookups / 2);  // most of the earth is some place
  // Bounding boxes first: a lookup walks few outlines (a frame is 16 ms; this
  // allows a slow, shared machine plenty).
  EXPECT_LT(ms / kLookups, 0.5) << ms << " ms for " << kLookups << " lookups";
}

TEST(PlaceFinderArea, AreaIsTheSumOfThePolygonsWhateverTheirWinding) {
  Place place;
  ASSERT_TRUE(place.build("[[[0,0],[10,0],[10,10],[0,10]], [[20,0],[20,5],[30,5],[30,0]]]", "two boxes"));
  // 10 x 10 and 10 x 5 grid units; a grid unit is 0.01 x 0.02 map units.
  EXPECT_NEAR(PlaceFinder::area(place), (100.0f + 50.0f) * 0.01f * 0.02f, 1e-5f);
}

}  // namespace
}  // namespace orb
