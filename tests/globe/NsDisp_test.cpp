// The equator and the pole labels fade in over 2 s, out after the game ends,
// and leave at once when the scene ends.
#include <gtest/gtest.h>

#include "GlobeScene.h"
#include "globe/GameContext.h"
#include "globe/Equator.h"
#include "globe/NsDisp.h"

namespace orb {
namespace {

template <typename Overlay>
struct OverlayFade : ::testing::Test {};
using Overlays = ::testing::Types<Equator, NsDisp>;
TYPED_TEST_SUITE(OverlayFade, Overlays);

constexpr float kStep = 1.0f / 60.0f;

template <typename T>
void run(T& task, float seconds) {
  for (float t = 0.0f; t < seconds - 1e-6f; t += kStep) task.update(kStep);
}

TYPED_TEST(OverlayFade, FadesInOverTwoSeconds) {
  GameContext context;
  TypeParam overlay(&context);
  EXPECT_EQ(0.0f, overlay.alpha());
  run(overlay, 1.0f);
  EXPECT_NEAR(0.5f, overlay.alpha(), 0.01f);
  run(overlay, 1.05f);
  EXPECT_EQ(1.0f, overlay.alpha());
}

TYPED_TEST(OverlayFade, GameOverFadesOutFromWhereItIsThenLeaves) {
  GameContext context;
  TypeParam overlay(&context);
  run(overlay, 0.5f);
  const float from = overlay.alpha();
  overlay.message(11);
  overlay.message(11);  // a second 11 does not restart the fade
  run(overlay, 1.0f);
  EXPECT_NEAR(from / 2.0f, overlay.alpha(), 0.01f);
  EXPECT_TRUE(overlay.alive());
  run(overlay, 1.05f);
  EXPECT_FALSE(overlay.alive());
  EXPECT_EQ(0.0f, overlay.alpha());
}

TYPED_TEST(OverlayFade, SceneEndRetiresAtOnce) {
  GameContext context;
  TypeParam overlay(&context);
  overlay.message(25);
  EXPECT_TRUE(overlay.alive());
  overlay.message(12);
  EXPECT_FALSE(overlay.alive());
}

// A pole label drawn over the globe: the window rendered with and without the
// labels, so the pixels they change are exactly theirs.
struct LabelShot {
  std::vector<unsigned char> with, without;
  Vec3 north, south;  // label anchors in window pixels, y from the top
  bool northFacing = false, southFacing = false;

  // Pixels the labels changed in the box of half sizes hx, hy round a window point.
  int changedNear(const Vec3& at, int hx, int hy) const {
    return changedIn(at.x - hx, at.y - hy, at.x + hx, at.y + hy);
  }
  int changedIn(float x0, float y0, float x1, float y1) const {
    int n = 0;
    for (int y = std::max(0, static_cast<int>(y0)); y < std::min(test::kWinH, static_cast<int>(y1)); ++y) {
      for (int x = std::max(0, static_cast<int>(x0)); x < std::min(test::kWinW, static_cast<int>(x1)); ++x) {
        const std::size_t i = (static_cast<std::size_t>(y) * test::kWinW + x) * 3;
        int diff = 0;
        for (std::size_t c = 0; c < 3; ++c) diff += std::abs(with[i + c] - without[i + c]);
        if (diff > 24) ++n;
      }
    }
    return n;
  }
};

// A point on the sphere faces the eye when its outward normal points at it
// (eye space: the eye at the origin).
bool facesEye(const Vec3& point, const Vec3& centre) { return (point - centre).dot(Vec3() - point) > 0.0f; }

LabelShot shootLabels(test::GlobeScene& scene, GameWorld& world, NsDisp& labels, float distance,
                      float pitchDeg, const std::string& name) {
  scene.camera.distance = distance;
  scene.camera.orientation = quatFromAngles(pitchDeg * kDegToRad, 100.0f * kDegToRad);
  LabelShot shot;
  scene.render(world);
  shot.without = test::readWindow();
  scene.render(world);
  scene.begin2D();
  labels.draw();
  glFinish();
  shot.with = test::readWindow();
  EXPECT_TRUE(test::writePng(test::scratchDir("pole_labels/" + name) + name + ".png", shot.with, test::kWinW,
                             test::kWinH));

  Mat4 m;
  m.m = scene.earth->sphereModelView;
  const float r = scene.earth->radius;
  const float d = r * json::real(json::at(scene.params.root(), "nsdisp"), "scale");
  const Vec3 centre = m.transformPoint(Vec3());
  shot.northFacing = facesEye(m.transformPoint(Vec3(0.0f, r, 0.0f)), centre);
  shot.southFacing = facesEye(m.transformPoint(Vec3(0.0f, -r, 0.0f)), centre);
  const Vec3 n = scene.camera.project(Vec3(0.0f, d, 0.0f), m.data());
  const Vec3 s = scene.camera.project(Vec3(0.0f, -d, 0.0f), m.data());
  shot.north = Vec3(n.x, static_cast<float>(test::kWinH) - n.y, 0.0f);
  shot.south = Vec3(s.x, static_cast<float>(test::kWinH) - s.y, 0.0f);
  return shot;
}

// Half the label cut plus a margin for smoothing, window pixels.
constexpr int kLabelHalfW = 20;
constexpr int kLabelHalfH = 24;

TEST(NsDisp, NoLabelForAPoleOnTheFarSideNorUnderThePlaceNamePanel) {
  ORB_REQUIRE_GLOBE_GL();
  test::GlobeScene scene(0);
  GameWorld world(&scene.context);
  NsDisp labels(&scene.context);
  run(labels, 2.1f);  // faded in
  ASSERT_EQ(1.0f, labels.alpha());
  const float dist = scene.param("camera", "dist");
  const float nearZ = scene.param("game", "near_z");
  // The tallest place-name box (two name lines, two answer lines) ends 225
  // units below the top of the screen.
  const float band = 225.0f;
  scene.context.placeBoxBottom = -0.5f * scene.context.camera2d->halfHeight + band;

  struct Row {
    const char* name;
    float distance, pitchDeg;
  };
  const Row rows[] = {
      {"over_europe_south_pole_behind", dist, 45.0f},
      {"over_the_equator_both_poles_behind", dist, 0.0f},
      {"opening_view_north_under_the_panel", dist, 20.0f},
      {"close_over_europe_both_behind", nearZ, 40.0f},
      {"over_antarctica_north_pole_behind", dist, -50.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const LabelShot shot = shootLabels(scene, world, labels, row.distance, row.pitchDeg, row.name);
    if (!shot.northFacing) {
      EXPECT_EQ(0, shot.changedNear(shot.north, kLabelHalfW, kLabelHalfH)) << "N";
    }
    if (!shot.southFacing) {
      EXPECT_EQ(0, shot.changedNear(shot.south, kLabelHalfW, kLabelHalfH)) << "S";
    }
    EXPECT_EQ(0, shot.changedIn(0.0f, 0.0f, static_cast<float>(test::kWinW), band)) << "in the panel's band";
  }
  // Looking straight down on the Arctic the north label shows, clear of the panel.
  const LabelShot arctic = shootLabels(scene, world, labels, dist, 85.0f, "over_the_arctic_north_in_view");
  ASSERT_TRUE(arctic.northFacing);
  ASSERT_FALSE(arctic.southFacing);
  EXPECT_GT(arctic.changedNear(arctic.north, kLabelHalfW, kLabelHalfH), 40);
  EXPECT_EQ(0, arctic.changedNear(arctic.south, kLabelHalfW, kLabelHalfH));
  EXPECT_EQ(0, arctic.changedIn(0.0f, 0.0f, static_cast<float>(test::kWinW), band));
}

TEST(NsDisp, ALabelFadesSmoothlyAsItsPoleComesOverTheLimb) {
  ORB_REQUIRE_GLOBE_GL();
  test::GlobeScene scene(0);
  GameWorld world(&scene.context);
  NsDisp labels(&scene.context);
  run(labels, 2.1f);
  const float dist = scene.param("camera", "dist");
  // Tilting south a degree at a time brings the south pole over the limb
  // (about 13 degrees at this distance); its label's ink grows without a jump.
  std::vector<int> ink;
  for (int pitch = -6; pitch >= -26; --pitch) {
    const LabelShot shot = shootLabels(scene, world, labels, dist, static_cast<float>(pitch), "limb_sweep");
    ink.push_back(shot.changedNear(shot.south, kLabelHalfW, kLabelHalfH));
    if (!shot.southFacing) {
      EXPECT_EQ(0, ink.back()) << pitch;
    }
  }
  const int full = ink.back();
  ASSERT_GT(full, 40);
  EXPECT_EQ(0, ink.front());
  for (std::size_t i = 1; i < ink.size(); ++i) {
    EXPECT_GE(ink[i] + full / 10, ink[i - 1]) << "no flicker";
    EXPECT_LE(ink[i] - ink[i - 1], full / 2) << "no pop at step " << i;
  }
}

}  // namespace
}  // namespace orb
