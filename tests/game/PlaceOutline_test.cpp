// The answer drawn on the globe: pixels of a revealed outline on the real
// earth, with the real outline files, and a time-out in a real round that
// shows the outline and then lets it fade. Pictures land in
// <build>/tests/scratch/outline_shots/ for a person to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/MapCoords.h"
#include "game/Place.h"
#include "game/PlaceOutline.h"
#include "LearnRound.h"
#include "globe/GlobeScene.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

using test::GlobeScene;

// A point given in degrees east and north.
Vec3 geo(float lonDeg, float latDeg) { return globeFromMap({lonDeg / 180.0f, -latDeg / 90.0f}); }

Quat facing(float lonDeg, float latDeg) { return quatFromAngles(latDeg * kDegToRad, (90.0f + lonDeg) * kDegToRad); }

Place placeFile(const std::string& file) {
  Place place;
  EXPECT_TRUE(place.load(test::sourceDir() + "devdata/place/" + file));
  return place;
}

int difference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * test::kWinW + static_cast<std::size_t>(x)) * 3;
  return std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]);
}

// Window pixel (x from the left, y from the top) of a unit globe point drawn at the globe's radius.
Vec2<float> screenOf(const GlobeScene& scene, const Vec3& unit) {
  const Vec3 w = scene.camera.project(unit * scene.earth->radius, scene.earth->sphereModelView.data());
  return {w.x, static_cast<float>(test::kWinH) - 1.0f - w.y};
}

// The globe alone, then the globe with the outline: both frames, top row first.
struct TwoFrames {
  std::vector<unsigned char> before, after;
};

TwoFrames shoot(GlobeScene& scene, PlaceOutline& outline, const std::string& name) {
  GameWorld world(&scene.context);
  TwoFrames frames;
  scene.render(world);
  frames.before = test::readWindow();
  scene.render(world);
  outline.draw();
  glFinish();
  frames.after = test::readWindow();
  EXPECT_TRUE(test::writePng(test::scratchDir("outline_shots/" + name) + name + ".png", frames.after, test::kWinW, test::kWinH));
  return frames;
}

TEST(PlaceOutline, RevealedOutlinePaintsTheBorderAndNothingFarFromIt) {
  ORB_REQUIRE_GLOBE_GL();
  GLint stencil = 0;
  glGetIntegerv(GL_STENCIL_BITS, &stencil);
  EXPECT_GT(stencil, 0) << "the test window, like the game's, asks for a stencil buffer";
  GlobeScene scene(0);
  scene.camera.distance = scene.param("camera", "dist");
  scene.camera.orientation = facing(134.0f, -25.0f);
  const Place australia = placeFile("c_aus.json");
  PlaceOutline outline(&scene.context);
  outline.show(australia);
  const TwoFrames f = shoot(scene, outline, "australia_shown");

  // The mainland's coast: nearly every vertex lands on a changed pixel.
  const Place::Polygon* mainland = &australia.polygons().front();
  for (const Place::Polygon& poly : australia.polygons())
    if (poly.size() > mainland->size()) mainland = &poly;
  int onLine = 0;
  float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
  for (const Vec2<float>& q : *mainland) {
    const Vec2<float> s = screenOf(scene, globeFromMap(q));
    onLine += difference(f.before, f.after, static_cast<int>(s.x), static_cast<int>(s.y)) > 60;
  }
  for (const Place::Polygon& poly : australia.polygons()) {
    for (const Vec2<float>& q : poly) {
      const Vec2<float> s = screenOf(scene, globeFromMap(q));
      minX = std::min(minX, s.x), maxX = std::max(maxX, s.x), minY = std::min(minY, s.y), maxY = std::max(maxY, s.y);
    }
  }
  EXPECT_GT(onLine, static_cast<int>(mainland->size()) * 9 / 10) << "of " << mainland->size();

  // Inside (Alice Springs) the fill tints the earth; far from the outline nothing changes.
  const Vec2<float> alice = screenOf(scene, geo(133.9f, -23.7f));
  EXPECT_GT(difference(f.before, f.after, static_cast<int>(alice.x), static_cast<int>(alice.y)), 20);
  constexpr float kGlow = 8.0f;  // half the glow line's width, with a margin
  int strays = 0;
  for (int y = 0; y < test::kWinH; ++y) {
    for (int x = 0; x < test::kWinW; ++x) {
      const bool near = x > minX - kGlow && x < maxX + kGlow && y > minY - kGlow && y < maxY + kGlow;
      if (!near && difference(f.before, f.after, x, y) > 6) ++strays;
    }
  }
  EXPECT_EQ(strays, 0);
}

TEST(PlaceOutline, AnOutlineCutByTheLimbFillsOnlyItsVisiblePart) {
  ORB_REQUIRE_GLOBE_GL();
  GlobeScene scene(0);
  scene.camera.distance = scene.param("camera", "dist");
  const Place russia = placeFile("c_rus.json");
  PlaceOutline outline(&scene.context);
  outline.show(russia);
  // Russia cut by the limb from over Arabia, the Pacific, the pole and Alaska.
  struct View {
    const char* name;
    float lon, lat;
  };
  for (const View& view : {View{"arabia", 50.0f, 25.0f}, View{"pacific", 165.0f, 30.0f},
                           View{"pole", 100.0f, 75.0f}, View{"alaska", -150.0f, 55.0f}}) {
  SCOPED_TRACE(view.name);
  scene.camera.orientation = facing(view.lon, view.lat);
  const TwoFrames f = shoot(scene, outline, std::string("russia_") + view.name);

  // Every tinted pixel is a point of Russia or close to its outline, and
  // Russia's own visible land is tinted.
  Place margin = russia;
  margin.setRadius(0.03f);  // about 5 degrees: the glow line and the limb's thin chords
  int strays = 0, inside = 0, tinted = 0;
  // Where the surface is seen edge-on, the width of the line is many degrees:
  // within a line's width of the silhouette only the test above and below holds.
  auto pick = [&](int x, int y, Vec3& hit) {
    const Vec2<float> window{static_cast<float>(x), static_cast<float>(test::kWinH - 1 - y)};
    return pickSphere(hit, window, scene.earth->radius, {}, scene.camera, scene.earth->sphereModelView.data());
  };
  auto nearLimb = [&](int x, int y) {
    constexpr int kReach = 8;
    Vec3 unused;
    bool all = true, any = false;
    for (int dy = -kReach; dy <= kReach; dy += kReach) {
      for (int dx = -kReach; dx <= kReach; dx += kReach) {
        const bool hit = pick(x + dx, y + dy, unused);
        all = all && hit;
        any = any || hit;
      }
    }
    return any && !all;
  };
  for (int y = 0; y < test::kWinH; y += 3) {
    for (int x = 0; x < test::kWinW; x += 3) {
      Vec3 hit;
      if (!pick(x, y, hit)) {
        strays += difference(f.before, f.after, x, y) > 6 && !nearLimb(x, y);
        continue;
      }
      const Vec2<float> map = mapFromGlobe(hit);
      const bool changed = difference(f.before, f.after, x, y) > 6;
      if (russia.inside(map)) {
        ++inside;
        tinted += changed;
      } else if (changed && !margin.near(map) && !nearLimb(x, y)) {
        ++strays;
      }
    }
  }
  EXPECT_EQ(strays, 0);
  EXPECT_GT(inside, 1000);
  EXPECT_GT(tinted, inside * 9 / 10);
  }
}

TEST(PlaceOutline, ATinyPlaceGetsARingAndEverythingFades) {
  ORB_REQUIRE_GLOBE_GL();
  GlobeScene scene(0);
  scene.camera.distance = scene.param("camera", "dist");
  scene.camera.orientation = facing(12.45f, 41.9f);
  const Place vatican = placeFile("c_vat.json");
  PlaceOutline outline(&scene.context);
  outline.reveal(vatican, 2.0f);
  const TwoFrames f = shoot(scene, outline, "vatican_ring");
  EXPECT_TRUE(outline.ringShown());
  // The ring passes about "ring_px" pixels from the centre (less across the
  // view, where the globe foreshortens it); nothing changes farther out.
  const Vec2<float> c = screenOf(scene, outline.outline().centre());
  const float ringPx = json::real(json::at(json::at(scene.params.root(), "learn"), "outline"), "ring_px");
  int onRing = 0, beyond = 0;
  for (int y = 0; y < test::kWinH; ++y) {
    for (int x = 0; x < test::kWinW; ++x) {
      if (difference(f.before, f.after, x, y) <= 30) continue;
      const float r = std::hypot(static_cast<float>(x) - c.x, static_cast<float>(y) - c.y);
      onRing += r > ringPx * 0.5f && r < ringPx * 1.3f;
      beyond += r > ringPx * 2.0f;
    }
  }
  EXPECT_GT(onRing, 40);
  EXPECT_EQ(beyond, 0);

  // A reveal holds at first, fades, and is gone after its time.
  outline.update(0.5f);
  const float early = outline.strength();
  outline.update(1.0f);
  const float late = outline.strength();
  EXPECT_GT(early, 0.9f);
  EXPECT_LT(late, early);
  EXPECT_GT(late, 0.0f);
  outline.update(0.6f);
  EXPECT_FALSE(outline.visible());
}

}  // namespace
}  // namespace orb

namespace orb {
namespace {

// Pixels in the outline's own light yellow (the line: "colour" lifted towards white).
int outlinePixels(const std::vector<unsigned char>& rgb) {
  int n = 0;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) n += rgb[i] >= 245 && rgb[i + 1] >= 235 && rgb[i + 2] >= 90 && rgb[i + 2] <= 200;
  return n;
}

TEST(PlaceOutline, AfterATimeOutTheAnswerShowsOnTheGlobeThenFades) {
  ORB_REQUIRE_GL();
  test::LearnRound round("timeout", {"c_ita"}, R"({"ans_time":[2,2,2,2,2,2,2,2,2,2,2,2]})");
  round.start();
  round.render();
  EXPECT_EQ(outlinePixels(test::readWindow()), 0) << "nothing shows while the question is open";
  round.frames(2.0f + 1.0f);  // the time-out, then the camera's one-second move to the answer
  round.render();
  const std::vector<unsigned char> shown = test::readWindow();
  EXPECT_TRUE(test::writePng(test::scratchDir("outline_shots/timeout") + "timeout.png", shown, test::kWinW, test::kWinH));
  const int atFirst = outlinePixels(shown);
  EXPECT_GT(atFirst, 300);
  round.frames(1.2f);
  round.render();
  const int later = outlinePixels(test::readWindow());
  EXPECT_LT(later, atFirst);
  EXPECT_GT(later, 0);
  round.frames(1.0f);  // past the answer line's "miss_disp"
  round.render();
  EXPECT_EQ(outlinePixels(test::readWindow()), 0);
}

}  // namespace
}  // namespace orb
