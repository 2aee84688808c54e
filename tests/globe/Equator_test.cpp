#include "globe/Equator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "GlobeScene.h"

namespace orb {
namespace {

TEST(Equator, FogStartsAtTheSilhouetteDepth) {
  float start = 0, end = 0;
  Equator::fogRange(450.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  // D cos^2(asin(r / D)) = D - r^2 / D.
  EXPECT_NEAR(450.0f - 100.0f * 100.0f / 450.0f, start, 0.01f);
}

TEST(Equator, FogAtTheFarDistanceReachesThreeHundredBeyondTheSilhouette) {
  float start = 0, end = 0;
  Equator::fogRange(3000.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  EXPECT_NEAR(start + 300.0f, end, 0.01f);
  // Nearer cameras have a longer fog reach: the far half fades more gradually.
  Equator::fogRange(450.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  EXPECT_NEAR(start + 350.0f - 7.5f, end, 0.01f);
}

TEST(Equator, CameraInsideTheGlobeDoesNotMakeNaN) {
  float start = 1, end = 1;
  Equator::fogRange(50.0f, 100.0f, 3000.0f, 350.0f, 50.0f, start, end);
  EXPECT_NEAR(0.0f, start, 1e-3f);
  EXPECT_FALSE(std::isnan(end));
}

// Whether the globe (radius, centre in eye space) hides an eye-space point: the
// sight line from the eye meets the sphere before it reaches the point.
bool hiddenByGlobe(const Vec3& point, const Vec3& centre, float radius) {
  Vec3 dir = point;
  const float length = dir.length();
  if (!dir.normalize()) return false;
  const float along = dir.dot(centre);
  const float disc = along * along - centre.dot(centre) + radius * radius;
  if (disc < 0.0f) return false;
  const float entry = along - std::sqrt(disc);
  return entry > 0.0f && entry < length - 0.5f;
}

TEST(Equator, TheGlobeHidesTheFarHalf) {
  ORB_REQUIRE_GLOBE_GL();
  test::GlobeScene scene(0);
  GameWorld world(&scene.context);
  Equator equator(&scene.context);
  for (int i = 0; i < 130; ++i) equator.update(1.0f / 60.0f);  // faded in
  const float dist = scene.param("camera", "dist");
  const float nearZ = scene.param("game", "near_z");
  const float circle = scene.earth->radius * scene.param("equator", "scale");

  struct Row {
    const char* name;
    float distance, pitchDeg;
  };
  const Row rows[] = {
      {"opening_view", dist, 20.0f},
      {"tilted_north", dist, 60.0f},
      {"tilted_south_ring_round_antarctica", dist, -60.0f},
      {"closer", (dist + nearZ) / 2.0f, 25.0f},
      {"edge_on", dist, 0.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    scene.camera.distance = row.distance;
    scene.camera.orientation = quatFromAngles(row.pitchDeg * kDegToRad, 100.0f * kDegToRad);
    scene.render(world);
    const std::vector<unsigned char> without = test::readWindow();
    scene.render(world);
    equator.draw();
    glFinish();
    const std::vector<unsigned char> with = test::readWindow();
    EXPECT_TRUE(test::writePng(test::scratchDir(std::string("equator/") + row.name) + row.name + ".png", with,
                               test::kWinW, test::kWinH));

    // Points round the equator in window pixels (y from the top), and whether the globe hides them.
    Mat4 view;
    view.m = scene.camera.modelView;
    const Vec3 centre = view.transformPoint(Vec3());
    std::vector<Vec3> hidden, shown;
    constexpr int kSamples = 2880;
    for (int i = 0; i < kSamples; ++i) {
      const float a = kTwoPi * static_cast<float>(i) / kSamples;
      const Vec3 p(circle * std::sin(a), 0.0f, circle * std::cos(a));
      Vec3 w = scene.camera.project(p, view.data());
      w.y = static_cast<float>(test::kWinH) - w.y;
      w.z = 0.0f;
      (hiddenByGlobe(view.transformPoint(p), centre, scene.earth->radius) ? hidden : shown).push_back(w);
    }
    auto nearest = [](const std::vector<Vec3>& points, const Vec3& at) {
      float best = 1e9f;
      for (const Vec3& p : points) best = std::min(best, (p - at).length());
      return best;
    };
    // A red pixel nearer the hidden half than to anything the eye can see is the far half showing.
    int farRed = 0, nearRed = 0;
    for (int y = 0; y < test::kWinH; ++y) {
      for (int x = 0; x < test::kWinW; ++x) {
        const std::size_t i = (static_cast<std::size_t>(y) * test::kWinW + x) * 3;
        const int red = with[i] - without[i];
        const int other =
            std::max(std::abs(with[i + 1] - without[i + 1]), std::abs(with[i + 2] - without[i + 2]));
        if (red < 30 || other > red / 4) continue;
        const Vec3 at(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, 0.0f);
        const float toShown = nearest(shown, at);
        if (!hidden.empty() && nearest(hidden, at) < toShown && toShown > 3.0f) {
          ++farRed;
        } else {
          ++nearRed;
        }
      }
    }
    EXPECT_EQ(0, farRed);
    EXPECT_GT(nearRed, 200) << "the near half is drawn";
  }
}

}  // namespace
}  // namespace orb
