// Tiny places made findable: a faint circle around every small place of the
// level, and a tap inside the asked place's circle judged a hit, in a real
// round over the real outlines of Italy, the Vatican and Monaco.
#include "game/SmallPlaceMarks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "LearnRound.h"
#include "game/MapCoords.h"
#include "game/Place.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

Vec3 geo(float lonDeg, float latDeg) { return globeFromMap({lonDeg / 180.0f, -latDeg / 90.0f}); }

const char* kLongQuestions = R"({"ans_time":[60,60,60,60,60,60,60,60,60,60,60,60],"time":[300,300,0]})";

TEST(SmallPlaceMarks, ATapInTheAskedTinyPlacesMarkIsAHitAndNoOtherJudgementChanges) {
  ORB_REQUIRE_GL();
  test::LearnRound round("marks_taps", {"c_ita", "c_vat"}, kLongQuestions);
  // Sea off Rome, inside the Vatican's circle but on no land; and sea by Corsica, outside it.
  const Vec3 inMark = geo(11.6f, 41.7f);
  const Vec3 outside = geo(10.0f, 41.0f);
  Place italy;
  ASSERT_TRUE(italy.load(test::sourceDir() + "devdata/place/c_ita.json"));
  italy.setRadius(json::real(json::at(round.ctx.params->root(), "game"), "touch_radius"));
  ASSERT_FALSE(italy.hitTest(mapFromGlobe(inMark))) << "the point must be sea for this test";
  round.start();

  bool vaticanAsked = false, italyAsked = false;
  for (int q = 0; q < 2; ++q) {
    const std::string key = round.game->currentKey();
    if (key == "c_vat") {
      vaticanAsked = true;
      round.tapAt(outside);
      EXPECT_FALSE(round.ctx.lastJudgement) << "outside the circle is a miss";
      round.tapAt(inMark);
      EXPECT_TRUE(round.ctx.lastJudgement) << "inside the asked place's circle is a hit";
    } else {
      italyAsked = true;
      round.tapAt(inMark);
      EXPECT_FALSE(round.ctx.lastJudgement) << "another place's circle finds nothing for Italy";
      round.tapAt(geo(12.5f, 42.5f));
      EXPECT_TRUE(round.ctx.lastJudgement);
    }
    round.frames(2.0f);
  }
  EXPECT_TRUE(vaticanAsked && italyAsked);
  EXPECT_EQ(round.ctx.correctCount, 2);
}

TEST(SmallPlaceMarks, EverySmallPlaceOfTheLevelIsCircledWhileAQuestionIsOpen) {
  ORB_REQUIRE_GL();
  test::LearnRound round("marks_drawn", {"c_ita", "c_vat", "c_mco"}, kLongQuestions);
  round.camera.orientation = quatFromAngles(42.0f * kDegToRad, (90.0f + 11.0f) * kDegToRad);
  round.start();
  round.render();
  const std::vector<unsigned char> before = test::readWindow();
  round.frames(0.5f);  // the circles fade in
  round.render();
  const std::vector<unsigned char> after = test::readWindow();
  EXPECT_TRUE(test::writePng(test::scratchDir("outline_shots/marks") + "marks.png", after, test::kWinW, test::kWinH));

  // Changed pixels around each tiny place's centre, and none around Italy's middle.
  auto changedNear = [&](const Vec3& p, float r0, float r1) {
    const Vec3 w = round.camera.project(p * round.earth->radius, round.earth->sphereModelView.data());
    int n = 0;
    for (int y = 0; y < test::kGlHeight; ++y) {
      for (int x = 0; x < test::kGlWidth; ++x) {
        const float r = std::hypot(static_cast<float>(x) - w.x, static_cast<float>(test::kGlHeight - 1 - y) - w.y);
        if (r < r0 || r > r1) continue;
        const std::size_t i = (static_cast<std::size_t>(y) * test::kGlWidth + static_cast<std::size_t>(x)) * 3;
        n += std::abs(after[i] - before[i]) + std::abs(after[i + 1] - before[i + 1]) > 20;
      }
    }
    return n;
  };
  EXPECT_GT(changedNear(geo(12.453f, 41.903f), 4.0f, 14.0f), 20) << "the Vatican";
  EXPECT_GT(changedNear(geo(7.42f, 43.74f), 4.0f, 14.0f), 20) << "Monaco";
  EXPECT_EQ(changedNear(geo(16.3f, 39.0f), 0.0f, 6.0f), 0) << "Italy is no small place";
}

}  // namespace
}  // namespace orb
