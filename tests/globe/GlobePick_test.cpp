// Picking end to end: a tap on the drawn globe names the globe point whose
// texel is the colour on screen there.
#include <gtest/gtest.h>

#include "GlobeScene.h"
#include "gfx/PngImage.h"
#include "globe/Control.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::GlobeScene;

struct Texel {
  double r, g, b;
};

// Mean of the 3 x 3 texels around map coordinate (mx, my) of the image.
Texel texelAt(const PngImage& image, float mx, float my) {
  const int cx = static_cast<int>((mx + 1.0f) / 2.0f * static_cast<float>(image.width));
  const int cy = static_cast<int>((my + 1.0f) / 2.0f * static_cast<float>(image.height));
  Texel t{0, 0, 0};
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const std::size_t i = static_cast<std::size_t>(cy + dy) * image.rowBytes() +
                            static_cast<std::size_t>(cx + dx) * static_cast<std::size_t>(image.channels());
      t.r += image.pixels[i] / 9.0;
      t.g += image.pixels[i + 1] / 9.0;
      t.b += image.pixels[i + 2] / 9.0;
    }
  }
  return t;
}

TEST(GlobePick, TapAtTheScreenCentreNamesThePointAndItsTexel) {
  ORB_REQUIRE_GLOBE_GL();
  GlobeScene scene(0);
  // Unshaded: the lit colour is the texel itself.
  scene.light.ambient = {1, 1, 1, 1};
  scene.light.diffuse = {0, 0, 0, 1};
  scene.earth->showClouds = false;
  scene.earth->showAtmosphere = false;
  scene.earth->spinAngle = 30.0f;
  // The Sahara (15 E, 23 N) at the centre: yaw = 90 + lon - spin, pitch = lat.
  scene.camera.orientation = quatFromAngles(23.0f * kDegToRad, (90.0f + 15.0f - 30.0f) * kDegToRad);
  scene.camera.distance = 1000.0f;
  GameWorld world(&scene.context);
  Control control(&scene.context);
  control.message(kMsgTapsOn);
  scene.render(world);

  const float cx = test::kWinW / 2.0f, cy = test::kWinH / 2.0f;
  Touch t;
  t.x = t.prevX = cx;
  t.y = t.prevY = cy;
  scene.touch.began({t});
  scene.touch.ended({t});
  ASSERT_TRUE(scene.context.touchHit);
  EXPECT_EQ(1, scene.probe->count(kMsgGlobeTapped));

  // The game's longitude runs west-positive: 15 E is -15 degrees.
  const Vec2<float> lonLat = lonLatFromDirection(scene.context.touchPoint);
  EXPECT_NEAR(-15.0f, lonLat.x / kDegToRad, 0.3f);
  EXPECT_NEAR(23.0f, lonLat.y / kDegToRad, 0.3f);

  PngImage image;
  std::string error;
  const std::string bytes = test::readFile(scene.dataDir + "devdata/earth_01.png");
  ASSERT_TRUE(image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error)) << error;
  const float mx = -lonLat.x / kPi, my = -lonLat.y / kHalfPi;
  const Texel expected = texelAt(image, mx, my);
  const auto seen = test::windowPixel(static_cast<int>(cx), static_cast<int>(cy));
  EXPECT_NEAR(expected.r, seen[0], 24.0);
  EXPECT_NEAR(expected.g, seen[1], 24.0);
  EXPECT_NEAR(expected.b, seen[2], 24.0);
  // And it is not the colour of some other place: the ocean west of Africa is blue.
  const Texel ocean = texelAt(image, -20.0f / 180.0f, -20.0f / 90.0f);
  EXPECT_GT(std::fabs(ocean.r - seen[0]) + std::fabs(ocean.b - seen[2]), 80.0);
}

}  // namespace
}  // namespace orb
