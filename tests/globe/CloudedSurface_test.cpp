#include "globe/CloudedSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GlobeScene.h"

namespace orb {
namespace {

using test::GlobeScene;

double psnr(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  const double mse = sum / static_cast<double>(a.size());
  return mse == 0 ? INFINITY : 10.0 * std::log10(255.0 * 255.0 / mse);
}

double mean(const std::vector<unsigned char>& rgb) {
  double sum = 0;
  for (unsigned char c : rgb) sum += c;
  return sum / static_cast<double>(rgb.size());
}

struct View {
  const char* name;
  float latitude, longitude;  // degrees
  float distance;             // times the camera's starting distance
  float spin;                 // degrees
  float cloudFade;            // GameWorld's cloud fade: above 1 thins the clouds sooner
};

// One pass must draw what the three passes drew: far, zoomed in (where the
// shell's height shows most), over a pole (the seam and the pole rows), across
// the date-line seam, with the clouds half faded, and zoomed in so close that
// they have faded out (the clear-sky program).
TEST(CloudedSurface, OnePassDrawsTheThreePassGlobe) {
  if (!test::globeGlContext()) GTEST_SKIP() << "no DISPLAY";
  if (!GlCapabilities::get().fragmentPrograms) GTEST_SKIP() << "no fragment programs on this driver";
  GlobeScene scene(0);
  GameWorld world(&scene.context);
  const float start = scene.param("camera", "dist");
  GlCapabilities passes = GlCapabilities::get();
  passes.fragmentPrograms = false;
  EarthModel threePass(scene.params.root(), scene.dataDir, &scene.camera, passes);
  threePass.light = &scene.light;
  threePass.setAppearance(0);
  const View views[] = {{"far", 20, 100, 1.0f, 30, 1.0f},
                        {"zoomed in", 35, 10, 0.45f, 200, 1.0f},
                        {"over the north pole", 85, -60, 0.7f, 77, 1.0f},
                        {"date line", -30, 180, 0.8f, 0, 1.0f},
                        {"clouds half faded", 10, 40, 0.6f, 300, 1.5f},
                        {"closer than the clouds", -5, 120, 0.3f, 45, 1.0f}};
  for (const View& v : views) {
    SCOPED_TRACE(v.name);
    scene.camera.orientation = quatFromAngles(v.latitude * kDegToRad, v.longitude * kDegToRad);
    scene.camera.distance = start * v.distance;
    world.cloudFade = v.cloudFade;
    scene.earth->spinAngle = threePass.spinAngle = v.spin;
    scene.context.earth = scene.earth.get();
    scene.render(world);
    const auto one = test::readWindow();
    scene.context.earth = &threePass;
    scene.render(world);
    const auto three = test::readWindow();
    scene.earth->showClouds = false;
    scene.context.earth = scene.earth.get();
    scene.render(world);
    const auto bare = test::readWindow();
    scene.earth->showClouds = true;
    EXPECT_GT(psnr(one, three), 45.0);
    if (world.cloudLevelAt(scene.camera.distance) > 0.0f) {
      EXPECT_GT(mean(one), mean(bare) + 1.0) << "the clouds are drawn at all";
    }
  }
}

}  // namespace
}  // namespace orb
