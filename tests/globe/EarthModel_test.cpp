#include "globe/EarthModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "GlobeScene.h"
#include "gfx/PngImage.h"
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

// Luminance of window pixel (x, y), y from the top.
double luma(const std::vector<unsigned char>& rgb, int x, int y) {
  const unsigned char* p = rgb.data() + (static_cast<std::size_t>(y) * test::kWinW + x) * 3;
  return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

// The window pixel at distance r from the centre in direction a (radians, clockwise from up).
std::array<int, 2> around(double r, double a) {
  return {static_cast<int>(std::lround(test::kWinW / 2.0 + r * std::sin(a))),
          static_cast<int>(std::lround(test::kWinH / 2.0 - r * std::cos(a)))};
}

TEST_F(EarthModelTest, PolesSeenFromStraightAboveShowNoSpokesOrSpot) {
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  // Close up the surface alone; from further out with the clouds over it.
  // Either way the circles reach to about 4 degrees from the pole.
  const float nearZ = scene.param("game", "near_z");
  const float cloudy = json::real(json::at(scene.params.root(), "cloud_dist_max"));
  const std::pair<float, std::vector<double>> views[] = {{nearZ, {6.0, 24.0, 60.0, 120.0, 200.0, 300.0}},
                                                          {cloudy, {3.0, 8.0, 16.0, 24.0, 32.0}}};
  for (const float lat : {90.0f, -90.0f}) {
    for (const auto& [distance, radii] : views) {
      SCOPED_TRACE(std::string(lat > 0 ? "north" : "south") + " pole from " + std::to_string(distance));
      scene.camera.distance = distance;
      scene.camera.orientation = quatFromAngles(lat * kDegToRad, kHalfPi);
      scene.render(world);
      const auto rgb = test::readWindow();
      const double pole = luma(rgb, test::kWinW / 2, test::kWinH / 2);
      // Spokes show as brightness flickering round a circle about the pole
      // (the light's slow change round it is taken out by a moving mean over
      // 15 degrees); a spot, as the pole differing from the circle around it.
      for (const double r : radii) {
        constexpr int kSteps = 720, kHalfWindow = 15;
        std::vector<double> ring(kSteps);
        for (int i = 0; i < kSteps; ++i) {
          const auto p = around(r, i * 2.0 * kPi / kSteps);
          ring[i] = luma(rgb, p[0], p[1]);
        }
        double mean = 0, flicker = 0;
        for (int i = 0; i < kSteps; ++i) {
          double local = 0;
          for (int k = -kHalfWindow; k <= kHalfWindow; ++k) local += ring[(i + k + kSteps) % kSteps];
          local /= 2 * kHalfWindow + 1;
          flicker += (ring[i] - local) * (ring[i] - local);
          mean += ring[i];
        }
        EXPECT_LT(std::sqrt(flicker / kSteps), 1.0) << "round a circle of " << r << " pixels";
        if (r == radii[1]) {
          EXPECT_NEAR(mean / kSteps, pole, 2.0) << "the pole against the circle of " << r << " pixels";
        }
      }
    }
  }
}

// Every map image wrapped round the sphere: each appearance's surface and the clouds.
std::vector<std::string> mapImages(const picojson::value& params) {
  std::vector<std::string> names;
  const picojson::value& looks = json::at(params, "earth_appearance");
  for (std::size_t i = 0; i < json::size(looks); ++i)
    names.push_back(json::string(json::element(json::element(looks, i), 0)));
  names.push_back(json::string(json::at(params, "earth"), "cloud_texture"));
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

// A pole is one point on the sphere: a texel row near it that changes along
// its length is drawn as spokes, and a row standing out from its neighbours
// as a ring or a spot.
TEST(EarthImages, RowsNearEachPoleAreOneColourAndChangeSmoothly) {
  const JsonDocument params(test::sourceDir() + "devdata/params.json");
  for (const std::string& name : mapImages(params.root())) {
    SCOPED_TRACE(name);
    const std::string bytes = test::readFile(test::sourceDir() + "devdata/" + name);
    PngImage image;
    std::string error;
    ASSERT_TRUE(image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error)) << error;
    const int channels = image.channels();
    const int capOne = image.height / 180;   // the last degree
    const int capSix = image.height / 30;    // the last six degrees
    for (const bool north : {true, false}) {
      std::array<double, 4> previous{};
      for (int k = 0; k < capSix; ++k) {
        const int y = north ? k : image.height - 1 - k;
        const unsigned char* row = image.pixels.data() + static_cast<std::size_t>(y) * image.rowBytes();
        std::array<double, 4> mean{};
        for (int c = 0; c < channels; ++c) {
          int lo = 255, hi = 0;
          for (int x = 0; x < image.width; ++x) {
            const int v = row[x * channels + c];
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            mean[c] += v;
          }
          mean[c] /= image.width;
          const char* pole = north ? "north" : "south";
          if (k < capOne) {
            EXPECT_LE(hi - lo, 1) << pole << " row " << k << " channel " << c;
          }
          if (k > 0) {
            EXPECT_NEAR(previous[c], mean[c], 2.5) << pole << " row " << k;
          }
        }
        previous = mean;
      }
    }
  }
}

TEST_F(EarthModelTest, LimbFadesIntoTheHaloWithoutARimOrSteps) {
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  scene.camera.distance = scene.param("camera", "dist");
  scene.render(world);
  const auto rgb = test::readWindow();
  // Along each ray out from the centre, across the silhouette: the largest
  // change from one pixel to the next. An aliased edge or a bright rim makes
  // a jump at every angle; the surface's own coasts and clouds at a few.
  const int limb = limbPixels(scene);
  std::vector<double> jumps, halo;
  constexpr int kRays = 360;
  for (int i = 0; i < kRays; ++i) {
    const double a = i * 2.0 * kPi / kRays;
    double jump = 0;
    for (int r = limb - 4; r < limb + 6; ++r) {
      const auto p = around(r, a), q = around(r + 1, a);
      jump = std::max(jump, std::abs(luma(rgb, q[0], q[1]) - luma(rgb, p[0], p[1])));
    }
    jumps.push_back(jump);
    const auto out = around(limb + 4, a);
    const unsigned char* px = rgb.data() + (static_cast<std::size_t>(out[1]) * test::kWinW + out[0]) * 3;
    halo.push_back(px[2] - std::max(px[0], px[1]));
  }
  std::sort(jumps.begin(), jumps.end());
  EXPECT_LT(jumps[kRays / 2], 30.0) << "typical step across the limb";
  EXPECT_LT(jumps[kRays * 9 / 10], 50.0) << "step across the limb at the worst tenth of the angles";
  // Just outside, a soft blue all the way round.
  EXPECT_GT(*std::min_element(halo.begin(), halo.end()), 40.0);
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

// Peak signal-to-noise ratio of two RGB pictures, in dB (infinite when equal).
double psnr(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  const double mse = sum / static_cast<double>(a.size());
  return mse == 0 ? INFINITY : 10.0 * std::log10(255.0 * 255.0 / mse);
}

TEST_F(EarthModelTest, DriverWithoutVertexBuffersOrBlendEquationDrawsTheSameGlobe) {
  const GlCapabilities detected = GlCapabilities::get();
  ASSERT_TRUE(detected.vertexBuffers && detected.blendEquation) << "this driver should offer both";
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  scene.camera.distance = scene.param("camera", "dist");
  scene.render(world);
  const auto usual = test::readWindow();
  const auto drawnWith = [&](const GlCapabilities& caps) {
    EarthModel earth(scene.params.root(), scene.dataDir, &scene.camera, caps);
    earth.light = &scene.light;
    earth.setAppearance(0);
    scene.context.earth = &earth;
    scene.render(world);
    scene.context.earth = scene.earth.get();
    return test::readWindow();
  };
  GlCapabilities noBuffers = detected;
  noBuffers.vertexBuffers = false;
  EXPECT_TRUE(drawnWith(noBuffers) == usual) << "client-side arrays draw the very same meshes";
  // Without glBlendEquation the cloud shadow multiplies by the clouds at full
  // strength instead of subtracting a share of them: another shade under the
  // clouds, the same globe to the eye.
  GlCapabilities noBlend = detected;
  noBlend.blendEquation = false;
  const auto multiplied = drawnWith(noBlend);
  scene.earth->cloudShadow = 0.0f;  // the usual path then leaves the shadow out
  scene.render(world);
  const auto unshaded = test::readWindow();
  const auto mean = [](const std::vector<unsigned char>& rgb) {
    double sum = 0;
    for (unsigned char c : rgb) sum += c;
    return sum / static_cast<double>(rgb.size());
  };
  EXPECT_GT(psnr(multiplied, usual), 35.0);
  EXPECT_LT(mean(multiplied), mean(unshaded)) << "the fallback still shades under the clouds";
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
