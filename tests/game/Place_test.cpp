#include "game/Place.h"

#include <gtest/gtest.h>

#include "data/DzFile.h"
#include "game/MapCoords.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

Place placeFrom(const std::string& outline, float radius = 0.0f) {
  Place p;
  EXPECT_TRUE(p.build(outline, "test"));
  p.setRadius(radius);
  return p;
}

// A square of map units [0, 0.2] x [0, 0.2]: grid x 100..120, y 40..50.
const char* kSquare = "[[[100,50],[120,50],[120,40],[100,40]]]";

TEST(PlaceConversion, GridPointsBecomeMapCoordinates) {
  const Place p = placeFrom("[[[0,100],[200,0],[100,50,7]]]");
  ASSERT_EQ(1u, p.polygons().size());
  const auto& poly = p.polygons()[0];
  EXPECT_EQ(Vec2<float>(-1.0f, -1.0f), poly[0]) << "top-left of the image";
  EXPECT_EQ(Vec2<float>(1.0f, 1.0f), poly[1]) << "bottom-right";
  EXPECT_EQ(Vec2<float>(0.0f, 0.0f), poly[2]) << "extra vertex elements are ignored";
}

TEST(PlaceConversion, CentreOfTheMapIsMinusX) {
  const Vec3 g = globeFromMap(Vec2<float>(0.0f, 0.0f));
  EXPECT_NEAR(-1.0f, g.x, 1e-6f);
  EXPECT_NEAR(0.0f, g.y, 1e-6f);
  EXPECT_NEAR(0.0f, g.z, 1e-6f);
  const Vec3 north = globeFromMap(Vec2<float>(0.0f, -1.0f));
  EXPECT_NEAR(1.0f, north.y, 1e-6f);
}

TEST(PlaceConversion, MapToGlobeAndBackRoundTrips) {
  struct Row {
    const char* name;
    float u, v;
  } rows[] = {{"centre", 0, 0},       {"east of centre", 0.3f, 0.2f}, {"far west", -0.93f, -0.4f},
              {"far east", 0.97f, 0.55f}, {"u past a half", 0.62f, -0.7f}, {"u below minus a half", -0.51f, 0.1f}};
  for (const Row& r : rows) {
    const Vec2<float> back = mapFromGlobe(globeFromMap(Vec2<float>(r.u, r.v)));
    EXPECT_NEAR(r.u, back.x, 2e-6f) << r.name;
    EXPECT_NEAR(r.v, back.y, 2e-6f) << r.name;
  }
}

TEST(PlaceConversion, LongitudeAndLatitudeLandWhereTheMapSays) {
  // Paris, 2.35 E 48.86 N, is a little right of and above the image centre.
  const float u = (2.35f + 180.0f) / 180.0f - 1.0f;
  const float v = -((48.86f + 90.0f) / 90.0f - 1.0f);
  const Vec2<float> m = mapFromGlobe(globeFromMap(Vec2<float>(u, v)));
  EXPECT_GT(m.x, 0.0f);
  EXPECT_LT(m.y, 0.0f) << "north is up, negative v";
}

TEST(PlaceHit, EvenOddInsideAndOutside) {
  const Place p = placeFrom(kSquare);
  EXPECT_TRUE(p.inside({0.1f, 0.1f}));
  EXPECT_FALSE(p.inside({0.3f, 0.1f}));
  EXPECT_FALSE(p.inside({0.1f, -0.05f}));
}

TEST(PlaceHit, CrossingRuleAtVertexLevel) {
  // A triangle whose bottom vertex (0.1, 0.2) and top vertex (0.1, 0) lie on
  // the line v = const of the test points.
  const Place tri = placeFrom("[[[110,50],[120,45],[110,40]]]");
  // Level with the upper end (smaller v) of both edges, right of the shape:
  // the edges' lower ends (in v) count, so both count: even, outside.
  EXPECT_FALSE(tri.inside({0.3f, 0.0f}));
  // Level with the lower end (largest v): that end never counts.
  EXPECT_FALSE(tri.inside({0.3f, 0.2f}));
  // Level with the middle vertex, right of the triangle: the edge leaving it
  // downward and the left edge both count, the edge ending there does not.
  EXPECT_FALSE(tri.inside({0.5f, 0.1f}));
  // Inside, at the middle vertex's level.
  EXPECT_TRUE(tri.inside({0.15f, 0.1f}));
}

TEST(PlaceHit, PointLevelWithALowerEndCountsThatEdgeOnlyToItsRight) {
  // A single slanted edge from (0, 0) to (0.2, 0.2) closed by a vertical one.
  const Place p = placeFrom("[[[100,50],[120,40],[120,50]]]");
  // v = 0 is the lower end (smaller v) of the slanted and the vertical edge.
  EXPECT_FALSE(p.inside({-0.1f, 0.0f}));
  EXPECT_TRUE(p.inside({0.15f, 0.0f})) << "right of the slanted edge's lower end, left of the vertical";
  EXPECT_FALSE(p.inside({0.15f, 0.2f})) << "level with the upper ends: no edge counts";
}

TEST(PlaceHit, HorizontalEdgesNeverCount) {
  const Place p = placeFrom(kSquare);
  EXPECT_TRUE(p.inside({0.1f, 0.0f})) << "on the top edge's v, inside the side edges";
  EXPECT_FALSE(p.inside({0.1f, 0.2f})) << "on the bottom edge's v";
}

TEST(PlaceHit, NearAnEdgeWithinTheRadiusHits) {
  const Place p = placeFrom(kSquare, 0.01f);
  EXPECT_FALSE(p.inside({0.205f, 0.1f}));
  EXPECT_TRUE(p.hitTest({0.205f, 0.1f})) << "0.005 right of the right edge";
  EXPECT_TRUE(p.hitTest({0.1f, -0.009f})) << "just above the top edge";
  EXPECT_TRUE(p.hitTest({0.206f, 0.206f})) << "beyond a corner, 0.0085 away";
  EXPECT_FALSE(p.hitTest({0.215f, 0.1f})) << "0.015 away";
  EXPECT_FALSE(p.hitTest({0.209f, 0.209f})) << "beyond a corner, 0.0127 away";
  EXPECT_FALSE(p.hitTest({0.1f, -0.0101f}));
}

TEST(PlaceHit, ZeroLengthEdgesAndEmptyPlacesNeverHit) {
  const Place dot = placeFrom("[[[100,50],[100,50],[100,50]]]", 0.5f);
  EXPECT_FALSE(dot.hitTest({0.0f, 0.0f}));
  EXPECT_FALSE(dot.hitTest({0.1f, 0.0f}));
  const Place none = placeFrom("[]", 1.0f);
  EXPECT_FALSE(none.hitTest({0.0f, 0.0f}));
}

TEST(PlaceHit, BridgedHoleIsOutside) {
  // A square with a square hole joined by a zero-width cut, as the converter
  // writes enclaves: the hole is outside, the ring around it inside.
  const Place p = placeFrom(
      "[[[100,50],[120,50],[120,40],[100,40],[100,50],"
      "[105,45],[105,42],[115,42],[115,48],[105,48],[105,45],[100,50]]]");
  EXPECT_FALSE(p.inside({0.1f, 0.1f})) << "middle of the hole";
  EXPECT_TRUE(p.inside({0.02f, 0.1f})) << "in the ring";
  EXPECT_TRUE(p.inside({0.18f, 0.1f})) << "in the ring";
}

TEST(PlaceHit, AnyPolygonCanHit) {
  const Place p = placeFrom("[[[0,0],[1,0],[1,1]],[[100,50],[120,50],[120,40],[100,40]]]");
  EXPECT_TRUE(p.hitTest({0.1f, 0.1f}));
}

TEST(PlaceLoad, BadInputLeavesNoPolygonsAndNeverThrows) {
  const std::string dir = test::scratchDir("place_load");
  Place p;
  EXPECT_FALSE(p.load(dir + "missing.json"));
  EXPECT_TRUE(p.polygons().empty());

  test::writeFile(dir + "broken.json", "[[[100,50],[120,50],[120,40]],[[1,2],[3");
  EXPECT_FALSE(p.load(dir + "broken.json"));
  EXPECT_TRUE(p.polygons().empty()) << "no half-read outline";

  for (const char* text : {"{\"a\":1}", "", "[[[1,2]]] x", "[1,]"}) {
    EXPECT_FALSE(p.build(text, "bad")) << text;
    EXPECT_TRUE(p.polygons().empty()) << text;
  }
  std::string deep(10000, '[');
  EXPECT_FALSE(p.build(deep, "deep")) << "deep nesting is refused, not recursed into";
}

TEST(PlaceLoad, InvalidVerticesAreSkippedAndTheRestKept) {
  Place p;
  // A short vertex, a string where x belongs, a vertex that is not an array,
  // a polygon that is not an array, and extra elements of any JSON type.
  EXPECT_TRUE(p.build("[[[100,50],[7],[120,50,{\"z\":[1,\"]\"]}],[\"x\",1],5,[120,40,null,true]],"
                      "[[1]],5,\"s\",{\"k\":[]}]",
                      "mixed"));
  ASSERT_EQ(1u, p.polygons().size());
  EXPECT_EQ(3u, p.polygons()[0].size());
  EXPECT_EQ(Place::mapFromGrid(120.0f, 50.0f), p.polygons()[0][1]);
  EXPECT_TRUE(p.build("[[[1e999,2],[-1e999,3]]]", "overflow"));
  EXPECT_TRUE(p.polygons().empty()) << "a coordinate that overflows is no number";
  EXPECT_TRUE(p.build(" [ [ [ 100 , 50 ] , [ -1.5e1 , 2E1 ] ] ] ", "spaces"));
  ASSERT_EQ(1u, p.polygons().size());
  EXPECT_EQ(Place::mapFromGrid(-15.0f, 20.0f), p.polygons()[0][1]);
}

TEST(PlaceLoad, ReadsTheCompressedTwinWhenThereIsOne) {
  const std::string dir = test::scratchDir("place_dz");
  test::writeFile(dir + "p.json", "[[[0,0],[1,0],[1,1]]]");
  const std::string twin = "[[[100,50],[120,50],[120,40],[100,40]]]";
  ASSERT_TRUE(dz::writeCompressedFile(dir + "p.dz", dz::Bytes(twin.begin(), twin.end())));
  Place p;
  ASSERT_TRUE(p.load(dir + "p.json"));
  ASSERT_EQ(1u, p.polygons().size());
  EXPECT_EQ(4u, p.polygons()[0].size());
}

TEST(PlaceLoad, VertexMeanIsSinglePrecisionAverage) {
  const Place p = placeFrom("[[[100,50],[120,50],[120,40]]]");
  const Vec2<float> m = Place::vertexMean(p.polygons()[0]);
  EXPECT_FLOAT_EQ((0.0f + 0.2f + 0.2f) / 3.0f, m.x);
  EXPECT_FLOAT_EQ((0.0f + 0.0f + 0.2f) / 3.0f, m.y);
}

}  // namespace
}  // namespace orb
