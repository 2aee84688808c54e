// Renders the globe as a player sees it and writes the pictures to
// <build>/tests/scratch/globe_shots/<name>-<pid>/ for a person to look at; checks the
// framing the parameters promise.
#include <gtest/gtest.h>

#include <cmath>

#include "GlobeScene.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

using test::GlobeScene;

// Europe and Africa face the viewer at yaw 100 degrees; a slight tilt shows the north.
constexpr float kYaw = 100.0f * kDegToRad;
constexpr float kPitch = 20.0f * kDegToRad;

double meanBrightness(const std::vector<unsigned char>& rgb) {
  double sum = 0;
  for (unsigned char c : rgb) sum += c;
  return sum / static_cast<double>(rgb.size());
}

// Rows of the centre column that are not black: the globe's height on screen.
int litRowsThroughCentre(const std::vector<unsigned char>& rgb) {
  int rows = 0;
  for (int y = 0; y < test::kWinH; ++y) {
    const unsigned char* p = rgb.data() + (static_cast<std::size_t>(y) * test::kWinW + test::kWinW / 2) * 3;
    rows += (p[0] + p[1] + p[2]) > 24;
  }
  return rows;
}

// The view orientation that puts (lon, lat), in degrees east and north, at the screen centre.
Quat facing(float lonDeg, float latDeg) { return quatFromAngles(latDeg * kDegToRad, (90.0f + lonDeg) * kDegToRad); }

std::vector<unsigned char> shoot(GlobeScene& scene, GameWorld& world, float distance, const std::string& file,
                                 Quat view = quatFromAngles(kPitch, kYaw)) {
  scene.camera.distance = distance;
  scene.camera.orientation = view;
  scene.render(world);
  std::vector<unsigned char> rgb = test::readWindow();
  EXPECT_TRUE(test::writePng(test::scratchDir("globe_shots/" + file) + file + ".png", rgb, test::kWinW, test::kWinH));
  return rgb;
}

TEST(GlobeShots, FarDistNearTwoMonthsAndNight) {
  ORB_REQUIRE_GLOBE_GL();
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  const float dist = scene.param("camera", "dist");
  const float nearZ = scene.param("game", "near_z");

  const auto far = shoot(scene, world, json::real(json::at(scene.params.root(), "start_dist")), "far_january");
  const auto january = shoot(scene, world, dist, "dist_january");
  scene.earth->setAppearance(6);
  const auto july = shoot(scene, world, dist, "dist_july");
  // Belgium at the centre: a small country should fill a good part of the screen.
  const auto nearView = shoot(scene, world, nearZ, "near_july", facing(4.5f, 50.6f));
  // Half way in, over the Americas and Asia in the shoulder seasons.
  scene.earth->setAppearance(3);
  shoot(scene, world, (dist + nearZ) / 2.0f, "mid_april_asia", facing(100.0f, 35.0f));
  scene.earth->setAppearance(9);
  shoot(scene, world, dist, "dist_october_americas", facing(-90.0f, 25.0f));
  scene.earth->setAppearance(12);
  const auto night = shoot(scene, world, dist, "dist_night");

  // At "camera"."dist" the globe (with its halo) fills most of the height but is not cut off.
  const int rows = litRowsThroughCentre(january);
  EXPECT_GT(rows, test::kWinH * 3 / 4);
  EXPECT_LT(rows, test::kWinH - 8);
  // From far away it is a small globe in black space.
  EXPECT_LT(litRowsThroughCentre(far), test::kWinH / 2);
  EXPECT_EQ(0, far[0] + far[1] + far[2]);
  // Close up the globe covers the whole window.
  EXPECT_EQ(test::kWinH, litRowsThroughCentre(nearView));
  // Winter and summer differ visibly; the night side is dark.
  double diff = 0;
  for (std::size_t i = 0; i < january.size(); ++i) diff += std::abs(january[i] - july[i]);
  EXPECT_GT(diff / static_cast<double>(january.size()), 2.0);
  EXPECT_LT(meanBrightness(night), 0.5 * meanBrightness(july));
}

// A w x h window region blown up by whole pixels to the window size, so the
// limb's edge can be judged pixel by pixel.
std::vector<unsigned char> magnify(const std::vector<unsigned char>& rgb, int x0, int y0, int factor) {
  std::vector<unsigned char> out(rgb.size());
  for (int y = 0; y < test::kWinH; ++y)
    for (int x = 0; x < test::kWinW; ++x)
      for (int c = 0; c < 3; ++c)
        out[(static_cast<std::size_t>(y) * test::kWinW + x) * 3 + c] =
            rgb[(static_cast<std::size_t>(y0 + y / factor) * test::kWinW + x0 + x / factor) * 3 + c];
  return out;
}

TEST(GlobeShots, PolesAndLimbCloseUp) {
  ORB_REQUIRE_GLOBE_GL();
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  const float dist = scene.param("camera", "dist");
  const float nearZ = scene.param("game", "near_z");
  shoot(scene, world, nearZ, "pole_north_near", facing(0.0f, 90.0f));
  shoot(scene, world, nearZ, "pole_south_near", facing(0.0f, -90.0f));
  shoot(scene, world, (dist + nearZ) / 2.0f, "pole_north_mid", facing(30.0f, 70.0f));
  shoot(scene, world, (dist + nearZ) / 2.0f, "pole_south_mid", facing(30.0f, -70.0f));
  scene.earth->setAppearance(6);
  shoot(scene, world, nearZ, "pole_north_near_july", facing(0.0f, 90.0f));
  scene.earth->setAppearance(12);
  shoot(scene, world, nearZ, "pole_south_near_night", facing(0.0f, -90.0f));

  scene.earth->setAppearance(0);
  const auto limb = shoot(scene, world, dist, "limb_dist");
  // The upper left of the limb, eight times larger.
  test::writePng(test::scratchDir("globe_shots/limb_zoom") + "limb_zoom.png", magnify(limb, 228, 88, 8),
                 test::kWinW, test::kWinH);
}

}  // namespace
}  // namespace orb
