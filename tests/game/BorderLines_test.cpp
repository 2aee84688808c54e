// Crisp borders up close, over the real earth from the real outline files:
// nothing read while the camera is far, sharp lines on the borders (and on
// the asked divisions' borders) at full zoom, and a fade between.
#include "game/BorderLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/MapCoords.h"
#include "game/Place.h"
#include "globe/GlobeScene.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

using test::GlobeScene;

Quat facing(float lonDeg, float latDeg) { return quatFromAngles(latDeg * kDegToRad, (90.0f + lonDeg) * kDegToRad); }

struct BorderScene : GlobeScene {
  JsonDocument places{test::sourceDir() + "devdata/places.json"};
  BorderScene() { context.places = &places; }

  // The globe alone and the globe with the borders, top row first.
  std::pair<std::vector<unsigned char>, std::vector<unsigned char>> shoot(BorderLines& borders, const std::string& name) {
    GameWorld world(&context);
    render(world);
    auto before = test::readWindow();
    render(world);
    borders.draw();
    glFinish();
    auto after = test::readWindow();
    EXPECT_TRUE(test::writePng(test::scratchDir("outline_shots/" + name) + name + ".png", after, test::kWinW, test::kWinH));
    return {before, after};
  }

  // Share of the outline's vertices on screen that land on a changed pixel.
  double onLines(const std::string& file, const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    Place place;
    EXPECT_TRUE(place.load(test::sourceDir() + "devdata/place/" + file));
    int seen = 0, changed = 0;
    for (const Place::Polygon& poly : place.polygons()) {
      for (const Vec2<float>& q : poly) {
        const Vec3 w = camera.project(globeFromMap(q) * earth->radius, earth->sphereModelView.data());
        const int x = static_cast<int>(w.x), y = test::kWinH - 1 - static_cast<int>(w.y);
        if (x < 2 || y < 2 || x >= test::kWinW - 2 || y >= test::kWinH - 2) continue;
        ++seen;
        // A thinned line may pass a pixel beside a dropped vertex.
        bool any = false;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const std::size_t i = (static_cast<std::size_t>(y + dy) * test::kWinW + static_cast<std::size_t>(x + dx)) * 3;
            any = any || std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 12;
          }
        changed += any;
      }
    }
    EXPECT_GE(seen, 5) << file;
    return seen > 0 ? static_cast<double>(changed) / seen : 0.0;
  }
};

TEST(BorderLines, FarNothingIsReadCloseTheBordersAreSharpLines) {
  ORB_REQUIRE_GLOBE_GL();
  BorderScene scene;
  BorderLines borders(&scene.context);
  const std::size_t heldBefore = BorderLines::heldFloats();
  scene.camera.distance = scene.param("camera", "dist");
  for (int i = 0; i < 30; ++i) borders.update(1.0f / 60.0f);
  EXPECT_EQ(borders.alpha(), 0.0f);
  EXPECT_EQ(BorderLines::heldFloats(), heldBefore) << "far from the globe no outline is read";

  // Full zoom over Belgium: the first frames read the files, then the lines show.
  scene.camera.distance = scene.param("game", "near_z");
  scene.camera.orientation = facing(4.5f, 50.6f);
  int frames = 0;
  for (; frames < 600 && !borders.ready(); ++frames) borders.update(1.0f / 60.0f);
  EXPECT_TRUE(borders.ready());
  EXPECT_GT(frames, 5) << "read a few files a frame, not all at once";
  borders.update(1.0f / 60.0f);
  EXPECT_GT(borders.alpha(), 0.0f);
  const auto [before, after] = scene.shoot(borders, "borders_belgium");
  EXPECT_GT(scene.onLines("c_bel.json", before, after), 0.9);
  std::cout << "border data held: " << BorderLines::heldFloats() * 4 / 1024 << " KiB\n";
  EXPECT_LT(BorderLines::heldFloats() * 4, 2u * 1024 * 1024) << "compact: under 2 MiB";

  // Away from every border (the middle of Belgium's Ardennes plateau) nothing changes.
  int changedMiddle = 0;
  const Vec3 w = scene.camera.project(globeFromMap({4.9f / 180.0f, -50.45f / 90.0f}) * scene.earth->radius,
                                      scene.earth->sphereModelView.data());
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx) {
      const int x = static_cast<int>(w.x) + dx, y = test::kWinH - 1 - static_cast<int>(w.y) + dy;
      const std::size_t i = (static_cast<std::size_t>(y) * test::kWinW + static_cast<std::size_t>(x)) * 3;
      changedMiddle += after[i] != before[i];
    }
  EXPECT_EQ(changedMiddle, 0);

  // Half way between the two distances the lines are half faded.
  scene.camera.distance = (json::real(json::at(json::at(scene.params.root(), "learn"), "borders"), "dist") +
                           json::real(json::at(json::at(scene.params.root(), "learn"), "borders"), "full_dist")) / 2;
  borders.update(1.0f / 60.0f);
  const float maxAlpha = json::real(json::at(json::at(scene.params.root(), "learn"), "borders"), "alpha");
  EXPECT_NEAR(borders.alpha(), maxAlpha / 2, 0.02f);
}

TEST(BorderLines, TheAskedCountrysDivisionsGetTheirBorders) {
  ORB_REQUIRE_GLOBE_GL();
  BorderScene scene;
  BorderLines borders(&scene.context);
  scene.camera.distance = scene.param("game", "near_z");
  scene.camera.orientation = facing(-117.0f, 39.0f);  // the line between California and Nevada
  borders.setPlaces({"c_fra", "us_ca"});
  for (int i = 0; i < 900 && !borders.ready(); ++i) borders.update(1.0f / 60.0f);
  borders.update(1.0f / 60.0f);
  const auto [before, after] = scene.shoot(borders, "borders_divisions");
  EXPECT_GT(scene.onLines("us_nv.json", before, after), 0.9);
  // Without divisions asked, Nevada's inland borders are no country border.
  borders.setPlaces({"c_fra"});
  const auto [before2, after2] = scene.shoot(borders, "borders_countries_only");
  EXPECT_LT(scene.onLines("us_nv.json", before2, after2), 0.3);
}

}  // namespace
}  // namespace orb
