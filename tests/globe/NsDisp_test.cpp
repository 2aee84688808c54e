// The equator and the pole labels fade in over 2 s, out after the game ends,
// and leave at once when the scene ends.
#include <gtest/gtest.h>

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

TEST(NsDisp, PoleFadeFollowsItsTiltTowardsTheViewer) {
  const Vec3 centre(480.0f, 320.0f, 0.5f);
  // Facing the viewer (nearer than the centre): fully shown.
  EXPECT_EQ(1.0f, NsDisp::poleFade(Vec3(480.0f, 500.0f, 0.4999f), centre));
  // Exactly on the silhouette (same depth): theta = pi / 2, still fully shown.
  EXPECT_EQ(1.0f, NsDisp::poleFade(Vec3(480.0f, 500.0f, 0.5f), centre));
  // Pointing straight away: gone.
  EXPECT_NEAR(0.0f, NsDisp::poleFade(Vec3(480.0f, 320.0f, 0.501f), centre), 1e-6f);
  // Half-way between the silhouette and straight away: cos(pi / 4).
  EXPECT_NEAR(0.7071f, NsDisp::poleFade(Vec3(580.0f, 320.0f, 0.5f + 100.0f / 100000.0f), centre),
              1e-3f);
  // No offset at all: nothing to judge, shown.
  EXPECT_EQ(1.0f, NsDisp::poleFade(centre, centre));
}

}  // namespace
}  // namespace orb
