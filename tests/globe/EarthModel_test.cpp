#include "globe/EarthModel.h"

#include <gtest/gtest.h>

#include "GlobeScene.h"
#include "gfx/Texture.h"

namespace orb {
namespace {

using test::GlobeScene;

class EarthModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::globeGlContext()) GTEST_SKIP() << "no DISPLAY";
  }
};

TEST_F(EarthModelTest, AutomaticAppearanceInDecemberUsesElementEleven) {
  EXPECT_EQ(11, EarthModel::appearanceIndex(-1, 11));
  EXPECT_EQ(0, EarthModel::appearanceIndex(-1, 0));
  EXPECT_EQ(4, EarthModel::appearanceIndex(4, 11));  // a chosen image ignores the month
  GlobeScene scene(-1);
  scene.earth->setAppearance(-1, 11);
  ASSERT_TRUE(scene.earth->surfaceTexture);
  EXPECT_EQ("earth_12", scene.earth->surfaceTexture->name);
  EXPECT_FALSE(scene.earth->surfaceTexture->empty());
  EXPECT_EQ(1, scene.earth->surfaceTexture->mipmapped);
  EXPECT_TRUE(scene.earth->showClouds);
  EXPECT_TRUE(scene.earth->showAtmosphere);
  ASSERT_TRUE(scene.earth->glowTexture);
  EXPECT_EQ(0, scene.earth->glowTexture->mipmapped);
}

TEST_F(EarthModelTest, NightImageHasNoCloudsAndAnIndexPastTheEndReadsTheLast) {
  GlobeScene scene(-1);
  scene.earth->setAppearance(12);
  EXPECT_EQ("earth_night", scene.earth->surfaceTexture->name);
  EXPECT_FALSE(scene.earth->showClouds);
  scene.earth->setAppearance(99);
  EXPECT_EQ("earth_night", scene.earth->surfaceTexture->name);
}

// Silhouette radius in window pixels: the globe's angular radius against the half field of view.
int limbPixels(const GlobeScene& scene) {
  const float r = scene.earth->radius, d = scene.camera.distance;
  return static_cast<int>(std::tan(std::asin(r / d)) / std::tan(scene.camera.fov / 2.0f) * (test::kWinH / 2.0f));
}

TEST_F(EarthModelTest, AtmosphereOffDrawsNoGlowOrHalo) {
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  scene.camera.distance = scene.param("camera", "dist");
  scene.earth->showAtmosphere = false;  // the glow and halo textures stay loaded
  ASSERT_TRUE(scene.earth->glowTexture && scene.earth->haloTexture);
  scene.render(world);
  const auto off = test::readWindow();
  // Not drawn at all: the same picture as with no atmosphere images.
  auto glow = scene.earth->glowTexture;
  auto halo = scene.earth->haloTexture;
  scene.earth->glowTexture.reset();
  scene.earth->haloTexture.reset();
  scene.render(world);
  EXPECT_TRUE(off == test::readWindow());
  scene.earth->glowTexture = glow;
  scene.earth->haloTexture = halo;

  scene.earth->showAtmosphere = true;
  scene.render(world);
  const auto on = test::readWindow();
  const int limb = limbPixels(scene);
  auto at = [](const std::vector<unsigned char>& rgb, int y) {
    const std::size_t i = (static_cast<std::size_t>(y) * test::kWinW + test::kWinW / 2) * 3;
    return std::array<int, 3>{rgb[i], rgb[i + 1], rgb[i + 2]};
  };
  const int beside = test::kWinH / 2 - limb - 6, inside = test::kWinH / 2 - limb + 6;
  EXPECT_EQ(0, at(off, beside)[0] + at(off, beside)[1] + at(off, beside)[2]);
  EXPECT_GT(at(on, beside)[2], 30) << "the halo lights space beside the limb";
  EXPECT_GT(at(on, inside)[2], at(off, inside)[2] + 10) << "the glow brightens the limb";
}

TEST_F(EarthModelTest, CloudsBrightenAndTheirLevelScalesThem) {
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  scene.camera.distance = scene.param("camera", "dist");
  auto mean = [&] {
    scene.render(world);
    const auto rgb = test::readWindow();
    double s = 0;
    for (unsigned char c : rgb) s += c;
    return s / static_cast<double>(rgb.size());
  };
  const double cloudy = mean();
  scene.earth->showClouds = false;
  const double clear = mean();
  EXPECT_GT(cloudy, clear + 1.0);
  // At the near limit the level is the minimum (0 in our data): the picture equals the cloudless one.
  scene.earth->showClouds = true;
  scene.camera.distance = json::real(json::at(scene.params.root(), "cloud_dist_min"));
  scene.render(world);
  const auto nearCloudy = test::readWindow();
  scene.earth->showClouds = false;
  scene.render(world);
  EXPECT_EQ(test::readWindow(), nearCloudy);
}

TEST_F(EarthModelTest, SpinTweenEasesToItsTargetAndStops) {
  GlobeScene scene(-1);
  EarthModel& earth = *scene.earth;
  earth.spinSpeed = 10.0f;
  earth.startSpinTween(2.0f, 1.0f, 0);
  earth.update(0.5f);
  EXPECT_FLOAT_EQ(6.0f, earth.spinSpeed);
  EXPECT_TRUE(earth.spinTween.active);
  const float angle = earth.spinAngle;
  earth.update(0.75f);
  EXPECT_FLOAT_EQ(2.0f, earth.spinSpeed);
  EXPECT_FALSE(earth.spinTween.active);
  EXPECT_FLOAT_EQ(angle + 2.0f * 0.75f, earth.spinAngle);
  EXPECT_FLOAT_EQ(json::real(json::at(scene.params.root(), "earth"), "rotate"), earth.defaultSpinSpeed());
}

TEST_F(EarthModelTest, CheckParamsNamesTheFirstProblem) {
  GlobeScene scene(-1);
  EXPECT_EQ("", EarthModel::checkParams(scene.params.root()));
  picojson::value broken = scene.params.root();
  broken.get<picojson::object>()["earth"].get<picojson::object>().erase("radius");
  EXPECT_NE(std::string::npos, EarthModel::checkParams(broken).find("radius"));
  picojson::value noLooks = scene.params.root();
  noLooks.get<picojson::object>()["earth_appearance"] = picojson::value(picojson::array{});
  EXPECT_NE(std::string::npos, EarthModel::checkParams(noLooks).find("earth_appearance"));
}

TEST_F(EarthModelTest, OversizedMeshIsClampedTo16BitIndices) {
  GlobeScene scene(-1);
  picojson::value params = scene.params.root();
  auto& earth = params.get<picojson::object>()["earth"].get<picojson::object>();
  earth["h_div"] = picojson::value(1000.0);
  earth["v_div"] = picojson::value(1000.0);
  EarthModel big(params, scene.dataDir, &scene.camera);
  EXPECT_LE(big.sphere().vertexCount(), 65536u);
  EXPECT_EQ(1000, big.hDiv);
  EXPECT_EQ(big.hDiv / 2 + 1, static_cast<int>(big.glowMesh().vertexCount()) / (big.vDiv + 1));
}

}  // namespace
}  // namespace orb
