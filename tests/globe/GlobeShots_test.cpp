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

}  // namespace
}  // namespace orb
